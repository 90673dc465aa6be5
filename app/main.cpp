#include "app/start_request.h"
#include "app/time_sync_app.h"
#include "cli/cli_run.h"
#include "platform/display_probe.h"
#include "platform/ui_language.h"
#include "timesync/time_sync_hooks.h"
#include "ui/main_frame.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

std::string_view Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

// QApplication ends the process when it cannot reach a display, so ask first. A platform
// named on the command line or in QT_QPA_PLATFORM (offscreen, vnc, ...) is taken as given.
bool DisplayReachable(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "-platform") {
            return true;
        }
    }
    if (!Environment("QT_QPA_PLATFORM").empty()) {
        return true;
    }
    return platform::X11DisplayReachable(Environment("DISPLAY")) ||
           platform::WaylandDisplayReachable(Environment("WAYLAND_DISPLAY"),
                                             Environment("XDG_RUNTIME_DIR"));
}

} // namespace

int main(int argc, char** argv) {
    // Read before QApplication takes its own options (-style, -reverse, ...) out: any
    // argument at all means the unattended correction, with or without a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const StartRequest request = StartRequestOf(arguments);
    if (request == StartRequest::Help) {
        // Only for the help's translation: the window's application is made below.
        const QCoreApplication application(argc, argv);
        platform::InstallTranslations();
        std::fputs(HoroluxHelpText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (request == StartRequest::Version) {
        std::printf("horolux %s\n", HOROLUX_VERSION);
        return 0;
    }
    if (!DisplayReachable(argc, argv)) {
        // Without a display Horolux runs as horolux-cli with the stored settings: the
        // unattended correction when given an argument, the plain query otherwise.
        QCoreApplication application(argc, argv);
        platform::InstallTranslations();
        SetTextTranslator(&platform::TranslatedQueryText);
        CliOptions options;
        options.correct = request == StartRequest::Correct;
        options.historyProgram = "horolux";
        return RunCli(options);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Horolux"));
    QApplication::setOrganizationName(QStringLiteral("Veldmark"));
    platform::InstallTranslations();
    SetTextTranslator(&platform::TranslatedQueryText);

    CTimeSyncApp app;
    if (!app.InitInstance(arguments.join(QLatin1Char(' ')))) {
        return 1;
    }
    // The program ends with its main window, also when that was hidden in the tray
    // (Qt only quits by itself when the last visible window closes).
    QObject::connect(app.MainWindow(), &QObject::destroyed, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
