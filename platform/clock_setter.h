#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A UTC instant: seconds since 1970-01-01 00:00:00 UTC and the nanoseconds after them.
struct UtcInstant {
    std::int64_t seconds = 0;
    std::int32_t nanoseconds = 0;
    bool operator==(const UtcInstant&) const = default;
};

// Sets the system clock to the instant. No local calendar fields are involved, so the
// repeated hour of a daylight-saving change is not ambiguous. Returns an empty text on
// success, otherwise the system's reason for refusing (for example "Operation not
// permitted").
std::string SetSystemClock(const UtcInstant& instant);

} // namespace platform
