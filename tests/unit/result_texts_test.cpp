// The parts of the result texts; whole texts, and the maximum delta, are checked where a
// reply is evaluated.
#include "timesync/clock_direction.h"
#include "timesync/result_texts.h"
#include "timesync/time_sync_hooks.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>

using namespace results;

// Null for no TZ at all: the system's zone.
static void SetZone(const char* zone) {
    zone ? setenv("TZ", zone, 1) : unsetenv("TZ");
    tzset();
}

TEST(ClockText, IsMonthDayYearAnd24HourTimeInTheLocalZone) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    SetZone("UTC");
    EXPECT_EQ(FormatClock(4233462143), "02/26/04 09:42:23"); // 2104
    // A POSIX rule rather than a zone file, so that no tz data is needed.
    SetZone("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(FormatClock(0), "12/31/69 19:00:00");
    EXPECT_EQ(FormatClock(2224938896), "07/03/40 10:34:56"); // 14:34:56 UTC, summer time
    SetZone(old ? saved.c_str() : nullptr);
}

TEST(SecondsText, HasThreeDecimalsLikePrintf) {
    for (double value : {-1e9, 10.0, -1.5, -0.0004, 0.0005, 0.0015, 2.675, -2.0005, 123456.9995}) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.3f seconds", value);
        EXPECT_EQ(FormatSeconds(value), expected) << value;
    }
}

TEST(DeltaSpan, TruncatesEveryPartAndKeepsTheSign) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {3725, "Delta: 0 days 01:02:05"},    {-3725, "Delta: 0 days -1:-2:-5"},
        {90061, "Delta: 1 days 01:01:01"},   {-90061, "Delta: -1 days -1:-1:-1"},
        {-36000, "Delta: 0 days -10:00:00"}, {4233462143, "Delta: 48998 days 09:42:23"}};
    for (const auto& [delta, text] : cases) {
        EXPECT_EQ(FormatDeltaSpan(delta), text) << delta;
    }
}

// Theta is positive when the Timebase is ahead: then the user's clock is behind.
TEST(DirectionText, SaysTheAmountAndWhichWay) {
    const std::pair<double, const char*> cases[] = {
        {0.0004, "Your clock matches the Timebase"},
        {-0.0004, "Your clock matches the Timebase"},
        {0.25, "Your clock is 0.250 seconds behind the Timebase"},
        {-59.9994, "Your clock is 59.999 seconds ahead of the Timebase"},
        {59.9996, "Your clock is 1 minute behind the Timebase"},
        {3599.999, "Your clock is 1 hour behind the Timebase"},
        {-3600, "Your clock is 1 hour ahead of the Timebase"},
        {5430, "Your clock is 1 hour 30 minutes behind the Timebase"},
        {7261, "Your clock is 2 hours 1 minute behind the Timebase"},
        {-172859, "Your clock is 2 days ahead of the Timebase"},
        {1e300, "Your clock is 11574074074 days 1 hour behind the Timebase"}};
    for (const auto& [offset, text] : cases) {
        EXPECT_EQ(direction::DirectionText(offset), text) << offset;
    }
    SetTextTranslator([](const char* text) {
        return std::string(std::string(text) == "1 hour" ? "1 Stunde" : text);
    });
    EXPECT_EQ(direction::DirectionText(-3600), "Your clock is 1 Stunde ahead of the Timebase");
    SetTextTranslator(nullptr);
}
