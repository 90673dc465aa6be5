#include "platform/local_clock.h"

#include <chrono>
#include <gtest/gtest.h>

// Between two readings of the fine system clock: a clock of seconds or milliseconds, or one
// on another epoch, falls outside.
TEST(LocalClock, IsTheSystemClockOnTheNtpScale) {
    auto systemNtp = [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        return std::chrono::duration<double>(now).count() + 2208988800.0;
    };
    const double before = systemNtp();
    const double now = platform::LocalClockNtp();
    EXPECT_GE(now, before - 1e-6);
    EXPECT_LE(now, systemNtp() + 1e-6);
}
