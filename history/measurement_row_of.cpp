#include "history/measurement_row_of.h"

#include "timesync/burst_samples.h"
#include "timesync/query_setting_keys.h"

#include <chrono>

namespace history {

MeasurementRow RowOf(const QueryOutcome& outcome, const QueryConfig& config, const char* program,
                     Verdict verdict, std::int64_t timeUtcMicroseconds) {
    const wire::Transport transport = config.Transport();
    const bool time = transport.protocol == wire::Protocol::Time;
    MeasurementRow row;
    row.timeUtcMicroseconds = timeUtcMicroseconds;
    row.program = QString::fromUtf8(program);
    row.server = config.timebase;
    row.address = QString::fromStdString(outcome.address);
    row.protocol = QString::fromLatin1(transport.protocol == wire::Protocol::Nts ? kProtocolNts
                                       : time                                    ? kProtocolTime
                                                                                 : kProtocolSntp);
    // NTS's time requests go over UDP once its key exchange is done.
    const bool datagram =
        transport.socket == wire::SocketKind::Datagram || transport.protocol == wire::Protocol::Nts;
    row.transport = QString::fromLatin1(datagram ? kSocketUdp : kSocketTcp);
    row.authenticated = outcome.authenticated;
    row.stratum = outcome.stratum;
    row.samplesAnswered =
        time ? (outcome.measurement ? 1 : 0) : burst::AnsweredCount(outcome.samples);
    if (const auto& measured = outcome.measurement) {
        row.offsetSeconds = measured->offset;
        // The Time protocol measures no round trip and has no root figures.
        if (!time) {
            row.delaySeconds = measured->delay;
            row.rootDistanceSeconds = measured->RootDistance();
            row.stratum = measured->stratum;
            row.samplesAnswered = measured->samplesAnswered;
        }
        row.authenticated = measured->authenticated;
    }
    row.verdict = verdict;
    row.corrected = outcome.result == QueryOutcome::Result::Corrected;
    if (row.corrected) {
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
