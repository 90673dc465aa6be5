// The parts of the result texts; whole texts are checked where a reply is evaluated.
#include "timesync/result_texts.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

using namespace results;

TEST(ClockText, IsMonthDayYearAnd24HourTimeInTheLocalZone) {
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(FormatClock(2147483648), "01/19/38 03:14:08");
    EXPECT_EQ(FormatClock(4233462143), "02/26/04 09:42:23"); // 2104
    // A POSIX rule rather than a zone file, so that no tz data is needed.
    setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
    tzset();
    EXPECT_EQ(FormatClock(0), "12/31/69 19:00:00");
    EXPECT_EQ(FormatClock(2224938896), "07/03/40 10:34:56"); // 14:34:56 UTC, summer time
}

TEST(SecondsText, HasThreeDecimalsLikePrintf) {
    EXPECT_EQ(FormatSeconds(-1e9), "-1000000000.000 seconds");
    for (double value : {10.0, -1.5, -0.0004, 0.0005, 0.0015, 2.675, -2.0005, 123456.9995}) {
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

TEST(MaximumDelta, ThirtyMinutesEitherWayInWholeSeconds) {
    const std::pair<std::int64_t, bool> cases[] = {{1800, true},  {1799, false},
                                                   {-1800, true}, {-1799, false},
                                                   {1859, true},  {4233462143, true}};
    for (const auto& [seconds, warns] : cases) {
        EXPECT_EQ(ExceedsMaximumDelta(seconds), warns) << seconds;
    }
}
