#include "timesync/ntp_time.h"

#include <gtest/gtest.h>

using namespace ntp;

TEST(Era, TopBitClearMeansFrom2036) {
    const std::pair<std::uint32_t, std::int64_t> cases[] = {
        {2208988800U, 0},          {0x80000000U, -61505152},  // 1968-01-20, era 0's first
        {0xFFFFFFFFU, 2085978495}, {0U, 2085978496},          // era 0's last, era 1's first
        {61505152U, 2147483648},   {0x7FFFFFFFU, 4233462143}, // past 2038, era 1's last
    };
    for (const auto& [wire, unix] : cases) {
        EXPECT_EQ(UnixSeconds(SecondsWithEra(wire)), unix) << wire;
    }
    EXPECT_EQ(TimestampNs({1U, 0x40000000U}), 4294967297'250'000'000);
    // The fraction rounds to the nearest nanosecond, the last one into the next second.
    EXPECT_EQ(TimestampNs({0xFFFFFFFFU, 5U}), 4294967295'000'000'001);
    EXPECT_EQ(TimestampNs({0xFFFFFFFFU, 0xFFFFFFFFU}), 4294967296'000'000'000);
}

TEST(ClockOffset, ThetaAndDelayOfTheFourInstants) {
    struct Case {
        std::int64_t t2, t3, t4; // ns after T1
        double theta, delay;
    };
    const Case cases[] = {
        {10'000'000'000, 10'001'000'000, 3'000'000, 9.999, 0.002}, // Timebase ahead
        {-5'000'000'000, -4'998'000'000, 2'000'000, -5.0, 0.0},
        {4'000'000, 5'000'000, 10'000'000, -0.0005, 0.009}, // asymmetric legs
        {1'000'000, 1'000'000, -500'000, 0.00125, -0.0005}, // local clock stepped back
        {5, 7, 9, 1.5e-9, 7e-9},                            // nanoseconds apart
        {-3, 2, 4, -2.5e-9, -1e-9},
    };
    // 2026-12-07 00:00:00.123456789 UTC: a double of seconds here resolves only 477 ns.
    const std::int64_t t1 = 4005590400'123'456'789;
    for (const Case& c : cases) {
        EXPECT_NEAR(ClockOffset(t1, t1 + c.t2, t1 + c.t3, t1 + c.t4), c.theta, 1e-13) << c.t2;
        EXPECT_NEAR(RoundTripDelay(t1, t1 + c.t2, t1 + c.t3, t1 + c.t4), c.delay, 1e-13) << c.t2;
    }
    EXPECT_EQ(TimebaseAt(t1, t1 + 5, t1 + 7, t1 + 9), t1 + 10);
}

TEST(TimebaseTime, RoundsDownAndCarriesToTheUnixSecond) {
    EXPECT_EQ(FloorSeconds(3974000000'999'999'999), 3974000000);
    EXPECT_EQ(WholeSeconds(1799.999), 1799);
    EXPECT_EQ(WholeSeconds(-1800.5), -1800);
    // A kernel clock stepped back meanwhile gives no wait, not a reading in the future.
    EXPECT_EQ(ReadingAt(3974000000'500'000'000, -5'000'000), 3974000000'500'000'000);
    const platform::UtcInstant instant = UtcInstantOf(2208988801'000'500'001);
    EXPECT_EQ(instant.seconds, 1);
    EXPECT_EQ(instant.nanoseconds, 500001);
}
