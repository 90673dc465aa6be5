#include "ui/window_geometry.h"

#include "platform/settings_file.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void SaveWindowGeometry(const QWidget& window) {
    settings::WriteString(kKeyWindowGeometry,
                          QString::fromLatin1(window.saveGeometry().toBase64()));
}

bool RestoreWindowGeometry(QWidget& window) {
    const QByteArray::FromBase64Result stored =
        QByteArray::fromBase64Encoding(settings::ReadString(kKeyWindowGeometry, {}).toLatin1(),
                                       QByteArray::AbortOnBase64DecodingErrors);
    if (!stored || stored.decoded.isEmpty()) {
        return false;
    }
    const QRect before = window.geometry();
    if (!window.restoreGeometry(stored.decoded)) {
        return false;
    }
    // A monitor unplugged since: a window nobody can see is worse than the default place.
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(window.geometry())) {
            return true;
        }
    }
    window.setWindowState(Qt::WindowNoState);
    window.setGeometry(before);
    return false;
}
