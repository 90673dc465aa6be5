#include "cli/cli_run.h"

#include "cli/cli_report.h"
#include "cli/cli_texts.h"
#include "cli/console_view.h"
#include "cli/json_report.h"
#include "platform/settings_file.h"
#include "timesync/query_settings.h"
#include "timesync/reply_checks.h"
#include "timesync/status_texts.h"
#include "timesync/time_query.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// The stored settings, overridden by the options for this run; nothing is written back.
void LoadRunSettings(const CliOptions& options, bool readStored) {
    auto Stored = [readStored](const char* key, const char* defaultValue) {
        const QString fallback = QString::fromLatin1(defaultValue);
        return readStored ? settings::ReadString(key, fallback) : fallback;
    };
    g_strTimeBase =
        options.servers.isEmpty() ? Stored(kKeyTimeBase, kPrimaryTimebase) : options.servers[0];
    g_strProtocol = options.protocol ? *options.protocol : Stored(kKeyProtocol, kDefaultProtocol);
    g_strSocketType =
        options.socketType ? *options.socketType : Stored(kKeySocketType, kDefaultSocketType);
    g_strNtsCaFile = options.caFile ? *options.caFile : Stored(kKeyNtsCaFile, "");
    g_nTimebasePort = options.port ? static_cast<std::uint16_t>(*options.port) : 0;
    g_nSamples = options.samples || !readStored
                     ? options.samples.value_or(kDefaultSamples)
                     : SamplesChoice(settings::ReadInt(kKeySamples, kDefaultSamples));
}

void PrintLine(std::FILE* stream, const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

QString NoAnswerText(const CliOptions& options) {
    return QString::fromLatin1(cli_texts::kNoAnswer).arg(QString::number(options.timeoutSeconds));
}

// One server's query in a run.
struct Asked {
    CConsoleView view;
    CTimeQuery query{view};
    bool ended = false;
};

agreement::Source SourceOf(const std::optional<QueryOutcome>& outcome) {
    agreement::Source source;
    if (!outcome) {
        return source;
    }
    if (outcome->offset && outcome->delay) {
        source.state = agreement::Source::State::Good;
        source.offset = *outcome->offset;
        source.delay = *outcome->delay;
        source.rootDelay = outcome->rootDelay.value_or(0.0);
        source.rootDispersion = outcome->rootDispersion.value_or(0.0);
    } else if (outcome->result == QueryOutcome::Result::Bogus ||
               outcome->result == QueryOutcome::Result::AuthenticationFailed) {
        source.state = agreement::Source::State::Bogus;
    }
    return source;
}

// Asks every server at once. The run ends when all have ended, at the time-out, or once a
// majority has ended and the others have had a whole query's wait.
std::vector<std::unique_ptr<Asked>> AskAll(const QStringList& servers, const CliOptions& options) {
    std::vector<std::unique_ptr<Asked>> asked;
    QEventLoop loop;
    bool graceOver = false;
    auto check = [&] {
        std::size_t ended = 0;
        for (const auto& each : asked) {
            ended += each->ended ? 1 : 0;
        }
        if (ended == asked.size() || (graceOver && 2 * ended > asked.size())) {
            loop.quit();
        }
    };
    for (const QString& server : servers) {
        auto each = std::make_unique<Asked>();
        each->query.timebase = server;
        each->view.onQueryEnded = [&, raw = each.get()] {
            raw->ended = true;
            check();
        };
        asked.push_back(std::move(each));
    }
    QTimer deadline, grace;
    for (QTimer* timer : {&deadline, &grace}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&grace, &QTimer::timeout, &loop, [&] {
        graceOver = true;
        check();
    });
    deadline.start(static_cast<int>(std::lround(options.timeoutSeconds * 1000.0)));
    grace.start(static_cast<int>(std::lround(checks::kQueryTimeoutSeconds * 1000.0)));
    // Plain queries: the clock is set, if at all, from the answer the agreement chooses.
    for (const auto& each : asked) {
        if (servers.size() == 1 && options.correct) {
            each->query.OnCorrectClock();
        } else {
            each->query.OnQueryTimebase();
        }
    }
    bool allEnded = true;
    for (const auto& each : asked) {
        allEnded = allEnded && each->ended;
    }
    // Queries that failed at once have ended already.
    if (!allEnded) {
        loop.exec();
    }
    for (const auto& each : asked) {
        if (!each->ended) {
            each->query.Abandon(NoAnswerText(options));
        }
    }
    return asked;
}

} // namespace

int RunCli(const CliOptions& options, bool readStored) {
    LoadRunSettings(options, readStored);
    const QStringList servers =
        options.servers.isEmpty() ? QStringList{g_strTimeBase} : options.servers;
    std::vector<std::unique_ptr<Asked>> asked = AskAll(servers, options);

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
    Asked& speaker = *asked[shown];
    report.server = servers[shown].toStdString();
    report.transport =
        speaker.query.timebase.isEmpty() ? ChosenTransport() : TransportOf(speaker.query.timebase);
    report.result = speaker.view.LastText().toStdString();
    report.outcome = speaker.view.Outcome();
    bool deltaWarning = speaker.view.DeltaWarningPosted();
    const bool anyGood = std::any_of(sources.begin(), sources.end(), [](const auto& source) {
        return source.state == agreement::Source::State::Good;
    });
    if (servers.size() > 1 && selection.chosen && options.correct) {
        if (std::optional<ReplyEvaluation> corrected = speaker.query.CorrectFromChosenSample()) {
            report.result = corrected->text;
            report.outcome = corrected->outcome;
            deltaWarning = false;
        }
    } else if (servers.size() > 1 && !selection.chosen && anyGood) {
        report.result = cli_texts::kTimebasesDisagree;
        QueryOutcome disagreement;
        disagreement.protocol = report.transport.protocol;
        disagreement.result = QueryOutcome::Result::Bogus;
        report.outcome = disagreement;
        deltaWarning = false;
    }
    if (servers.size() > 1) {
        report.servers[shown].outcome = report.outcome;
    }
    PrintLine(stdout, options.json ? FormatJson(report) : report.result);
    for (std::size_t i = 0; i < asked.size(); ++i) {
        if (selection.verdicts[i] == agreement::Verdict::Falseticker) {
            PrintLine(stderr,
                      QString::fromLatin1(cli_texts::kFalseticker).arg(servers[i]).toStdString());
        }
    }
    if (deltaWarning) {
        PrintLine(stderr, texts::kMaxDeltaWarning);
    }
    return ExitStatusOf(report);
}
