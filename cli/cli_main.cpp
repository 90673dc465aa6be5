// horolux-cli: the time query of Horolux without a window.
#include "cli/check_mode.h"
#include "cli/cli_exit_status.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "cli/cli_texts.h"
#include "cli/history_listing.h"
#include "platform/ui_language.h"
#include "timesync/time_sync_hooks.h"

#include <QCoreApplication>
#include <cstdio>
#include <variant>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    // People read the text line, the usage errors and the help in their language; --json,
    // --csv and the --check plugin line are read by scripts and stay English (the --metrics
    // file holds no texts).
    const bool scriptsRead = arguments.contains(QStringLiteral("--json")) ||
                             arguments.contains(QStringLiteral("--csv")) || AsksForCheck(arguments);
    if (!scriptsRead) {
        platform::InstallTranslations();
        SetTextTranslator(&platform::TranslatedQueryText);
    }
    const std::variant<CliOptions, CliUsageError> parsed = ParseCliOptions(arguments);
    if (const auto* error = std::get_if<CliUsageError>(&parsed); error && AsksForCheck(arguments)) {
        std::printf("%s\n", check::Unknown(error->message.toStdString()).line.c_str());
        return check::kUnknown;
    }
    if (const auto* error = std::get_if<CliUsageError>(&parsed)) {
        const QString hint = QCoreApplication::translate("cli_texts", cli_texts::kUsageHint)
                                 .arg(QString::fromLatin1(cli_texts::kProgramName), error->message);
        std::fprintf(stderr, "%s\n", hint.toLocal8Bit().constData());
        return kExitUsage;
    }
    const CliOptions& options = std::get<CliOptions>(parsed);
    if (options.help) {
        std::fputs(CliHelpText().toLocal8Bit().constData(), stdout);
        return kExitAnswered;
    }
    if (options.version) {
        std::printf("%s %s\n", cli_texts::kProgramName, HOROLUX_VERSION);
        return kExitAnswered;
    }
    if (options.listHistory) {
        return RunHistoryListing(options);
    }
    return RunCli(options);
}
