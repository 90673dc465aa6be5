#include "timesync/ntp_time.h"

#include "platform/local_clock.h"

#include <algorithm>
#include <cmath>

namespace ntp {

std::int64_t SecondsWithEra(std::uint32_t wireSeconds) {
    const bool era0 = (wireSeconds & 0x80000000U) != 0;
    return era0 ? std::int64_t{wireSeconds} : std::int64_t{wireSeconds} + kEraLength;
}

double TimestampSeconds(const wire::NtpTimestamp& timestamp) {
    return static_cast<double>(SecondsWithEra(timestamp.seconds)) +
           static_cast<double>(timestamp.fraction) * kFractionUnit;
}

double ClockOffset(double t1, double t2, double t3, double t4) {
    return ((t2 - t1) + (t3 - t4)) * 0.5;
}

double RoundTripDelay(double t1, double t2, double t3, double t4) {
    return (t4 - t1) - (t3 - t2);
}

double ReadingAt(double readingNow, std::int64_t nanosecondsSince) {
    if (nanosecondsSince <= 0) {
        return readingNow;
    }
    return readingNow - static_cast<double>(nanosecondsSince) * 1e-9;
}

TimebaseTime SplitSeconds(double secondsSince1900) {
    double whole = 0.0;
    const double fraction = std::modf(secondsSince1900, &whole);
    TimebaseTime time;
    time.seconds = static_cast<std::int64_t>(whole);
    time.milliseconds = static_cast<int>(fraction * 1000.0);
    time.nanoseconds = static_cast<std::int32_t>(fraction * 1e9);
    return time;
}

std::int64_t UnixSeconds(std::int64_t secondsSince1900) {
    return secondsSince1900 - platform::kSecondsFrom1900To1970;
}

platform::UtcInstant UtcInstantOf(double secondsSince1900, std::int64_t nanosecondsLater) {
    const double unixSeconds = secondsSince1900 -
                               static_cast<double>(platform::kSecondsFrom1900To1970) +
                               static_cast<double>(nanosecondsLater) * 1e-9;
    const double whole = std::floor(unixSeconds);
    platform::UtcInstant instant;
    instant.seconds = static_cast<std::int64_t>(whole);
    instant.nanoseconds =
        std::min(static_cast<std::int32_t>((unixSeconds - whole) * 1e9), std::int32_t{999999999});
    return instant;
}

std::int64_t WholeSeconds(double offset) {
    return static_cast<std::int64_t>(std::trunc(offset));
}

} // namespace ntp
