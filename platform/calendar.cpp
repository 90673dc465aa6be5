#include "platform/calendar.h"

namespace platform {

namespace {
// False where time_t is too narrow for the instant (a 32-bit time_t after 2038), rather
// than converting a wrapped-around one.
bool ToTimeT(std::int64_t unixSeconds, std::time_t& time) {
    time = static_cast<std::time_t>(unixSeconds);
    return static_cast<std::int64_t>(time) == unixSeconds;
}
} // namespace

std::optional<std::tm> LocalCalendar(std::int64_t unixSeconds) {
    std::time_t time{};
    std::tm fields{};
    if (!ToTimeT(unixSeconds, time)) {
        return std::nullopt;
    }
#ifdef _WIN32
    const bool converted = localtime_s(&fields, &time) == 0;
#else
    const bool converted = localtime_r(&time, &fields) != nullptr;
#endif
    return converted ? std::optional(fields) : std::nullopt;
}

std::optional<std::tm> UtcCalendar(std::int64_t unixSeconds) {
    std::time_t time{};
    std::tm fields{};
    if (!ToTimeT(unixSeconds, time)) {
        return std::nullopt;
    }
#ifdef _WIN32
    const bool converted = gmtime_s(&fields, &time) == 0;
#else
    const bool converted = gmtime_r(&time, &fields) != nullptr;
#endif
    return converted ? std::optional(fields) : std::nullopt;
}

} // namespace platform
