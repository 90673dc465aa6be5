#include "platform/calendar.h"

namespace platform {

namespace {

// Empty where time_t is too narrow for the instant (a 32-bit time_t after 2038), rather
// than converting a wrapped-around one, or where the system cannot convert it.
template <typename Convert>
std::optional<std::tm> Calendar(std::int64_t unixSeconds, Convert convert) {
    const auto time = static_cast<std::time_t>(unixSeconds);
    std::tm fields{};
    if (static_cast<std::int64_t>(time) != unixSeconds || !convert(time, fields)) {
        return std::nullopt;
    }
    return fields;
}

} // namespace

std::optional<std::tm> LocalCalendar(std::int64_t unixSeconds) {
    return Calendar(unixSeconds, [](const std::time_t& time, std::tm& fields) {
#ifdef _WIN32
        return localtime_s(&fields, &time) == 0;
#else
        return localtime_r(&time, &fields) != nullptr;
#endif
    });
}

std::optional<std::tm> UtcCalendar(std::int64_t unixSeconds) {
    return Calendar(unixSeconds, [](const std::time_t& time, std::tm& fields) {
#ifdef _WIN32
        return gmtime_s(&fields, &time) == 0;
#else
        return gmtime_r(&time, &fields) != nullptr;
#endif
    });
}

} // namespace platform
