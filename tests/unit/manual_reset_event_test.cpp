#include "platform/manual_reset_event.h"

#include <array>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;
using platform::kWaitTimeout;
using platform::ManualResetEvent;
using platform::WaitAny;

TEST(WaitAny, ReportsLowestSignalledIndex) {
    struct Case {
        bool first, second, third;
        int expected;
    };
    for (const Case& c :
         {Case{false, false, false, kWaitTimeout}, Case{true, false, false, 0},
          Case{false, true, true, 1}, Case{true, true, true, 0}, Case{false, false, true, 2}}) {
        std::array<ManualResetEvent, 3> events;
        if (c.first)
            events[0].Set();
        if (c.second)
            events[1].Set();
        if (c.third)
            events[2].Set();
        std::array<ManualResetEvent*, 3> list{&events[0], &events[1], &events[2]};
        EXPECT_EQ(WaitAny(list, 10ms), c.expected);
    }
}

TEST(WaitAny, StaysSignalledUntilReset) {
    ManualResetEvent event;
    std::array<ManualResetEvent*, 1> list{&event};
    event.Set();
    EXPECT_EQ(WaitAny(list, 0ms), 0);
    EXPECT_EQ(WaitAny(list, 0ms), 0);
    event.Reset();
    EXPECT_EQ(WaitAny(list, 0ms), kWaitTimeout);
}

TEST(WaitAny, WakesWhenAnotherThreadSets) {
    std::array<ManualResetEvent, 2> events;
    std::array<ManualResetEvent*, 2> list{&events[0], &events[1]};
    std::thread setter([&] { events[1].Set(); });
    // Bounded: far longer than a thread start, so only a lost wake-up fails it.
    EXPECT_EQ(WaitAny(list, 10s), 1);
    setter.join();
}
