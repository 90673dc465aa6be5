#include "cli/cli_run.h"

#include "cli/cli_report.h"
#include "cli/cli_texts.h"
#include "cli/console_view.h"
#include "cli/json_report.h"
#include "platform/settings_file.h"
#include "timesync/query_settings.h"
#include "timesync/status_texts.h"
#include "timesync/time_query.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cmath>
#include <cstdio>

namespace {

// The stored settings, overridden by the options for this run; nothing is written back.
void LoadRunSettings(const CliOptions& options, bool readStored) {
    auto Stored = [readStored](const char* key, const char* defaultValue) {
        const QString fallback = QString::fromLatin1(defaultValue);
        return readStored ? settings::ReadString(key, fallback) : fallback;
    };
    g_strTimeBase = options.server ? *options.server : Stored(kKeyTimeBase, kPrimaryTimebase);
    g_strProtocol = options.protocol ? *options.protocol : Stored(kKeyProtocol, kDefaultProtocol);
    g_strSocketType =
        options.socketType ? *options.socketType : Stored(kKeySocketType, kDefaultSocketType);
    g_strNtsCaFile = options.caFile ? *options.caFile : Stored(kKeyNtsCaFile, "");
    g_nTimebasePort = options.port ? static_cast<std::uint16_t>(*options.port) : 0;
}

void PrintLine(std::FILE* stream, const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

int RunCli(const CliOptions& options, bool readStored) {
    LoadRunSettings(options, readStored);
    CConsoleView view;
    CTimeQuery query(view);
    QEventLoop loop;
    bool ended = false;
    view.onQueryEnded = [&] {
        ended = true;
        loop.quit();
    };
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(static_cast<int>(std::lround(options.timeoutSeconds * 1000.0)));

    if (options.correct) {
        query.OnCorrectClock();
    } else {
        query.OnQueryTimebase();
    }
    // A query that failed at once has ended already.
    if (!ended) {
        loop.exec();
    }
    if (!ended) {
        query.Abandon(
            QString::fromLatin1(cli_texts::kNoAnswer).arg(QString::number(options.timeoutSeconds)));
    }

    CliReport report;
    report.server = g_strTimeBase.toStdString();
    report.transport = ChosenTransport();
    report.result = view.LastText().toStdString();
    report.outcome = view.Outcome();
    PrintLine(stdout, options.json ? FormatJson(report) : report.result);
    if (view.DeltaWarningPosted()) {
        PrintLine(stderr, texts::kMaxDeltaWarning);
    }
    return ExitStatusOf(report);
}
