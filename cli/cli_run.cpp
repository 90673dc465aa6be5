#include "cli/cli_run.h"

#include "cli/ask_servers.h"
#include "cli/cli_exit_status.h"
#include "cli/cli_report.h"
#include "cli/cli_texts.h"
#include "cli/history_record.h"
#include "cli/json_report.h"
#include "cli/monitor_output.h"
#include "platform/escaped_text.h"
#include "platform/kernel_clock_state.h"
#include "platform/settings_file.h"
#include "timesync/clock_correction.h"
#include "timesync/clock_direction.h"
#include "timesync/query_config.h"
#include "timesync/time_query.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// The stored settings, overridden by the options for this run; nothing is written back.
// The Timebase is the first server's; each server's query takes its own.
QueryConfig RunConfig(const CliOptions& options, bool readStored) {
    auto Stored = [readStored](const char* key, const char* defaultValue) {
        const QString fallback = QString::fromLatin1(defaultValue);
        return readStored ? settings::ReadString(key, fallback) : fallback;
    };
    QueryConfig config;
    config.timebase =
        options.servers.isEmpty() ? Stored(kKeyTimeBase, kPrimaryTimebase) : options.servers[0];
    config.protocol = options.protocol ? *options.protocol : Stored(kKeyProtocol, kDefaultProtocol);
    config.socketType =
        options.socketType ? *options.socketType : Stored(kKeySocketType, kDefaultSocketType);
    config.caFile = options.caFile ? *options.caFile : Stored(kKeyNtsCaFile, "");
    config.caPem = options.caPem;
    config.port = options.port ? static_cast<std::uint16_t>(*options.port) : 0;
    config.samples = options.samples || !readStored
                         ? options.samples.value_or(kDefaultSamples)
                         : SamplesChoice(settings::ReadInt(kKeySamples, kDefaultSamples));
    return config;
}

void PrintLine(std::FILE* stream, const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

} // namespace

int RunCli(const CliOptions& options, bool readStored) {
    const QueryConfig config = RunConfig(options, readStored);
    const QStringList servers =
        options.servers.isEmpty() ? QStringList{config.timebase} : options.servers;
    std::vector<std::unique_ptr<AskedServer>> asked = AskAll(servers, config, options);

    std::vector<agreement::Source> sources;
    for (const auto& each : asked) {
        sources.push_back(SourceOf(each->view.Outcome()));
    }
    const agreement::Selection selection = agreement::Select(sources);
    CliReport report;
    for (std::size_t i = 0; i < asked.size(); ++i) {
        report.servers.push_back(
            {servers[i].toStdString(), asked[i]->view.Outcome(), selection.verdicts[i]});
    }
    // One server speaks for itself; of several, the chosen one, else the first.
    const std::size_t shown = servers.size() == 1 ? 0 : selection.chosen.value_or(0);
    AskedServer& speaker = *asked[shown];
    report.server = servers[shown].toStdString();
    report.transport = speaker.query.Config().Transport();
    report.result = speaker.view.LastText().toStdString();
    report.outcome = speaker.view.Outcome();
    bool deltaWarning = speaker.view.DeltaWarningPosted();
    const bool anyGood = std::any_of(sources.begin(), sources.end(), [](const auto& source) {
        return source.state == agreement::Source::State::Good;
    });
    if (servers.size() > 1 && selection.chosen && options.correct) {
        // The agreement's choice sets the clock, as the window's correcting query would.
        ReplyDecision chosen;
        chosen.outcome = *speaker.view.Outcome();
        const ReplyDecision corrected = Corrected(std::move(chosen), Hooks());
        report.result = corrected.text;
        report.outcome = corrected.outcome;
        deltaWarning = false;
    } else if (servers.size() > 1 && !selection.chosen && anyGood) {
        report.result =
            QCoreApplication::translate("cli_texts", cli_texts::kTimebasesDisagree).toStdString();
        QueryOutcome disagreement;
        disagreement.protocol = report.transport.protocol;
        disagreement.result = QueryOutcome::Result::Bogus;
        report.outcome = disagreement;
        deltaWarning = false;
    }
    // The corrected answer replaces the chosen one's; without a choice each server keeps its
    // own figures.
    if (servers.size() > 1 && selection.chosen) {
        report.servers[shown].outcome = report.outcome;
    }
    report.system = platform::ReadKernelClockState();
    if (options.writeHistory) {
        std::vector<QueryConfig> configs;
        for (const auto& each : asked) {
            configs.push_back(each->query.Config());
        }
        RecordHistory(report, configs, options.historyProgram);
    }
    const bool metricsWritten = !options.metricsFile || WriteMetricsFile(report, options);
    if (options.check) {
        return PrintCheck(report, options);
    }
    PrintLine(stdout, options.json ? FormatJson(report) : report.result);
    for (std::size_t i = 0; i < asked.size(); ++i) {
        if (selection.verdicts[i] == agreement::Verdict::Falseticker) {
            PrintLine(stderr,
                      QCoreApplication::translate("cli_texts", cli_texts::kFalseticker)
                          .arg(QString::fromStdString(EscapeControlBytes(servers[i].toStdString())))
                          .toStdString());
        }
    }
    if (deltaWarning && report.outcome && report.outcome->measurement) {
        PrintLine(stderr, direction::MaxDeltaWarningText(report.outcome->measurement->offset));
    }
    const int status = ExitStatusOf(report);
    return status == kExitAnswered && !metricsWritten ? kExitMetricsNotWritten : status;
}
