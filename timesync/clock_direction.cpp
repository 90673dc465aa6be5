#include "timesync/clock_direction.h"

#include "timesync/status_texts.h"
#include "timesync/time_sync_hooks.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace direction {

namespace {

constexpr double kMatchBelow = 0.0005; // what "%.3f" shows as 0.000
constexpr double kSecondsPerMinute = 60;

struct Unit {
    std::int64_t seconds;
    const char* one;
    const char* many;
};
constexpr Unit kUnits[] = {
    {86400, QT_TRANSLATE_NOOP("texts", "1 day"), QT_TRANSLATE_NOOP("texts", "%1 days")},
    {3600, QT_TRANSLATE_NOOP("texts", "1 hour"), QT_TRANSLATE_NOOP("texts", "%1 hours")},
    {60, QT_TRANSLATE_NOOP("texts", "1 minute"), QT_TRANSLATE_NOOP("texts", "%1 minutes")},
    {1, QT_TRANSLATE_NOOP("texts", "1 second"), QT_TRANSLATE_NOOP("texts", "%1 seconds")},
};

std::string CountOf(const Unit& unit, std::int64_t count) {
    return TranslatedCount(count, unit.one, unit.many);
}

// "%.3f" in every locale, as the result texts write it.
std::string ThreeDecimals(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    return std::string(buffer, result.ptr);
}

} // namespace

std::string AmountText(double seconds) {
    const double size = std::fabs(seconds);
    if (!std::isfinite(size)) {
        return {};
    }
    if (size < kSecondsPerMinute - kMatchBelow) {
        return Translated(QT_TRANSLATE_NOOP("texts", "%1 seconds"), {ThreeDecimals(size)});
    }
    // Beyond any clock's range the count would not fit; days still say it.
    const auto whole = static_cast<std::int64_t>(std::llround(std::fmin(size, 1e15)));
    for (std::size_t i = 0; i < std::size(kUnits); ++i) {
        const std::int64_t count = whole / kUnits[i].seconds;
        if (count == 0) {
            continue;
        }
        std::string text = CountOf(kUnits[i], count);
        const std::int64_t rest =
            i + 1 < std::size(kUnits) ? whole % kUnits[i].seconds / kUnits[i + 1].seconds : 0;
        if (rest != 0) {
            text = Translated(QT_TRANSLATE_NOOP("texts", "%1 %2"),
                              {text, CountOf(kUnits[i + 1], rest)});
        }
        return text;
    }
    return {};
}

std::string DirectionText(double offset) {
    if (!std::isfinite(offset)) {
        return {};
    }
    if (std::fabs(offset) < kMatchBelow) {
        return Translated(QT_TRANSLATE_NOOP("texts", "Your clock matches the Timebase"));
    }
    const char* text = offset > 0
                           ? QT_TRANSLATE_NOOP("texts", "Your clock is %1 behind the Timebase")
                           : QT_TRANSLATE_NOOP("texts", "Your clock is %1 ahead of the Timebase");
    return Translated(text, {AmountText(offset)});
}

std::string MaxDeltaWarningText(double offset) {
    const char* advice = QT_TRANSLATE_NOOP(
        "texts",
        "Maximum Delta Warning\n\n%1.\n\nThis message indicates one of the following:\n"
        "- The time zone was wrong when the clock was set by hand, so the clock was set hours "
        "off to look right: check the time zone in the desktop's date and time settings or "
        "with \"timedatectl\",\n"
        "- The TZ variable of your environment named a wrong or invalid time zone when the "
        "clock was set,\n"
        "- Your system clock is simply more than 30 minutes off.");
    return Translated(advice, {DirectionText(offset)});
}

} // namespace direction
