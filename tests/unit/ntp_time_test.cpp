#include "timesync/ntp_time.h"

#include <gtest/gtest.h>

using namespace ntp;

TEST(Era, TopBitClearMeansFrom2036) {
    struct Case {
        std::uint32_t wire;
        std::int64_t unix;
    };
    const Case cases[] = {
        {2208988800U, 0},          // 1970-01-01 00:00:00
        {0x80000000U, -61505152},  // 1968-01-20 03:14:08, the first of era 0
        {0xFFFFFFFFU, 2085978495}, // 2036-02-07 06:28:15, the last of era 0
        {1U, 2085978497},          // 2036-02-07 06:28:17, era 1
        {61505151U, 2147483647},   // 2038-01-19 03:14:07
        {61505152U, 2147483648},   // one second past the 32-bit signed range
        {0x7FFFFFFFU, 4233462143}, // 2104-02-26 09:42:23, the last of era 1
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnixSeconds(SecondsWithEra(c.wire)), c.unix) << c.wire;
    }
}

TEST(Timestamp, FractionIsInUnitsOfTwoToTheMinus32) {
    EXPECT_DOUBLE_EQ(TimestampSeconds({2208988800U, 0x80000000U}), 2208988800.5);
    EXPECT_DOUBLE_EQ(TimestampSeconds({2208988800U, 0x40000000U}), 2208988800.25);
    EXPECT_DOUBLE_EQ(TimestampSeconds({2208988800U, 0}), 2208988800.0);
    EXPECT_NEAR(TimestampSeconds({2208988800U, 0xFFFFFFFFU}), 2208988801.0, 1e-9);
    // Era 1 keeps counting past 2^32.
    EXPECT_DOUBLE_EQ(TimestampSeconds({1U, 0x80000000U}), 4294967297.5);
}

TEST(ClockOffset, IsHalfTheSumOfTheTwoLegs) {
    struct Case {
        double t1, t2, t3, t4, offset;
    };
    const double t = 3974000000.0;
    const Case cases[] = {
        {t, t + 10.0, t + 10.001, t + 0.001, 10.0},   // Timebase 10 s ahead
        {t, t - 5.0, t - 4.998, t + 0.002, -5.0},     // 5 s behind
        {t, t + 0.004, t + 0.005, t + 0.01, -0.0005}, // asymmetric legs
        {t, t, t, t, 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(ClockOffset(c.t1, c.t2, c.t3, c.t4), c.offset, 1e-6);
    }
}

TEST(RoundTripDelay, IsTheRoundTripLessTheServersHold) {
    struct Case {
        double t1, t2, t3, t4, delay;
    };
    const double t = 3974000000.0;
    const Case cases[] = {
        {t, t + 10.0, t + 10.001, t + 0.003, 0.002},    // 3 ms round trip, 1 ms held
        {t, t - 5.0, t - 4.998, t + 0.002, 0.0},        // the hold fills the round trip
        {t, t + 0.004, t + 0.005, t + 0.01, 0.009},     // asymmetric legs
        {t, t + 0.001, t + 0.001, t - 0.0005, -0.0005}, // a clock stepped back meanwhile
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(RoundTripDelay(c.t1, c.t2, c.t3, c.t4), c.delay, 1e-6);
    }
}

TEST(TimebaseTime, CarriesTheMillisecondsOfT4PlusTheta) {
    const double t4 = 3974000123.456789;
    const double offset = ClockOffset(t4 - 0.02, t4 - 0.02 + 10.0, t4 + 10.0, t4);
    EXPECT_NEAR(offset, 10.0, 1e-6);
    const TimebaseTime time = SplitSeconds(t4 + offset);
    EXPECT_EQ(time.seconds, 3974000133);
    EXPECT_EQ(time.milliseconds, 456);
    EXPECT_NEAR(time.nanoseconds, 456789000, 1000);
}

TEST(TimebaseTime, TruncatesTowardZero) {
    EXPECT_EQ(SplitSeconds(3974000000.9999).seconds, 3974000000);
    EXPECT_EQ(SplitSeconds(3974000000.9999).milliseconds, 999);
    EXPECT_EQ(SplitSeconds(0.5).seconds, 0);
    EXPECT_EQ(WholeSeconds(1799.999), 1799);
    EXPECT_EQ(WholeSeconds(-1800.5), -1800);
    EXPECT_EQ(WholeSeconds(-0.9), 0);
}

TEST(ReadingAt, TakesOffTheTimeSinceTheKernelStamp) {
    EXPECT_DOUBLE_EQ(ReadingAt(3974000000.5, 20'000'000), 3974000000.48);
    EXPECT_DOUBLE_EQ(ReadingAt(3974000000.5, 0), 3974000000.5);
    // A kernel clock stepped back meanwhile gives no wait, not a reading in the future.
    EXPECT_DOUBLE_EQ(ReadingAt(3974000000.5, -5'000'000), 3974000000.5);
}

TEST(UtcInstant, IsTheUnixSecondAndItsNanoseconds) {
    struct Case {
        double secondsSince1900;
        std::int64_t later;
        std::int64_t seconds;
        std::int32_t nanoseconds;
    };
    const Case cases[] = {
        {2208988800.25, 0, 0, 250000000},
        {2208988800.25, 1'500'000, 0, 251500000},
        // Carried over a whole second.
        {2208988800.9995, 1'000'000, 1, 500000},
        // Era 1.
        {4294967297.5, 0, 2085978497, 500000000},
    };
    for (const Case& c : cases) {
        const platform::UtcInstant instant = UtcInstantOf(c.secondsSince1900, c.later);
        EXPECT_EQ(instant.seconds, c.seconds) << c.secondsSince1900;
        // A double on this scale resolves about half a microsecond.
        EXPECT_NEAR(instant.nanoseconds, c.nanoseconds, 1000) << c.secondsSince1900;
    }
}
