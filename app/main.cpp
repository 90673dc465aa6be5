#include "app/time_sync_app.h"
#include "ui/main_frame.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

namespace {
// QApplication aborts when it cannot reach a display; say so plainly instead.
bool DisplayReachable(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "-platform") {
            return true;
        }
    }
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (platform && *platform) || (x11 && *x11) || (wayland && *wayland);
}
} // namespace

int main(int argc, char** argv) {
    if (!DisplayReachable(argc, argv)) {
        std::fprintf(stderr, "Horolux needs a graphical display, and none is reachable "
                             "(DISPLAY and WAYLAND_DISPLAY are not set).\n");
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Horolux"));
    QApplication::setOrganizationName(QStringLiteral("Veldmark"));

    // QApplication has taken its own options out of the arguments by now.
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    CTimeSyncApp app;
    if (!app.InitInstance(arguments.join(QLatin1Char(' ')))) {
        return 1;
    }
    // The program ends with its main window, also when that was hidden in the tray
    // (Qt only quits by itself when the last visible window closes).
    QObject::connect(app.MainWindow(), &QObject::destroyed, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
