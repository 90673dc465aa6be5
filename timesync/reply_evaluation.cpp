#include "timesync/reply_evaluation.h"

#include "app/program_globals.h"
#include "timesync/ntp_time.h"
#include "timesync/query_outcome.h"
#include "timesync/reply_checks.h"
#include "timesync/result_texts.h"
#include "timesync/status_texts.h"
#include "timesync/time_query.h"
#include "timesync/time_socket.h"
#include "timesync/time_sync_hooks.h"
#include "timesync/time_sync_view.h"

#include <cmath>
#include <span>

namespace {

// Room for an SNTP reply with extension fields; only the first 48 bytes are read.
constexpr qint64 kMaxDatagramSize = 1024;

// The local clock and the kernel's clock, read together when the notification runs.
struct Readings {
    double localNtp = 0.0;
    std::int64_t kernelNs = 0;
};

std::span<const std::uint8_t> Bytes(const QByteArray& data) {
    return {reinterpret_cast<const std::uint8_t*>(data.constData()),
            static_cast<std::size_t>(data.size())};
}

QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

void RefuseAsBogus(ITimeSyncView& view, QueryOutcome& outcome) {
    outcome.result = QueryOutcome::Result::Bogus;
    view.ReportOutcome(outcome);
    ResetQuery(view, QString::fromLatin1(texts::kBogusData));
}

// The end of a good reply: the text, the warning after it, the unattended close, and the
// end of the query.
void Finish(ITimeSyncView& view, const std::string& text, bool warn, const QueryOutcome& outcome) {
    view.ShowStatusText(ToQString(text));
    if (warn) {
        view.PostDeltaWarning();
    }
    if (g_bExitWhenDone == 1) {
        view.PostClose();
    }
    view.ReportOutcome(outcome);
    ResetQuery(view, QString());
}

// A clock that was not set is never reported as corrected, and the next query corrects.
void Correct(ITimeSyncView& view, const platform::UtcInstant& instant, const std::string& text,
             QueryOutcome& outcome) {
    const std::string refusal = Hooks().setSystemClock(instant);
    if (!refusal.empty()) {
        outcome.result = QueryOutcome::Result::ClockNotSet;
        outcome.refusal = refusal;
        view.ReportOutcome(outcome);
        ResetQuery(view, ToQString(results::ClockNotCorrectedText(refusal)));
        return;
    }
    g_bCorrectClock = 0;
    outcome.result = QueryOutcome::Result::Corrected;
    Finish(view, text, false, outcome);
}

// The header fields are reported also for a reply refused for them (a kiss-of-death, a
// server not synchronised).
void NoteSntpHeader(std::span<const std::uint8_t> bytes, QueryOutcome& outcome) {
    if (bytes.size() >= wire::kSntpPacketSize) {
        const wire::SntpReply header = wire::DecodeSntpReply(bytes);
        outcome.stratum = header.stratum;
        outcome.leap = header.leap;
    }
}

void EvaluateSntp(ITimeSyncView& view, const CTimeSocket::Received& received, std::uint64_t nonce,
                  const Readings& readings, QueryOutcome& outcome) {
    const std::span<const std::uint8_t> bytes = Bytes(received.bytes);
    const checks::Result check = checks::CheckSntpReply(bytes, nonce);
    if (check.verdict == checks::Verdict::Drop) {
        return;
    }
    NoteSntpHeader(bytes, outcome);
    if (check.verdict == checks::Verdict::Bogus) {
        RefuseAsBogus(view, outcome);
        return;
    }
    const std::int64_t waitedNs = received.arrivalNs ? readings.kernelNs - *received.arrivalNs : 0;
    g_dRecvTime = ntp::ReadingAt(readings.localNtp, waitedNs);
    const wire::SntpReply reply = wire::DecodeSntpReply(bytes);
    g_dServerXmitTime = ntp::TimestampSeconds(reply.transmit);
    g_dServerRecvTime = ntp::TimestampSeconds(reply.receive);
    const double offset =
        ntp::ClockOffset(g_dSendTime, g_dServerRecvTime, g_dServerXmitTime, g_dRecvTime);
    const double timebaseNtp = g_dRecvTime + offset;
    const ntp::TimebaseTime timebase = ntp::SplitSeconds(timebaseNtp);
    if (checks::CheckTimebaseTime(timebase.seconds).verdict != checks::Verdict::Accept) {
        RefuseAsBogus(view, outcome);
        return;
    }
    outcome.offset = offset;
    outcome.delay =
        ntp::RoundTripDelay(g_dSendTime, g_dServerRecvTime, g_dServerXmitTime, g_dRecvTime);
    outcome.timebaseTime = ntp::UtcInstantOf(timebaseNtp, 0);
    const std::int64_t unixSeconds = ntp::UnixSeconds(timebase.seconds);
    if (g_bCorrectClock) {
        // The Timebase's time at arrival, carried forward to the moment of setting by the
        // time since, on the kernel's clock.
        const std::int64_t sinceArrival =
            Hooks().kernelClockNs() - readings.kernelNs + std::max<std::int64_t>(waitedNs, 0);
        Correct(view, ntp::UtcInstantOf(timebaseNtp, sinceArrival),
                results::SntpCorrectedText(offset), outcome);
        return;
    }
    Finish(view, results::SntpReportText(unixSeconds, offset),
           results::ExceedsMaximumDelta(ntp::WholeSeconds(offset)), outcome);
}

void EvaluateTime(ITimeSyncView& view, const CTimeSocket::Received& received,
                  QueryOutcome& outcome) {
    const std::span<const std::uint8_t> bytes = Bytes(received.bytes);
    if (checks::CheckTimeReply(bytes).verdict != checks::Verdict::Accept) {
        RefuseAsBogus(view, outcome);
        return;
    }
    const std::int64_t timebaseSeconds = ntp::SecondsWithEra(wire::DecodeTimeReply(bytes));
    if (checks::CheckTimebaseTime(timebaseSeconds).verdict != checks::Verdict::Accept) {
        RefuseAsBogus(view, outcome);
        return;
    }
    const std::int64_t unixSeconds = ntp::UnixSeconds(timebaseSeconds);
    const std::int64_t nowUnix =
        ntp::UnixSeconds(static_cast<std::int64_t>(std::floor(Hooks().localClockNtp())));
    const std::int64_t delta = nowUnix - unixSeconds;
    outcome.delta = delta;
    outcome.timebaseTime = platform::UtcInstant{unixSeconds, 0};
    if (g_bCorrectClock) {
        // The received second as it stands: the protocol has no fraction and no transit time.
        Correct(view, {unixSeconds, 0}, results::TimeCorrectedText(unixSeconds), outcome);
        return;
    }
    Finish(view, results::TimeReportText(unixSeconds, delta), results::ExceedsMaximumDelta(delta),
           outcome);
}

} // namespace

void EvaluateReply(ITimeSyncView& view, CTimeSocket& socket) {
    Readings readings;
    readings.localNtp = Hooks().localClockNtp();
    readings.kernelNs = Hooks().kernelClockNs();
    const bool sntp = socket.GetTransport().protocol == wire::Protocol::Sntp;
    const bool datagram = socket.GetTransport().socket == wire::SocketKind::Datagram;
    const CTimeSocket::Received received =
        socket.Receive(datagram ? kMaxDatagramSize : qint64{wire::kTimeReplySize});
    if (!received.valid) {
        return;
    }
    QueryOutcome outcome;
    outcome.protocol = socket.GetTransport().protocol;
    outcome.address = socket.PeerAddress().toStdString();
    if (sntp) {
        EvaluateSntp(view, received, socket.Nonce(), readings, outcome);
    } else {
        EvaluateTime(view, received, outcome);
    }
}
