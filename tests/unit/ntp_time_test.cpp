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
    EXPECT_DOUBLE_EQ(TimestampSeconds({1U, 0x40000000U}), 4294967297.25);
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

TEST(TimebaseTime, TruncatesTowardZeroAndCarriesToTheUnixSecond) {
    EXPECT_EQ(SplitSeconds(3974000000.9999).seconds, 3974000000);
    EXPECT_EQ(WholeSeconds(1799.999), 1799);
    EXPECT_EQ(WholeSeconds(-1800.5), -1800);
    // A kernel clock stepped back meanwhile gives no wait, not a reading in the future.
    EXPECT_DOUBLE_EQ(ReadingAt(3974000000.5, -5'000'000), 3974000000.5);
    // 1970-01-01 00:00:00.9995 and a millisecond later; a double resolves about 0.5 us.
    const platform::UtcInstant instant = UtcInstantOf(2208988800.9995, 1'000'000);
    EXPECT_EQ(instant.seconds, 1);
    EXPECT_NEAR(instant.nanoseconds, 500000, 1000);
}
