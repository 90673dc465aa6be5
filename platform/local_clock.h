#pragma once

#include <cstdint>

namespace platform {

// Seconds between 1900-01-01 (the NTP and Time protocol epoch) and 1970-01-01.
inline constexpr long long kSecondsFrom1900To1970 = 2208988800LL;

// The real-time clock as nanoseconds since 1900-01-01 UTC, at full resolution.
std::int64_t LocalClockNtpNs();

} // namespace platform
