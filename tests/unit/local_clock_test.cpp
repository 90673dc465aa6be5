#include "platform/local_clock.h"

#include <cmath>
#include <ctime>
#include <gtest/gtest.h>

TEST(LocalClock, IsOnTheNtpScale) {
    const double before = static_cast<double>(std::time(nullptr)) + 2208988800.0;
    const double now = platform::LocalClockNtp();
    const double after = static_cast<double>(std::time(nullptr)) + 2208988800.0;
    EXPECT_GE(now, before);
    EXPECT_LT(now, after + 1.0);
}

TEST(LocalClock, HasSubMillisecondResolution) {
    // Some reading within many tries must carry a fraction finer than a millisecond.
    bool fine = false;
    for (int i = 0; i < 1000 && !fine; ++i) {
        const double ms = std::fmod(platform::LocalClockNtp(), 1.0) * 1000.0;
        fine = std::fabs(ms - std::round(ms)) > 1e-3;
    }
    EXPECT_TRUE(fine);
}
