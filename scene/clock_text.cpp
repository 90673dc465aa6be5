#include "scene/clock_text.h"

#include "platform/calendar.h"
#include "scene/scene_values.h"

std::string FormatClockText(std::time_t instant) {
    const std::optional<std::tm> local = platform::LocalCalendar(instant);
    if (!local) {
        return {};
    }
    char text[32] = {};
    const size_t length = std::strftime(text, sizeof text, kClockTextFormat, &*local);
    return std::string(text, length);
}
