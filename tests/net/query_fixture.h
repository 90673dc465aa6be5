#pragma once

// A query with a recording view, a clock setter that records instead of setting, and the
// sandbox required.
#include "platform/local_clock.h"
#include "tests/support/real_servers.h"
#include "tests/support/recording_view.h"
#include "tests/support/sandbox_guard.h"
#include "timesync/ntp_time.h"
#include "timesync/query_settings.h"
#include "timesync/time_query.h"

#include <QTest>
#include <gtest/gtest.h>
#include <vector>

class QueryTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(InsideUserNamespace()) << "run inside the test sandbox (scripts/test)";
        ResetHooks();
        g_nTimebasePort = 0;
        Hooks().setSystemClock = [this](const platform::UtcInstant& instant) {
            m_setClockCalls.push_back(instant);
            m_trueTimeAtSet.push_back(platform::LocalClockNtp());
            return m_setClockRefusal;
        };
    }
    void TearDown() override { ResetHooks(); }

    static void Use(const char* protocol, const char* socketType, const char* host) {
        g_strProtocol = QString::fromLatin1(protocol);
        g_strSocketType = QString::fromLatin1(socketType);
        g_strTimeBase = QString::fromLatin1(host);
    }
    // The real clock, shifted as the process under test should see it.
    static void ShiftLocalClock(double seconds) {
        Hooks().localClockNtp = [seconds] { return platform::LocalClockNtp() + seconds; };
    }
    bool WaitForEnd(int timeoutMs = 5000) {
        return QTest::qWaitFor([this] { return !m_query.IsPending(); }, timeoutMs);
    }
    double Offset() const {
        const QueryInstants& t = m_query.Instants();
        return ntp::ClockOffset(t.dSendTime, t.dServerRecvTime, t.dServerXmitTime, t.dRecvTime);
    }
    double SetError(std::size_t call) const {
        const platform::UtcInstant& set = m_setClockCalls.at(call);
        return static_cast<double>(set.seconds + platform::kSecondsFrom1900To1970) +
               set.nanoseconds * 1e-9 - m_trueTimeAtSet.at(call);
    }

    std::vector<platform::UtcInstant> m_setClockCalls;
    // The real clock (seconds since 1900) at each call of the setter.
    std::vector<double> m_trueTimeAtSet;
    std::string m_setClockRefusal;
    RecordingView m_view;
    CTimeQuery m_query{m_view};
};
