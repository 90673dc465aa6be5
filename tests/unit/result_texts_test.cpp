#include "timesync/result_texts.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

using namespace results;

namespace {
// The calendar texts are in local time; every test that reads one sets the zone first.
void SetZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
}
constexpr std::int64_t k2040 = 2224938896; // 2040-07-03 14:34:56 UTC
} // namespace

TEST(ClockText, IsMonthDayYearAnd24HourTimeInTheLocalZone) {
    SetZone("UTC");
    EXPECT_EQ(FormatClock(0), "01/01/70 00:00:00");
    EXPECT_EQ(FormatClock(2147483648), "01/19/38 03:14:08");
    EXPECT_EQ(FormatClock(4233462143), "02/26/04 09:42:23"); // 2104
    // A POSIX rule rather than a zone file, so that no tz data is needed.
    SetZone("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(FormatClock(0), "12/31/69 19:00:00");
    EXPECT_EQ(FormatClock(k2040), "07/03/40 10:34:56");
}

TEST(SecondsText, HasThreeDecimalsLikePrintf) {
    EXPECT_EQ(FormatSeconds(-1e9), "-1000000000.000 seconds");
    for (double value : {10.0, -1.5, -0.0004, 0.0005, 0.0015, 2.675, -2.0005, 123456.9995}) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.3f seconds", value);
        EXPECT_EQ(FormatSeconds(value), expected) << value;
    }
}

TEST(ResultTexts, SntpAndTimeReportsAndCorrections) {
    SetZone("UTC");
    EXPECT_EQ(SntpReportText(k2040, 10.0),
              "Timebase Clock: 07/03/40 14:34:56. Delta: 10.000 seconds");
    EXPECT_EQ(SntpCorrectedText(-0.0125), "System Clock Corrected by: -0.013 seconds");
    EXPECT_EQ(TimeReportText(k2040, -1),
              "Timebase Clock: 07/03/40 14:34:56. Delta: 0 days 00:00:-1");
    EXPECT_EQ(TimeCorrectedText(k2040), "System Clock Corrected to: 07/03/40 14:34:56. ");
    EXPECT_EQ(ClockNotCorrectedText("Operation not permitted"),
              "Reset: System Clock NOT Corrected: Operation not permitted");
}

TEST(DeltaSpan, TruncatesEveryPartAndKeepsTheSign) {
    struct Case {
        std::int64_t delta;
        const char* text;
    };
    const Case cases[] = {
        {3725, "Delta: 0 days 01:02:05"},           {-3725, "Delta: 0 days -1:-2:-5"},
        {90061, "Delta: 1 days 01:01:01"},          {-90061, "Delta: -1 days -1:-1:-1"},
        {-36000, "Delta: 0 days -10:00:00"},        {0, "Delta: 0 days 00:00:00"},
        {4233462143, "Delta: 48998 days 09:42:23"}, // era 1 sizes do not overflow
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDeltaSpan(c.delta), c.text) << c.delta;
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
