#include "timesync/reply_evaluation.h"

#include "timesync/ntp_time.h"
#include "timesync/reply_checks.h"
#include "timesync/result_texts.h"
#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"

#include <algorithm>

namespace {

using Refusal = ReplyDecision::Refusal;

ReplyDecision Refused(Refusal refusal, QueryOutcome outcome, QueryOutcome::Result result,
                      std::string text) {
    outcome.result = result;
    return {refusal, std::move(outcome), std::move(text), false};
}

ReplyDecision Bogus(QueryOutcome outcome) {
    return Refused(Refusal::Bogus, std::move(outcome), QueryOutcome::Result::Bogus,
                   Translated(texts::kBogusData));
}

ReplyDecision Answered(QueryOutcome outcome, Measurement measurement, std::string text, bool warn) {
    outcome.result = QueryOutcome::Result::Answered;
    outcome.measurement = measurement;
    return {Refusal::None, std::move(outcome), std::move(text), warn};
}

ReplyDecision DecideSntp(const ReceivedReply& received, std::uint64_t nonce,
                         Measurement measurement, QueryOutcome outcome) {
    const checks::Verdict check = checks::CheckSntpReply(received.bytes, nonce);
    if (check == checks::Verdict::Drop) {
        return Refused(Refusal::NotOurs, std::move(outcome), QueryOutcome::Result::Bogus, {});
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
    const std::int64_t t1 = received.sentNtpNs;
    const std::int64_t t2 = ntp::TimestampNs(reply.receive);
    const std::int64_t t3 = ntp::TimestampNs(reply.transmit);
    const std::int64_t t4 = ntp::ReadingAt(received.localNtpNs, waitedNs);
    const double offset = ntp::ClockOffset(t1, t2, t3, t4);
    const double delay = ntp::RoundTripDelay(t1, t2, t3, t4);
    const std::int64_t timebaseNs = ntp::TimebaseAt(t1, t2, t3, t4);
    const std::int64_t timebaseSeconds = ntp::FloorSeconds(timebaseNs);
    if (!checks::IsPlausibleDelay(delay, reply) ||
        checks::CheckTimebaseTime(timebaseSeconds) != checks::Verdict::Accept) {
        return Bogus(std::move(outcome));
    }
    outcome.offset = offset;
    outcome.delay = delay;
    outcome.timebaseTime = ntp::UtcInstantOf(timebaseNs);
    measurement.offset = offset;
    measurement.delay = delay;
    measurement.timebaseTime = *outcome.timebaseTime;
    // T4 on the kernel's clock: the arrival stamp, else the reading itself.
    measurement.localNs = received.kernelNs - std::max<std::int64_t>(waitedNs, 0);
    measurement.stratum = reply.stratum;
    measurement.leap = reply.leap;
    measurement.rootDelay = reply.rootDelay;
    measurement.rootDispersion = reply.rootDispersion;
    return Answered(std::move(outcome), measurement,
                    results::SntpReportText(ntp::UnixSeconds(timebaseSeconds), offset),
                    results::ExceedsMaximumDelta(ntp::WholeSeconds(offset)));
}

ReplyDecision DecideTime(const ReceivedReply& received, Measurement measurement,
                         QueryOutcome outcome) {
    if (checks::CheckTimeReply(received.bytes) != checks::Verdict::Accept) {
        return Bogus(std::move(outcome));
    }
    const std::int64_t timebaseSeconds = ntp::SecondsWithEra(wire::DecodeTimeReply(received.bytes));
    if (checks::CheckTimebaseTime(timebaseSeconds) != checks::Verdict::Accept) {
        return Bogus(std::move(outcome));
    }
    const std::int64_t unixSeconds = ntp::UnixSeconds(timebaseSeconds);
    const std::int64_t nowUnix = ntp::UnixSeconds(ntp::FloorSeconds(received.localNtpNs));
    const std::int64_t delta = nowUnix - unixSeconds;
    outcome.delta = delta;
    outcome.timebaseTime = platform::UtcInstant{unixSeconds, 0};
    measurement.offset = static_cast<double>(-delta);
    measurement.timebaseTime = *outcome.timebaseTime;
    return Answered(std::move(outcome), measurement, results::TimeReportText(unixSeconds, delta),
                    results::ExceedsMaximumDelta(delta));
}

} // namespace

ReplyDecision DecideReply(const wire::Transport& transport, const ReceivedReply& reply,
                          std::uint64_t nonce, NtsCheck nts) {
    QueryOutcome outcome;
    outcome.protocol = transport.protocol;
    outcome.address = reply.address;
    Measurement measurement;
    measurement.transport = transport;
    if (transport.protocol == wire::Protocol::Nts) {
        switch (nts) {
        case NtsCheck::NotOurs:
            return Refused(Refusal::NotOurs, std::move(outcome), QueryOutcome::Result::Bogus, {});
        case NtsCheck::Renew:
            return Refused(Refusal::Renew, std::move(outcome),
                           QueryOutcome::Result::AuthenticationFailed, {});
        case NtsCheck::Authentic:
            break;
        case NtsCheck::Unprotected:
        case NtsCheck::Unauthenticated:
            return Refused(Refusal::Unauthenticated, std::move(outcome),
                           QueryOutcome::Result::AuthenticationFailed,
                           Translated(texts::kAuthenticationFailed));
        }
        outcome.authenticated = measurement.authenticated = true;
        return DecideSntp(reply, nonce, measurement, std::move(outcome));
    }
    if (transport.protocol == wire::Protocol::Sntp) {
        return DecideSntp(reply, nonce, measurement, std::move(outcome));
    }
    return DecideTime(reply, measurement, std::move(outcome));
}
