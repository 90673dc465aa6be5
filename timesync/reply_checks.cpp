#include "timesync/reply_checks.h"

#include "timesync/ntp_time.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace checks {

namespace {

struct SntpCheck {
    Verdict onFailure;
    bool (*passes)(const wire::SntpReply&, std::uint64_t nonce);
};

// The originate test comes first: a datagram that does not answer this request says
// nothing about the Timebase, so it must not end the query either.
constexpr std::array kSntpChecks{
    SntpCheck{Verdict::Drop,
              [](const wire::SntpReply& r, std::uint64_t n) { return AnswersOurRequest(r, n); }},
    SntpCheck{Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return HasServerMode(r); }},
    SntpCheck{Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return IsServerSynchronised(r); }},
    SntpCheck{Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return HasKnownVersion(r); }},
    SntpCheck{Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return IsNotKissOfDeath(r); }},
    SntpCheck{Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return HasValidStratum(r); }},
    SntpCheck{Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return IsWithinMaximumDistance(r); }},
    SntpCheck{Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return HasReceiveTimestamp(r); }},
    SntpCheck{Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return HasTransmitTimestamp(r); }},
    SntpCheck{Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return SentAfterReceived(r); }},
};

double PrecisionSeconds(const wire::SntpReply& reply) {
    return std::min(std::ldexp(1.0, reply.precision), kCoarsestPrecisionSeconds);
}

} // namespace

bool IsLongEnough(std::size_t received, std::size_t needed) {
    return received >= needed;
}

bool AnswersOurRequest(const wire::SntpReply& reply, std::uint64_t nonce) {
    return reply.originate == nonce;
}

bool HasServerMode(const wire::SntpReply& reply) {
    return reply.mode == wire::kModeServer;
}

bool IsServerSynchronised(const wire::SntpReply& reply) {
    return reply.leap != wire::kLeapNotSynchronised;
}

bool HasKnownVersion(const wire::SntpReply& reply) {
    return reply.version >= 1 && reply.version <= 4;
}

bool IsNotKissOfDeath(const wire::SntpReply& reply) {
    return reply.stratum != 0;
}

bool HasValidStratum(const wire::SntpReply& reply) {
    return reply.stratum < 16;
}

bool IsWithinMaximumDistance(const wire::SntpReply& reply) {
    return reply.rootDelay / 2 + reply.rootDispersion < kMaximumDistanceSeconds;
}

bool SentAfterReceived(const wire::SntpReply& reply) {
    const std::int64_t heldNs = ntp::TimestampNs(reply.transmit) - ntp::TimestampNs(reply.receive);
    return static_cast<double>(heldNs) * 1e-9 >= -PrecisionSeconds(reply);
}

// A zero timestamp would read as 2036-02-07 in era 1 and pull the result years off.
bool HasReceiveTimestamp(const wire::SntpReply& reply) {
    return !reply.receive.IsZero();
}

bool HasTransmitTimestamp(const wire::SntpReply& reply) {
    return !reply.transmit.IsZero();
}

bool IsNonZero(std::int64_t timebaseSeconds) {
    return timebaseSeconds != 0;
}

bool IsNotBeforeRelease(std::int64_t unixSeconds) {
    return unixSeconds >= kEarliestTimebaseUnix;
}

bool IsPlausibleDelay(double delay, const wire::SntpReply& reply) {
    return delay >= -(PrecisionSeconds(reply) + kLocalPrecisionSeconds) &&
           delay <= kQueryTimeoutSeconds;
}

Verdict CheckSntpReply(std::span<const std::uint8_t> bytes, std::uint64_t nonce) {
    // Too short to hold our origin value, so it cannot be tied to the request: a stranger's
    // junk must not end the query.
    if (!IsLongEnough(bytes.size(), wire::kSntpPacketSize)) {
        return Verdict::Drop;
    }
    const wire::SntpReply reply = wire::DecodeSntpReply(bytes);
    for (const SntpCheck& check : kSntpChecks) {
        if (!check.passes(reply, nonce)) {
            return check.onFailure;
        }
    }
    return Verdict::Accept;
}

Verdict CheckTimeReply(std::span<const std::uint8_t> bytes) {
    if (!IsLongEnough(bytes.size(), wire::kTimeReplySize)) {
        return Verdict::Bogus;
    }
    // The wire value itself: in era 1 a zero would otherwise mean 2036-02-07.
    if (!IsNonZero(wire::DecodeTimeReply(bytes))) {
        return Verdict::Bogus;
    }
    return Verdict::Accept;
}

Verdict CheckTimebaseTime(std::int64_t timebaseSeconds) {
    if (!IsNonZero(timebaseSeconds)) {
        return Verdict::Bogus;
    }
    if (!IsNotBeforeRelease(ntp::UnixSeconds(timebaseSeconds))) {
        return Verdict::Bogus;
    }
    return Verdict::Accept;
}

} // namespace checks
