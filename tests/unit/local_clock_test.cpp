#include "platform/local_clock.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>

TEST(LocalClock, IsTheSystemClockOnTheNtpScaleToTheMicrosecond) {
    auto systemNtp = [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        return std::chrono::duration<double>(now).count() + 2208988800.0;
    };
    const double before = systemNtp();
    const double now = platform::LocalClockNtp();
    EXPECT_GE(now, before - 1e-6);
    EXPECT_LE(now, systemNtp() + 1e-6);
    // Some reading within many must carry a fraction finer than a millisecond.
    bool fine = false;
    for (int i = 0; i < 1000 && !fine; ++i) {
        const double ms = std::fmod(platform::LocalClockNtp(), 1.0) * 1000.0;
        fine = std::fabs(ms - std::round(ms)) > 1e-3;
    }
    EXPECT_TRUE(fine);
}
