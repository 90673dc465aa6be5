#pragma once

// A fixture for query tests without a window: fresh program-wide state, a recording
// view, a clock setter that records instead of setting, and the sandbox required.
#include "platform/local_clock.h"
#include "tests/support/query_state.h"
#include "tests/support/recording_view.h"
#include "tests/support/sandbox_guard.h"
#include "timesync/ntp_time.h"

#include <gtest/gtest.h>
#include <vector>

class QueryTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(InsideUserNamespace()) << "run inside the test sandbox (scripts/test)";
        ResetQueryState();
        Hooks().setSystemClock = [this](const platform::UtcInstant& instant) {
            m_setClockCalls.push_back(instant);
            m_trueTimeAtSet.push_back(platform::LocalClockNtp());
            return m_setClockRefusal;
        };
    }
    void TearDown() override { ResetQueryState(); }

    // The real clock, shifted as the process under test should see it.
    void ShiftLocalClock(double seconds) {
        Hooks().localClockNtp = [seconds] { return platform::LocalClockNtp() + seconds; };
    }

    RecordingView m_view;
    std::vector<platform::UtcInstant> m_setClockCalls;
    // The real clock (seconds since 1900) at each call of the setter.
    std::vector<double> m_trueTimeAtSet;
    std::string m_setClockRefusal;
};

inline double InstantAsNtp(const platform::UtcInstant& instant) {
    return static_cast<double>(instant.seconds + platform::kSecondsFrom1900To1970) +
           instant.nanoseconds * 1e-9;
}

inline double CurrentOffset() {
    return ntp::ClockOffset(g_dSendTime, g_dServerRecvTime, g_dServerXmitTime, g_dRecvTime);
}
