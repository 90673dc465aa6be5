#include "cli/ask_servers.h"

#include "cli/cli_texts.h"
#include "timesync/reply_checks.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace {

QString NoAnswerText(const CliOptions& options) {
    return QCoreApplication::translate("cli_texts", cli_texts::kNoAnswer)
        .arg(QString::number(options.timeoutSeconds));
}

} // namespace

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

std::vector<std::unique_ptr<AskedServer>>
AskAll(const QStringList& servers, const QueryConfig& config, const CliOptions& options) {
    std::vector<std::unique_ptr<AskedServer>> asked;
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
    for (qsizetype i = 0; i < servers.size(); ++i) {
        auto each = std::make_unique<AskedServer>();
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
    for (qsizetype i = 0; i < servers.size(); ++i) {
        QueryConfig own = config;
        own.timebase = servers[i];
        own.correct = servers.size() == 1 && options.correct;
        asked[static_cast<std::size_t>(i)]->query.Start(own);
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
