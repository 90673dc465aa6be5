#include "platform/manual_reset_event.h"

#include <array>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;
using platform::kWaitTimeout;
using platform::ManualResetEvent;
using platform::WaitAny;

TEST(WaitAny, ReportsTheLowestSignalledIndexUntilReset) {
    struct Case {
        std::array<bool, 3> set;
        int expected;
    };
    for (const Case& c : {Case{{false, false, false}, kWaitTimeout}, Case{{false, true, true}, 1},
                          Case{{true, true, true}, 0}, Case{{false, false, true}, 2}}) {
        std::array<ManualResetEvent, 3> events;
        std::array<ManualResetEvent*, 3> list{&events[0], &events[1], &events[2]};
        for (int i = 0; i < 3; ++i) {
            if (c.set[i]) {
                events[i].Set();
            }
        }
        EXPECT_EQ(WaitAny(list, 10ms), c.expected);
        EXPECT_EQ(WaitAny(list, 0ms), c.expected);
        events[0].Reset();
        events[1].Reset();
        events[2].Reset();
        EXPECT_EQ(WaitAny(list, 0ms), kWaitTimeout);
    }
}

TEST(WaitAny, WakesWhenAnotherThreadSets) {
    std::array<ManualResetEvent, 2> events;
    std::array<ManualResetEvent*, 2> list{&events[0], &events[1]};
    const auto start = std::chrono::steady_clock::now();
    // Starting the thread takes long enough that the wait has begun before the Set.
    std::thread setter([&] { events[1].Set(); });
    EXPECT_EQ(WaitAny(list, 5s), 1);
    setter.join();
    // A lost wake-up is only noticed when the predicate is checked again at the time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms) << "the wake-up was lost";
}
