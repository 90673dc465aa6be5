#pragma once

// The arithmetic of the time scale: seconds since 1900-01-01 UTC, the NTP eras, the
// clock offset and the Timebase time it gives.
#include "platform/clock_setter.h"
#include "timesync/wire_format.h"

#include <cstdint>

namespace ntp {

// 2^-32: seconds per unit of a timestamp fraction.
inline constexpr double kFractionUnit = 1.0 / 4294967296.0;
inline constexpr std::int64_t kEraLength = std::int64_t{1} << 32;

// Wire seconds with their top bit clear belong to era 1, from 2036-02-07 on, so a
// 32-bit value covers 1968-01-20 to 2104-02-26.
std::int64_t SecondsWithEra(std::uint32_t wireSeconds);

// A timestamp as seconds since 1900, era included.
double TimestampSeconds(const wire::NtpTimestamp& timestamp);

// theta = ((T2 - T1) + (T3 - T4)) / 2: positive when the Timebase is ahead.
double ClockOffset(double t1, double t2, double t3, double t4);

// delta = (T4 - T1) - (T3 - T2): the round trip less the time the server held the request.
double RoundTripDelay(double t1, double t2, double t3, double t4);

// The local reading at an earlier moment the kernel stamped (a datagram's arrival or
// departure): a reading taken now minus the time since, measured on the kernel's clock.
// A negative time (the kernel's clock was stepped meanwhile) counts as none.
double ReadingAt(double readingNow, std::int64_t nanosecondsSince);

// An instant on the 1900 scale split into whole seconds (truncated toward zero) and
// the parts of the second.
struct TimebaseTime {
    std::int64_t seconds = 0;
    int milliseconds = 0;
    std::int32_t nanoseconds = 0;
};
TimebaseTime SplitSeconds(double secondsSince1900);

std::int64_t UnixSeconds(std::int64_t secondsSince1900);

// The UTC instant of a time on the 1900 scale, nanosecondsLater after it.
platform::UtcInstant UtcInstantOf(double secondsSince1900, std::int64_t nanosecondsLater);

// Whole seconds of an offset, truncated toward zero.
std::int64_t WholeSeconds(double offset);

} // namespace ntp
