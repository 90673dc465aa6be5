#include "timesync/reply_checks.h"

#include "timesync/ntp_time.h"

#include <array>

namespace checks {

namespace {

struct SntpCheck {
    std::string_view name;
    Verdict onFailure;
    bool (*passes)(const wire::SntpReply&, std::uint64_t nonce);
};

// The originate test comes first: a datagram that does not answer this request says
// nothing about the Timebase, so it must not end the query either.
constexpr std::array kSntpChecks{
    SntpCheck{"AnswersOurRequest", Verdict::Drop,
              [](const wire::SntpReply& r, std::uint64_t n) { return AnswersOurRequest(r, n); }},
    SntpCheck{"HasServerMode", Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return HasServerMode(r); }},
    SntpCheck{"IsServerSynchronised", Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return IsServerSynchronised(r); }},
    SntpCheck{"IsNotKissOfDeath", Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return IsNotKissOfDeath(r); }},
    SntpCheck{"HasReceiveTimestamp", Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return HasReceiveTimestamp(r); }},
    SntpCheck{"HasTransmitTimestamp", Verdict::Bogus,
              [](const wire::SntpReply& r, std::uint64_t) { return HasTransmitTimestamp(r); }},
};

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

bool IsNotKissOfDeath(const wire::SntpReply& reply) {
    return reply.stratum != 0;
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

bool IsNotBefore1970(std::int64_t unixSeconds) {
    return unixSeconds >= 0;
}

Result CheckSntpReply(std::span<const std::uint8_t> bytes, std::uint64_t nonce) {
    // Too short to hold our origin value, so it cannot be tied to the request: a stranger's
    // junk must not end the query.
    if (!IsLongEnough(bytes.size(), wire::kSntpPacketSize)) {
        return {Verdict::Drop, "IsLongEnough"};
    }
    const wire::SntpReply reply = wire::DecodeSntpReply(bytes);
    for (const SntpCheck& check : kSntpChecks) {
        if (!check.passes(reply, nonce)) {
            return {check.onFailure, check.name};
        }
    }
    return {};
}

Result CheckTimeReply(std::span<const std::uint8_t> bytes) {
    if (!IsLongEnough(bytes.size(), wire::kTimeReplySize)) {
        return {Verdict::Bogus, "IsLongEnough"};
    }
    // The wire value itself: in era 1 a zero would otherwise mean 2036-02-07.
    if (!IsNonZero(wire::DecodeTimeReply(bytes))) {
        return {Verdict::Bogus, "IsNonZero"};
    }
    return {};
}

Result CheckTimebaseTime(std::int64_t timebaseSeconds) {
    if (!IsNonZero(timebaseSeconds)) {
        return {Verdict::Bogus, "IsNonZero"};
    }
    if (!IsNotBefore1970(ntp::UnixSeconds(timebaseSeconds))) {
        return {Verdict::Bogus, "IsNotBefore1970"};
    }
    return {};
}

} // namespace checks
