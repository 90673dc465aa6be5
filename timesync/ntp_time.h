#pragma once

// The arithmetic of the time scale: instants as integer nanoseconds since 1900-01-01 UTC,
// the NTP eras, the clock offset and the Timebase time it gives. Instants stay integers
// until theta and delta are formed: a double of seconds since 1900 resolves only 2^-21 s.
#include "platform/clock_setter.h"
#include "timesync/wire_format.h"

#include <cstdint>

namespace ntp {

inline constexpr std::int64_t kEraLength = std::int64_t{1} << 32;
inline constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

// Wire seconds with their top bit clear belong to era 1, from 2036-02-07 on, so a
// 32-bit value covers 1968-01-20 to 2104-02-26 (int64 nanoseconds reach 2192).
std::int64_t SecondsWithEra(std::uint32_t wireSeconds);

// A timestamp as nanoseconds since 1900, era included, the fraction rounded to the
// nearest nanosecond.
std::int64_t TimestampNs(const wire::NtpTimestamp& timestamp);

// theta = ((T2 - T1) + (T3 - T4)) / 2 in seconds: positive when the Timebase is ahead.
double ClockOffset(std::int64_t t1, std::int64_t t2, std::int64_t t3, std::int64_t t4);

// delta = (T4 - T1) - (T3 - T2) in seconds: the round trip less the time the server held
// the request.
double RoundTripDelay(std::int64_t t1, std::int64_t t2, std::int64_t t3, std::int64_t t4);

// The Timebase's time at T4: T4 + theta, truncated to the nanosecond.
std::int64_t TimebaseAt(std::int64_t t1, std::int64_t t2, std::int64_t t3, std::int64_t t4);

// The local reading at an earlier moment the kernel stamped (a datagram's arrival or
// departure): a reading taken now minus the time since, measured on the kernel's clock.
// A negative time (the kernel's clock was stepped meanwhile) counts as none.
std::int64_t ReadingAt(std::int64_t readingNowNs, std::int64_t nanosecondsSince);

// Whole seconds of an instant on the 1900 scale (rounded down).
std::int64_t FloorSeconds(std::int64_t nanosecondsSince1900);

std::int64_t UnixSeconds(std::int64_t secondsSince1900);

// The UTC instant of a time on the 1900 scale.
platform::UtcInstant UtcInstantOf(std::int64_t nanosecondsSince1900);

// Whole seconds of an offset, truncated toward zero.
std::int64_t WholeSeconds(double offset);

} // namespace ntp
