#include "timesync/result_texts.h"

#include "timesync/ntp_time.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

using namespace results;

namespace {

// The calendar texts are in local time; each test fixes the zone it expects.
class LocalZone {
  public:
    explicit LocalZone(const char* zone) {
        const char* old = std::getenv("TZ");
        m_hadOld = old != nullptr;
        if (m_hadOld) {
            m_old = old;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~LocalZone() {
        if (m_hadOld) {
            setenv("TZ", m_old.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

  private:
    bool m_hadOld = false;
    std::string m_old;
};

// 2040-07-03 14:34:56 UTC.
constexpr std::int64_t k2040 = 2224938896;

} // namespace

TEST(ClockText, IsMonthDayTwoDigitYearAnd24HourTime) {
    LocalZone utc("UTC");
    EXPECT_EQ(FormatClock(0), "01/01/70 00:00:00");
    EXPECT_EQ(FormatClock(2147483647), "01/19/38 03:14:07");
    EXPECT_EQ(FormatClock(2147483648), "01/19/38 03:14:08");
    EXPECT_EQ(FormatClock(k2040), "07/03/40 14:34:56");
    EXPECT_EQ(FormatClock(4233462143), "02/26/04 09:42:23"); // 2104
}

TEST(ClockText, FollowsTheLocalZoneAndItsSummerTime) {
    // A POSIX rule rather than a zone file, so that no tz data is needed.
    LocalZone newYork("EST5EDT,M3.2.0,M11.1.0");
    EXPECT_EQ(FormatClock(0), "12/31/69 19:00:00");
    EXPECT_EQ(FormatClock(k2040), "07/03/40 10:34:56");
}

TEST(SecondsText, HasThreeDecimalsLikePrintf) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{10.0, "10.000 seconds"},    {0.25, "0.250 seconds"},
                          {-1.5, "-1.500 seconds"},    {3600.0123, "3600.012 seconds"},
                          {-0.0004, "-0.000 seconds"}, {-1e9, "-1000000000.000 seconds"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormatSeconds(c.value), c.text);
    }
    // Rounding as printf does it, digit for digit.
    for (double value : {0.0005, 0.0015, 2.675, -2.0005, 1e-9, 123456.9995, 0.1 + 0.2}) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.3f seconds", value);
        EXPECT_EQ(FormatSeconds(value), expected) << value;
    }
}

TEST(ResultTexts, SntpAndTimeReportsAndCorrections) {
    LocalZone utc("UTC");
    EXPECT_EQ(SntpReportText(k2040, 10.0),
              "Timebase Clock: 07/03/40 14:34:56. Delta: 10.000 seconds");
    EXPECT_EQ(SntpReportText(0, -0.0125),
              "Timebase Clock: 01/01/70 00:00:00. Delta: -0.013 seconds");
    EXPECT_EQ(SntpCorrectedText(3600.0123), "System Clock Corrected by: 3600.012 seconds");
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
        {3725, "Delta: 0 days 01:02:05"},
        {-3725, "Delta: 0 days -1:-2:-5"},
        {90061, "Delta: 1 days 01:01:01"},
        {1, "Delta: 0 days 00:00:01"},
        {-1, "Delta: 0 days 00:00:-1"},
        {0, "Delta: 0 days 00:00:00"},
        {-90061, "Delta: -1 days -1:-1:-1"},
        {-3600, "Delta: 0 days -1:00:00"},
        {-36000, "Delta: 0 days -10:00:00"},
        {864000, "Delta: 10 days 00:00:00"},
        // Era 1 sizes do not overflow.
        {4233462143, "Delta: 48998 days 09:42:23"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDeltaSpan(c.delta), c.text) << c.delta;
    }
}

TEST(MaximumDelta, AnOffsetCountsInWholeSecondsTruncated) {
    struct Case {
        double theta;
        bool warn;
    };
    const Case cases[] = {{1800.0, true},     {-1800.5, true}, {1799.999, false},
                          {-1799.999, false}, {1860.7, true},  {0.4, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(ExceedsMaximumDelta(ntp::WholeSeconds(c.theta)), c.warn) << c.theta;
    }
}

TEST(MaximumDelta, ThirtyMinutesEitherWayInWholeSeconds) {
    struct Case {
        std::int64_t seconds;
        bool warn;
    };
    // Whole seconds of theta 1800.0, 1799.999 and -1800.5, and D values.
    const Case cases[] = {{1800, true}, {1799, false}, {-1800, true},  {-1799, false},
                          {1859, true}, {0, false},    {-86400, true}, {4233462143, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(ExceedsMaximumDelta(c.seconds), c.warn) << c.seconds;
    }
}
