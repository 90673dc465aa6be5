#include "timesync/ntp_time.h"

#include <gtest/gtest.h>

using namespace ntp;

TEST(Era, TopBitClearMeansFrom2036) {
    struct Case {
        std::uint32_t wire;
        std::int64_t unix;
    };
    const Case cases[] = {
        {2208988800U, 0},          {0x80000000U, -61505152},  // 1968-01-20, era 0's first
        {0xFFFFFFFFU, 2085978495}, {0U, 2085978496},          // era 0's last, era 1's first
        {61505152U, 2147483648},   {0x7FFFFFFFU, 4233462143}, // past 2038, era 1's last
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnixSeconds(SecondsWithEra(c.wire)), c.unix) << c.wire;
    }
    EXPECT_DOUBLE_EQ(TimestampSeconds({2208988800U, 0x40000000U}), 2208988800.25);
    EXPECT_DOUBLE_EQ(TimestampSeconds({1U, 0x80000000U}), 4294967297.5);
}

TEST(ClockOffset, ThetaAndDelayOfTheFourInstants) {
    struct Case {
        double t2, t3, t4, theta, delay; // T1 = 0
    };
    const Case cases[] = {
        {10.0, 10.001, 0.003, 9.999, 0.002}, // Timebase ahead: theta positive
        {-5.0, -4.998, 0.002, -5.0, 0.0},
        {0.004, 0.005, 0.01, -0.0005, 0.009},      // asymmetric legs
        {0.001, 0.001, -0.0005, 0.00125, -0.0005}, // local clock stepped back meanwhile
    };
    const double t1 = 3974000000.0;
    for (const Case& c : cases) {
        EXPECT_NEAR(ClockOffset(t1, t1 + c.t2, t1 + c.t3, t1 + c.t4), c.theta, 1e-6) << c.t2;
        EXPECT_NEAR(RoundTripDelay(t1, t1 + c.t2, t1 + c.t3, t1 + c.t4), c.delay, 1e-6) << c.t2;
    }
}

TEST(TimebaseTime, TruncatesTowardZero) {
    EXPECT_EQ(SplitSeconds(3974000000.9999).seconds, 3974000000);
    EXPECT_EQ(SplitSeconds(3974000000.9999).milliseconds, 999);
    EXPECT_EQ(WholeSeconds(1799.999), 1799);
    EXPECT_EQ(WholeSeconds(-1800.5), -1800);
    // A kernel clock stepped back meanwhile gives no wait, not a reading in the future.
    EXPECT_DOUBLE_EQ(ReadingAt(3974000000.5, 20'000'000), 3974000000.48);
    EXPECT_DOUBLE_EQ(ReadingAt(3974000000.5, -5'000'000), 3974000000.5);
}

TEST(UtcInstant, IsTheUnixSecondAndItsNanoseconds) {
    struct Case {
        double since1900;
        std::int64_t later, seconds, nanoseconds;
    };
    const Case cases[] = {{2208988800.25, 1'500'000, 0, 251500000},
                          {2208988800.9995, 1'000'000, 1, 500000}, // carried over a second
                          {4294967297.5, 0, 2085978497, 500000000}};
    for (const Case& c : cases) {
        const platform::UtcInstant instant = UtcInstantOf(c.since1900, c.later);
        EXPECT_EQ(instant.seconds, c.seconds) << c.since1900;
        EXPECT_NEAR(instant.nanoseconds, c.nanoseconds, 1000) << c.since1900; // a double's grain
    }
}
