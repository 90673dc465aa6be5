#include "timesync/reply_evaluation.h"

#include "timesync/ntp_time.h"
#include "timesync/reply_checks.h"
#include "timesync/result_texts.h"
#include "timesync/status_texts.h"

#include <algorithm>
#include <cmath>

namespace {

ReplyEvaluation Bogus(QueryOutcome outcome) {
    outcome.result = QueryOutcome::Result::Bogus;
    return {std::move(outcome), texts::kBogusData, false};
}

ReplyEvaluation Shown(QueryOutcome outcome, std::string text, bool warn) {
    outcome.result = QueryOutcome::Result::Answered;
    return {std::move(outcome), std::move(text), warn};
}

// A clock that was not set is never reported as corrected.
ReplyEvaluation Correct(QueryOutcome outcome, const platform::UtcInstant& instant, std::string text,
                        const TimeSyncHooks& hooks) {
    const std::string refusal = hooks.setSystemClock(instant);
    if (!refusal.empty()) {
        outcome.result = QueryOutcome::Result::ClockNotSet;
        outcome.refusal = refusal;
        return {std::move(outcome), results::ClockNotCorrectedText(refusal), false};
    }
    outcome.result = QueryOutcome::Result::Corrected;
    return {std::move(outcome), std::move(text), false};
}

std::optional<ReplyEvaluation> EvaluateSntp(const ReceivedReply& received, std::uint64_t nonce,
                                            bool correcting, QueryInstants& instants,
                                            const TimeSyncHooks& hooks, QueryOutcome outcome) {
    const checks::Verdict check = checks::CheckSntpReply(received.bytes, nonce);
    if (check == checks::Verdict::Drop) {
        return std::nullopt;
    }
    // The header fields are reported also for a reply refused for them (a kiss-of-death, a
    // server not synchronised).
    if (received.bytes.size() >= wire::kSntpPacketSize) {
        const wire::SntpReply header = wire::DecodeSntpReply(received.bytes);
        outcome.stratum = header.stratum;
        outcome.leap = header.leap;
        outcome.rootDelay = header.rootDelay;
        outcome.rootDispersion = header.rootDispersion;
    }
    if (check == checks::Verdict::Bogus) {
        return Bogus(std::move(outcome));
    }
    const std::int64_t waitedNs = received.arrivalNs ? received.kernelNs - *received.arrivalNs : 0;
    const wire::SntpReply reply = wire::DecodeSntpReply(received.bytes);
    instants.dRecvTime = ntp::ReadingAt(received.localNtp, waitedNs);
    instants.dServerXmitTime = ntp::TimestampSeconds(reply.transmit);
    instants.dServerRecvTime = ntp::TimestampSeconds(reply.receive);
    const double offset = ntp::ClockOffset(instants.dSendTime, instants.dServerRecvTime,
                                           instants.dServerXmitTime, instants.dRecvTime);
    const double delay = ntp::RoundTripDelay(instants.dSendTime, instants.dServerRecvTime,
                                             instants.dServerXmitTime, instants.dRecvTime);
    const double timebaseNtp = instants.dRecvTime + offset;
    const ntp::TimebaseTime timebase = ntp::SplitSeconds(timebaseNtp);
    if (!checks::IsPlausibleDelay(delay, reply) ||
        checks::CheckTimebaseTime(timebase.seconds) != checks::Verdict::Accept) {
        return Bogus(std::move(outcome));
    }
    outcome.offset = offset;
    outcome.delay = delay;
    outcome.timebaseTime = ntp::UtcInstantOf(timebaseNtp, 0);
    if (correcting) {
        // The Timebase's time at arrival, carried forward to the moment of setting by the
        // time since, on the kernel's clock.
        const std::int64_t sinceArrival =
            hooks.kernelClockNs() - received.kernelNs + std::max<std::int64_t>(waitedNs, 0);
        return Correct(std::move(outcome), ntp::UtcInstantOf(timebaseNtp, sinceArrival),
                       results::SntpCorrectedText(offset), hooks);
    }
    return Shown(std::move(outcome),
                 results::SntpReportText(ntp::UnixSeconds(timebase.seconds), offset),
                 results::ExceedsMaximumDelta(ntp::WholeSeconds(offset)));
}

ReplyEvaluation EvaluateTime(const ReceivedReply& received, bool correcting,
                             const TimeSyncHooks& hooks, QueryOutcome outcome) {
    if (checks::CheckTimeReply(received.bytes) != checks::Verdict::Accept) {
        return Bogus(std::move(outcome));
    }
    const std::int64_t timebaseSeconds = ntp::SecondsWithEra(wire::DecodeTimeReply(received.bytes));
    if (checks::CheckTimebaseTime(timebaseSeconds) != checks::Verdict::Accept) {
        return Bogus(std::move(outcome));
    }
    const std::int64_t unixSeconds = ntp::UnixSeconds(timebaseSeconds);
    const std::int64_t nowUnix =
        ntp::UnixSeconds(static_cast<std::int64_t>(std::floor(hooks.localClockNtp())));
    const std::int64_t delta = nowUnix - unixSeconds;
    outcome.delta = delta;
    outcome.timebaseTime = platform::UtcInstant{unixSeconds, 0};
    if (correcting) {
        // The received second as it stands: the protocol has no fraction and no transit time.
        return Correct(std::move(outcome), {unixSeconds, 0},
                       results::TimeCorrectedText(unixSeconds), hooks);
    }
    return Shown(std::move(outcome), results::TimeReportText(unixSeconds, delta),
                 results::ExceedsMaximumDelta(delta));
}

} // namespace

std::optional<ReplyEvaluation> EvaluateReply(wire::Protocol protocol, const ReceivedReply& reply,
                                             std::uint64_t nonce, bool correcting,
                                             QueryInstants& instants, const TimeSyncHooks& hooks) {
    QueryOutcome outcome;
    outcome.protocol = protocol;
    outcome.address = reply.address;
    if (protocol == wire::Protocol::Nts) {
        if (!reply.authentic) {
            outcome.result = QueryOutcome::Result::AuthenticationFailed;
            return ReplyEvaluation{std::move(outcome), texts::kAuthenticationFailed, false};
        }
        outcome.authenticated = true;
        return EvaluateSntp(reply, nonce, correcting, instants, hooks, std::move(outcome));
    }
    if (protocol == wire::Protocol::Sntp) {
        return EvaluateSntp(reply, nonce, correcting, instants, hooks, std::move(outcome));
    }
    return EvaluateTime(reply, correcting, hooks, std::move(outcome));
}
