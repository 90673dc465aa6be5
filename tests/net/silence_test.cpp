// Timebases that stay silent or fail: the time-out restarts a silent query every cycle
// until Reset, a peer that closes leaves the query to its time-out, a refused connection
// and a socket the system will not give end the query with their texts.
#include "tests/net/query_fixture.h"
#include "tests/support/scripted_servers.h"

#include <QElapsedTimer>
#include <sys/resource.h>

namespace {

class SilenceTest : public QueryTest {
  protected:
    void SetUp() override {
        QueryTest::SetUp();
        // The frame's 200 ms tick, which lets the worker clear the bar between queries.
        m_tick.setInterval(200);
        QObject::connect(&m_tick, &QTimer::timeout, [] { g_hEvents[kEventTimerTick].Set(); });
        m_tick.start();
    }
    void TearDown() override {
        m_tick.stop();
        QueryTest::TearDown();
    }
    QTimer m_tick;
};

TEST_F(SilenceTest, ASilentTimebaseIsAskedAgainEveryCycleUntilReset) {
    ScriptedUdpServer server(123, [](const QByteArray&) { return std::vector<ScriptedReply>{}; });
    ASSERT_TRUE(server.IsListening());
    UseTimebase("SNTP", "UDP", kScriptedHost);
    OnCorrectClock(m_view);
    // Three time-outs: four requests, each with a fresh nonce.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Requests().size() == 4; }, 20000));
    const QList<qint64> times = server.RequestTimes();
    for (int i = 1; i < times.size(); ++i) {
        const qint64 cycle = times[i] - times[i - 1];
        // 21 steps of 200 ms and a little: about 4 s.
        EXPECT_GE(cycle, 3800) << "cycle " << i;
        EXPECT_LE(cycle, 8000) << "cycle " << i;
        EXPECT_NE(server.Requests()[i].mid(40, 8), server.Requests()[i - 1].mid(40, 8));
    }
    const QStringList cycleTexts{"Socket Created.", "Connecting to Timebase...",
                                 "Connected; waiting for Correct Time..."};
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_view.texts.size() == 12; }, 1000));
    for (int cycle = 0; cycle < 4; ++cycle) {
        EXPECT_EQ(m_view.texts.mid(cycle * 3, 3), cycleTexts) << "cycle " << cycle;
    }
    EXPECT_TRUE(m_view.ButtonsDisabled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.progress >= 10; }, 1000));
    // A restarted correcting query is still a correcting one.
    EXPECT_EQ(g_bCorrectClock, 1);

    OnReset(m_view);
    EXPECT_EQ(m_view.LastText(), "Reset by User Command");
    QElapsedTimer sinceReset;
    sinceReset.start();
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.progress == 0; }, 1000));
    std::printf("bar back at 0 %lld ms after Reset\n",
                static_cast<long long>(sinceReset.elapsed()));
    // Stepping has stopped: no further requests.
    const int steps = m_view.steps;
    QTest::qWait(500);
    EXPECT_EQ(m_view.steps, steps);
    EXPECT_EQ(server.Requests().size(), 4);
}

TEST_F(SilenceTest, APeerThatClosesLeavesTheQueryToItsTimeout) {
    g_watchdogTiming.pauseAfterStep = std::chrono::milliseconds(10);
    ScriptedTcpServer server{QByteArray()};
    ASSERT_TRUE(server.IsListening());
    UseTimebase("Time", "TCP", kScriptedHost);
    OnQueryTimebase(m_view);
    ASSERT_TRUE(QTest::qWaitFor([] { return g_pSocket == nullptr; }, 2000));
    EXPECT_EQ(m_view.LastText(), "Connected; waiting for Correct Time...");
    EXPECT_TRUE(m_view.ButtonsDisabled());
    EXPECT_TRUE(QueryPending());
    // The time-out asks again.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Connections() >= 2; }, 5000));
    OnReset(m_view);
}

TEST_F(SilenceTest, ARefusedConnectionEndsTheQuery) {
    ASSERT_TRUE(Servers("start", "chronyd"));
    UseTimebase("Time", "TCP", kRefusingHost);
    OnCorrectClock(m_view);
    ASSERT_TRUE(WaitForQueryEnd());
    EXPECT_EQ(m_view.LastText(), "Reset: Connect FAILED. Verify Internet Link and/or TimeBase.");
    EXPECT_TRUE(m_view.ButtonsEnabled());
    EXPECT_EQ(g_pSocket, nullptr);
    EXPECT_EQ(g_bCorrectClock, 1);
    // The failed correction is still owed: a plain query with a working Timebase does it.
    UseTimebase("SNTP", "UDP", "127.0.0.1");
    OnQueryTimebase(m_view);
    ASSERT_TRUE(WaitForQueryEnd());
    EXPECT_EQ(m_setClockCalls.size(), 1U);
    EXPECT_TRUE(m_view.LastText().startsWith("System Clock Corrected by: "));
    Servers("stop", "chronyd");
}

TEST_F(SilenceTest, NoSocketFromTheSystem) {
    UseTimebase("SNTP", "UDP", kScriptedHost);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    // No descriptor left for a new socket.
    rlimit none = saved;
    none.rlim_cur = 0;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &none), 0);
    OnQueryTimebase(m_view);
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(m_view.texts, QStringList{"Reset: Socket Creation FAILED!"});
    EXPECT_TRUE(m_view.ButtonsEnabled());
    EXPECT_EQ(g_pSocket, nullptr);
    EXPECT_FALSE(QueryPending());
}

} // namespace
