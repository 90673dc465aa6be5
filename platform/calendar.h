#pragma once

// Calendar fields of an instant, local and UTC. The C library's thread-safe conversions
// differ by system; this is the one place that knows them.
#include <cstdint>
#include <ctime>
#include <optional>

namespace platform {

// The local calendar fields of seconds since 1970-01-01 UTC; nothing when the system
// cannot convert the instant.
std::optional<std::tm> LocalCalendar(std::int64_t unixSeconds);

// The UTC calendar fields of seconds since 1970-01-01 UTC; nothing when the system cannot
// convert the instant.
std::optional<std::tm> UtcCalendar(std::int64_t unixSeconds);

} // namespace platform
