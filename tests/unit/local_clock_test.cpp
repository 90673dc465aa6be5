#include "platform/local_clock.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <gtest/gtest.h>

namespace {
// time() reads the kernel's coarse clock, which may lag a tick behind; compare with the
// fine one.
double SystemClockNtp() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(now).count() + 2208988800.0;
}
} // namespace

TEST(LocalClock, IsOnTheNtpScale) {
    const double before = SystemClockNtp();
    const double now = platform::LocalClockNtp();
    const double after = SystemClockNtp();
    EXPECT_GE(now, before - 1e-6);
    EXPECT_LE(now, after + 1e-6);
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
