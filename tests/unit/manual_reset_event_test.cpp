#include "platform/manual_reset_event.h"

#include <array>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;
using platform::kWaitTimeout;
using platform::WaitAny;

TEST(WaitAny, ReportsTheLowestSignalledIndexUntilReset) {
    std::array<platform::ManualResetEvent, 3> events;
    std::array<platform::ManualResetEvent*, 3> list{&events[0], &events[1], &events[2]};
    EXPECT_EQ(WaitAny(list, 10ms), kWaitTimeout);
    events[2].Set();
    EXPECT_EQ(WaitAny(list, 10ms), 2);
    events[1].Set();
    EXPECT_EQ(WaitAny(list, 0ms), 1);
    events[0].Set();
    EXPECT_EQ(WaitAny(list, 0ms), 0);
    EXPECT_EQ(WaitAny(list, 0ms), 0); // a wait leaves it set
    events[0].Reset();
    events[2].Reset();
    EXPECT_EQ(WaitAny(list, 0ms), 1);
    events[1].Reset();
    EXPECT_EQ(WaitAny(list, 0ms), kWaitTimeout);
}

TEST(WaitAny, WakesWhenAnotherThreadSets) {
    std::array<platform::ManualResetEvent, 2> events;
    std::array<platform::ManualResetEvent*, 2> list{&events[0], &events[1]};
    const auto start = std::chrono::steady_clock::now();
    // Starting the thread takes long enough that the wait has begun before the Set.
    std::thread setter([&] { events[1].Set(); });
    EXPECT_EQ(WaitAny(list, 5s), 1);
    setter.join();
    // A lost wake-up is only noticed when the predicate is checked again at the time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms) << "the wake-up was lost";
}
