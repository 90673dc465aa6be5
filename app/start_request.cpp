#include "app/start_request.h"

#include <QCoreApplication>

StartRequest StartRequestOf(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            return StartRequest::Help;
        }
        if (argument == QLatin1String("--version")) {
            return StartRequest::Version;
        }
    }
    return arguments.isEmpty() ? StartRequest::Window : StartRequest::Correct;
}

QString HoroluxHelpText() {
    return QCoreApplication::translate(
        "app",
        "Usage: horolux [--help | --version | ARGUMENT...]\n"
        "\n"
        "Shows the time of a time server (the Timebase) on a 3D clock and how far the system\n"
        "clock is off from it.\n"
        "\n"
        "  (no argument)   open the window; without a display, ask the stored Timebase\n"
        "                  once and print the result\n"
        "  ARGUMENT...     any other argument: ask the stored Timebase once, set the system\n"
        "                  clock to its time and close (the unattended correction)\n"
        "  --help, -h      print this help and exit\n"
        "  --version       print the version and exit\n"
        "\n"
        "horolux-cli asks servers chosen on its command line; see horolux-cli --help.\n");
}
