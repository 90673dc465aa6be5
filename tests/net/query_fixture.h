#pragma once

// A query with a recording view, a clock setter that records instead of setting, and the
// sandbox required.
#include "platform/local_clock.h"
#include "tests/support/real_servers.h"
#include "tests/support/recording_view.h"
#include "tests/support/sandbox_guard.h"
#include "timesync/ntp_time.h"
#include "timesync/query_config.h"
#include "timesync/time_query.h"
#include "timesync/time_sync_hooks.h"

#include <QTest>
#include <gtest/gtest.h>
#include <vector>

class QueryTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(InsideUserNamespace()) << "run inside the test sandbox (scripts/test)";
        ResetHooks();
        Hooks().setSystemClock = [this](const platform::UtcInstant& instant) {
            m_setClockCalls.push_back(instant);
            m_trueTimeAtSet.push_back(platform::LocalClockNtpNs());
            return m_setClockRefusal;
        };
    }
    void TearDown() override { ResetHooks(); }

    void Use(const char* protocol, const char* socketType, const char* host) {
        m_config.protocol = QString::fromLatin1(protocol);
        m_config.socketType = QString::fromLatin1(socketType);
        m_config.timebase = QString::fromLatin1(host);
    }
    QueryConfig Correcting() const {
        QueryConfig config = m_config;
        config.correct = true;
        return config;
    }
    // The real clock, shifted as the process under test should see it.
    static void ShiftLocalClock(std::int64_t seconds) {
        Hooks().localClockNtpNs = [seconds] {
            return platform::LocalClockNtpNs() + seconds * 1'000'000'000;
        };
    }
    bool WaitForEnd(int timeoutMs = 5000) {
        return QTest::qWaitFor([this] { return !m_query.IsPending(); }, timeoutMs);
    }
    double Offset() const { return m_view.ended.back().measurement.value().offset; }
    // How far the clock was set from the true time, in seconds.
    double SetError(std::size_t call) const {
        const platform::UtcInstant& set = m_setClockCalls.at(call);
        const std::int64_t setNs =
            (set.seconds + platform::kSecondsFrom1900To1970) * 1'000'000'000 + set.nanoseconds;
        return static_cast<double>(setNs - m_trueTimeAtSet.at(call)) * 1e-9;
    }

    std::vector<platform::UtcInstant> m_setClockCalls;
    // The real clock (nanoseconds since 1900) at each call of the setter.
    std::vector<std::int64_t> m_trueTimeAtSet;
    std::string m_setClockRefusal;
    QueryConfig m_config;
    RecordingView m_view;
    CTimeQuery m_query{m_view};
};
