#include "timesync/ntp_time.h"

#include "platform/local_clock.h"

#include <cmath>

namespace ntp {

namespace {

// Half of a + b exactly, as whole nanoseconds and a remainder of -1, 0 or 1 half: the sum
// itself may pass int64 for a reply a century off.
struct Half {
    std::int64_t whole;
    int halves;
};

Half HalfSum(std::int64_t a, std::int64_t b) {
    const int halves = static_cast<int>(a % 2 + b % 2);
    return {a / 2 + b / 2 + halves / 2, halves % 2};
}

double Seconds(std::int64_t nanoseconds) {
    return static_cast<double>(nanoseconds) / static_cast<double>(kNanosecondsPerSecond);
}

} // namespace

std::int64_t SecondsWithEra(std::uint32_t wireSeconds) {
    const bool era0 = (wireSeconds & 0x80000000U) != 0;
    return era0 ? std::int64_t{wireSeconds} : std::int64_t{wireSeconds} + kEraLength;
}

std::int64_t TimestampNs(const wire::NtpTimestamp& timestamp) {
    // 2^32 * 10^9 fits in 64 bits unsigned.
    const std::uint64_t scaled = std::uint64_t{timestamp.fraction} * kNanosecondsPerSecond;
    const auto fractionNs = static_cast<std::int64_t>((scaled + (std::uint64_t{1} << 31)) >> 32);
    return SecondsWithEra(timestamp.seconds) * kNanosecondsPerSecond + fractionNs;
}

double ClockOffset(std::int64_t t1, std::int64_t t2, std::int64_t t3, std::int64_t t4) {
    const Half theta = HalfSum(t2 - t1, t3 - t4);
    return Seconds(theta.whole) + theta.halves * 0.5e-9;
}

double RoundTripDelay(std::int64_t t1, std::int64_t t2, std::int64_t t3, std::int64_t t4) {
    return Seconds((t4 - t1) - (t3 - t2));
}

std::int64_t TimebaseAt(std::int64_t t1, std::int64_t t2, std::int64_t t3, std::int64_t t4) {
    return t4 + HalfSum(t2 - t1, t3 - t4).whole;
}

std::int64_t ReadingAt(std::int64_t readingNowNs, std::int64_t nanosecondsSince) {
    return nanosecondsSince <= 0 ? readingNowNs : readingNowNs - nanosecondsSince;
}

std::int64_t FloorSeconds(std::int64_t nanosecondsSince1900) {
    const std::int64_t seconds = nanosecondsSince1900 / kNanosecondsPerSecond;
    return nanosecondsSince1900 % kNanosecondsPerSecond < 0 ? seconds - 1 : seconds;
}

std::int64_t UnixSeconds(std::int64_t secondsSince1900) {
    return secondsSince1900 - platform::kSecondsFrom1900To1970;
}

platform::UtcInstant UtcInstantOf(std::int64_t nanosecondsSince1900) {
    const std::int64_t seconds = FloorSeconds(nanosecondsSince1900);
    platform::UtcInstant instant;
    instant.seconds = UnixSeconds(seconds);
    instant.nanoseconds =
        static_cast<std::int32_t>(nanosecondsSince1900 - seconds * kNanosecondsPerSecond);
    return instant;
}

std::int64_t WholeSeconds(double offset) {
    return static_cast<std::int64_t>(std::trunc(offset));
}

} // namespace ntp
