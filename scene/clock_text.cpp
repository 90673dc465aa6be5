#include "scene/clock_text.h"

#include "scene/scene_values.h"

std::string FormatClockText(std::time_t instant) {
    std::tm local{};
    if (!localtime_r(&instant, &local)) {
        return {};
    }
    char text[32] = {};
    const size_t length = std::strftime(text, sizeof text, kClockTextFormat, &local);
    return std::string(text, length);
}
