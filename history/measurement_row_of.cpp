#include "history/measurement_row_of.h"

#include <chrono>

namespace history {

namespace {

QString ProtocolWord(wire::Protocol protocol) {
    switch (protocol) {
    case wire::Protocol::Time:
        return QStringLiteral("Time");
    case wire::Protocol::Nts:
        return QStringLiteral("NTS");
    case wire::Protocol::Sntp:
        break;
    }
    return QStringLiteral("SNTP");
}

} // namespace

Verdict VerdictOf(const QueryOutcome& outcome) {
    using Result = QueryOutcome::Result;
    switch (outcome.result) {
    case Result::Answered:
    case Result::Corrected:
    case Result::ClockNotSet:
        return outcome.measurement ? Verdict::Used : Verdict::NoAnswer;
    case Result::Bogus:
        return Verdict::Bogus;
    case Result::AuthenticationFailed:
        return Verdict::Refused;
    case Result::SocketFailed:
    case Result::ConnectFailed:
    case Result::Reset:
        break;
    }
    return Verdict::NoAnswer;
}

MeasurementRow RowOf(const QueryOutcome& outcome, const QueryConfig& config, const char* program,
                     Verdict verdict, std::int64_t timeUtcMicroseconds) {
    MeasurementRow row;
    row.timeUtcMicroseconds = timeUtcMicroseconds;
    row.program = QString::fromUtf8(program);
    row.server = config.timebase;
    row.address = QString::fromStdString(outcome.address);
    const wire::Transport transport = config.Transport();
    row.protocol = ProtocolWord(transport.protocol);
    // NTS asks for the time over UDP once its key exchange is done.
    row.transport =
        transport.protocol != wire::Protocol::Nts && transport.socket == wire::SocketKind::Stream
            ? QStringLiteral("TCP")
            : QStringLiteral("UDP");
    row.authenticated = outcome.authenticated;
    row.stratum = outcome.stratum;
    if (outcome.rootDelay && outcome.rootDispersion) {
        row.rootDistanceSeconds = *outcome.rootDelay / 2 + *outcome.rootDispersion;
    }
    if (const auto& measured = outcome.measurement) {
        row.offsetSeconds = measured->offset;
        // The Time protocol measures no delay.
        if (transport.protocol != wire::Protocol::Time) {
            row.delaySeconds = measured->delay;
            row.rootDistanceSeconds = measured->RootDistance();
        }
        row.stratum = measured->stratum;
        row.authenticated = measured->authenticated;
        row.samplesAnswered = measured->samplesAnswered;
    } else {
        row.samplesAnswered = burst::AnsweredCount(outcome.samples);
    }
    row.verdict = verdict;
    row.corrected = outcome.result == QueryOutcome::Result::Corrected;
    if (row.corrected && row.offsetSeconds) {
        row.correctionSeconds = row.offsetSeconds;
    }
    return row;
}

MeasurementRow RowOf(const QueryOutcome& outcome, const QueryConfig& config, const char* program,
                     Verdict verdict) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return RowOf(outcome, config, program, verdict,
                 std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

} // namespace history
