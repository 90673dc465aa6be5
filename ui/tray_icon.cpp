#include "ui/tray_icon.h"

#include "ui/window_settings.h"
#include "ui/window_texts.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>

namespace {
constexpr int kTrayWatchPeriodMs = 1000;
}

CTrayIcon::CTrayIcon(QMainWindow& frame, QMenu& trayMenu)
    : QObject(&frame), m_frame(frame), m_trayMenu(trayMenu) {
    setObjectName("trayIcon");
    m_pIcon = new QSystemTrayIcon(frame.windowIcon(), this);
    m_pIcon->setObjectName("trayIconShell");
    m_pIcon->setToolTip(QString::fromLatin1(kProductName));
    connect(m_pIcon, &QSystemTrayIcon::activated, this, &CTrayIcon::OnTrayNotify);
    m_trayWatch.setInterval(kTrayWatchPeriodMs);
    connect(&m_trayWatch, &QTimer::timeout, this, &CTrayIcon::CheckTrayStillThere);
    frame.installEventFilter(this);
}

void CTrayIcon::Remove() {
    m_trayWatch.stop();
    m_pIcon->hide();
}

bool CTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_frame) {
        if (event->type() == QEvent::WindowStateChange && m_frame.isMinimized() &&
            m_frame.isVisible() && g_bMinimizeToTray != 0 && trayAvailable()) {
            // Hide once the state change has been handled, not in the middle of it.
            QMetaObject::invokeMethod(this, &CTrayIcon::HideIntoTray, Qt::QueuedConnection);
        } else if (event->type() == QEvent::Close) {
            Remove();
        }
    }
    return QObject::eventFilter(watched, event);
}

void CTrayIcon::HideIntoTray() {
    if (!m_frame.isMinimized() || !m_frame.isVisible()) {
        return;
    }
    // Showing an icon that is shown already adds no second one.
    m_pIcon->show();
    m_frame.hide();
    m_trayWatch.start();
}

void CTrayIcon::CheckTrayStillThere() {
    if (m_frame.isVisible()) {
        m_trayWatch.stop();
    } else if (!trayAvailable()) {
        // The tray host has gone: an ordinary minimized window takes the icon's place.
        m_trayWatch.stop();
        m_frame.showMinimized();
    }
}

void CTrayIcon::OnTrayNotify(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        Restore();
        break;
    case QSystemTrayIcon::Context:
        OpenTrayMenu();
        break;
    default:
        break;
    }
}

void CTrayIcon::Restore() {
    // Back to the size it had before it was minimized; the icon stays.
    m_frame.setWindowState(m_frame.windowState() & ~Qt::WindowMinimized);
    m_frame.show();
    m_frame.raise();
    m_frame.activateWindow();
}

QString AgeText(qint64 seconds) {
    if (seconds < 60) {
        return QCoreApplication::translate("tray", "just now");
    }
    if (seconds < 3600) {
        return QCoreApplication::translate("tray", "%1 min ago").arg(seconds / 60);
    }
    if (seconds < 2 * 86400) {
        return QCoreApplication::translate("tray", "%1 h ago").arg(seconds / 3600);
    }
    return QCoreApplication::translate("tray", "%1 days ago").arg(seconds / 86400);
}

void CTrayIcon::UpdateResultAge() {
    if (m_strResult.isEmpty()) {
        return;
    }
    const QString tip = QStringLiteral("%1\n%2\n%3")
                            .arg(QString::fromLatin1(kProductName), m_strResult,
                                 AgeText(m_resultAge.elapsed() / 1000));
    if (m_pIcon->toolTip() != tip) {
        m_pIcon->setToolTip(tip);
    }
}

void CTrayIcon::ShowResult(const QString& text, bool bubble) {
    m_strResult = text;
    m_resultAge.start();
    UpdateResultAge();
    if (bubble && m_pIcon->isVisible()) {
        m_pIcon->showMessage(QString::fromLatin1(kProductName), text);
    }
}

void CTrayIcon::OpenTrayMenu() {
    if (m_frame.isVisible()) {
        m_frame.raise();
        m_frame.activateWindow();
    }
    // Centred horizontally on the cursor.
    const QPoint cursor = QCursor::pos();
    m_trayMenu.popup(cursor - QPoint(m_trayMenu.sizeHint().width() / 2, 0));
}
