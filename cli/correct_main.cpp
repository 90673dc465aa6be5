// horolux-correct: horolux-cli's correcting run and nothing more, for pkexec to start as
// root on behalf of the window. It trusts only its command line, which it checks, and
// never the caller's environment or settings file.
#include "cli/cli_exit_status.h"
#include "cli/cli_run.h"
#include "cli/cli_texts.h"
#include "cli/helper_environment.h"
#include "cli/helper_options.h"

#include <QCoreApplication>
#include <cstdio>
#include <variant>

int main(int argc, char** argv) {
    // Before Qt reads any of it.
    if (!CleanEnvironment()) {
        std::fputs("horolux-correct: the effective user is unknown\n", stderr);
        return kExitUsage;
    }
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const auto parsed = ParseHelperOptions(arguments);
    if (const auto* error = std::get_if<CliUsageError>(&parsed)) {
        std::fprintf(stderr, "horolux-correct: %s\n", error->message.toLocal8Bit().constData());
        return kExitUsage;
    }
    return RunCli(std::get<CliOptions>(parsed), false);
}
