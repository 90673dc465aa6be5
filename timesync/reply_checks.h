#pragma once

// The tests a reply must pass before it may be shown or set the clock, one named
// function each, in the order they are applied.
#include "timesync/wire_format.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace checks {

enum class Verdict {
    Accept,
    // Not an answer to this request: ignored, and the query keeps waiting.
    Drop,
    // An answer that must not be used: the query ends with the bogus-data text.
    Bogus,
};

bool IsLongEnough(std::size_t received, std::size_t needed);
bool AnswersOurRequest(const wire::SntpReply& reply, std::uint64_t nonce);
bool HasServerMode(const wire::SntpReply& reply);
bool IsServerSynchronised(const wire::SntpReply& reply);
bool HasKnownVersion(const wire::SntpReply& reply);
bool IsNotKissOfDeath(const wire::SntpReply& reply);
bool HasValidStratum(const wire::SntpReply& reply);
bool IsWithinMaximumDistance(const wire::SntpReply& reply);
bool SentAfterReceived(const wire::SntpReply& reply);
bool HasReceiveTimestamp(const wire::SntpReply& reply);
bool HasTransmitTimestamp(const wire::SntpReply& reply);
bool IsNonZero(std::int64_t timebaseSeconds);
bool IsNotBeforeRelease(std::int64_t unixSeconds);
// The round trip a reply may claim: not negative beyond the two clocks' precision, and
// not longer than the query waits.
bool IsPlausibleDelay(double delay, const wire::SntpReply& reply);

// No Timebase time before this release (2026-12-01 00:00:00 UTC) is taken: a clock is never
// set back before the program existed.
inline constexpr std::int64_t kEarliestTimebaseUnix = 1796083200;
// NTP's maximum distance, and how long a query waits for its answer (21 steps of 200 ms).
inline constexpr double kMaximumDistanceSeconds = 16.0;
inline constexpr double kQueryTimeoutSeconds = 4.2;
// No clock that serves time is coarser than a second; a larger precision field would
// excuse any order of the timestamps.
inline constexpr double kCoarsestPrecisionSeconds = 1.0;
// The local clock's precision (the kernel's stamps and clock_gettime resolve 1 us or better).
inline constexpr double kLocalPrecisionSeconds = 1e-6;

// The checks of an SNTP datagram, before any arithmetic.
Verdict CheckSntpReply(std::span<const std::uint8_t> bytes, std::uint64_t nonce);
// The length and the wire value of a Time protocol reply.
Verdict CheckTimeReply(std::span<const std::uint8_t> bytes);
// The checks of the Timebase time either protocol produced (seconds since 1900).
Verdict CheckTimebaseTime(std::int64_t timebaseSeconds);

} // namespace checks
