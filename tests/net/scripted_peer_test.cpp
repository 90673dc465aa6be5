// Timebases that no real server imitates on demand: one that stays silent is asked again
// every cycle until Reset, a stranger's datagram is ignored while the query waits on, a
// Time reply in pieces is waited for, a peer that closes leaves the query to its time-out, and a
// socket the system will not give ends the query with its text.
#include "tests/net/query_fixture.h"
#include "tests/support/scripted_servers.h"

#include <QTimer>
#include <algorithm>
#include <sys/resource.h>

namespace {

class ScriptedPeerTest : public QueryTest {
  protected:
    void SetUp() override {
        QueryTest::SetUp();
        // The window's 200 ms tick, which lets the worker clear the bar between queries.
        QObject::connect(&m_tick, &QTimer::timeout, [this] { m_query.Tick(); });
        m_tick.start(200);
    }
    QTimer m_tick;
};

TEST_F(ScriptedPeerTest, ASilentTimebaseIsAskedAgainEveryCycleUntilReset) {
    ScriptedUdpServer server(123, [](const QByteArray&) { return std::vector<ScriptedReply>{}; });
    ASSERT_TRUE(server.IsListening());
    Use("SNTP", "UDP", kScriptedHost);
    m_query.stepPeriodMs = 20;
    m_query.Start(Correcting());
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Requests().size() == 3; }, 20000));
    // Each cycle steps the bar from 5 to 100; the step that finds it full asks again.
    const std::vector<int> expected{5,  10, 15, 20, 25, 30, 35, 40, 45,  50, 55,
                                    60, 65, 70, 75, 80, 85, 90, 95, 100, 0};
    ASSERT_GE(m_view.progress.size(), 2 * expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), m_view.progress.begin()));
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(),
                           m_view.progress.begin() + std::ssize(expected)));
    // Each request carries a fresh nonce.
    EXPECT_NE(server.Requests()[1].mid(40, 8), server.Requests()[0].mid(40, 8));
    const QStringList cycleTexts{"Socket Created.", "Connecting to Timebase...",
                                 "Connected; waiting for Correct Time..."};
    EXPECT_EQ(m_view.texts.mid(0, 3), cycleTexts);
    EXPECT_EQ(m_view.texts.mid(3, 3), cycleTexts);
    EXPECT_TRUE(m_view.ButtonsDisabled());
    EXPECT_TRUE(m_view.ended.empty());
    // A restarted correcting query is still a correcting one.
    EXPECT_TRUE(m_query.IsCorrecting());

    m_query.OnReset();
    EXPECT_EQ(m_view.LastText(), "Reset by User Command");
    EXPECT_EQ(m_view.ended.back().result, QueryOutcome::Result::Reset);
    EXPECT_FALSE(m_query.IsCorrecting());
    EXPECT_EQ(m_query.Socket(), nullptr);
    EXPECT_TRUE(m_view.ButtonsEnabled());
    // Reset with nothing running says the same.
    m_query.OnReset();
    EXPECT_EQ(m_view.texts.mid(m_view.texts.size() - 2),
              QStringList({"Reset by User Command", "Reset by User Command"}));
    // The next tick clears the bar, and stepping has stopped.
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.progress.back() == 0; }, 2000));
    const int requests = server.RequestCount();
    const auto ticks = m_view.progress.size();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_view.progress.size() >= ticks + 3; }, 5000));
    EXPECT_EQ(std::count(m_view.progress.end() - 3, m_view.progress.end(), 0), 3);
    EXPECT_EQ(server.RequestCount(), requests);
}

// Which datagrams are not ours, the decision table shows; here the query waits on past one.
TEST_F(ScriptedPeerTest, AStrangersDatagramIsIgnoredAndTheQueryWaitsOn) {
    // The stranger's datagram, 5000 s ahead, first; the Timebase's own answer later.
    ScriptedUdpServer server(123, [](const QByteArray& request) {
        QByteArray forged = SntpReplyTo(request, 5000.0);
        forged[31] = static_cast<char>(forged[31] ^ 1); // a wrong originate value
        return std::vector<ScriptedReply>{{0, forged}, {300, SntpReplyTo(request)}};
    });
    ASSERT_TRUE(server.IsListening());
    Use("SNTP", "UDP", kScriptedHost);
    m_query.Start(Correcting());
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(m_view.texts.size(), 4) << m_view.texts.join(" | ").toStdString();
    EXPECT_TRUE(m_view.LastText().startsWith("System Clock Corrected by: "));
    EXPECT_LT(std::abs(Offset()), 1.0);
    EXPECT_EQ(server.Requests().size(), 1);
}

TEST_F(ScriptedPeerTest, APeerThatClosesLeavesTheQueryToItsTimeout) {
    m_query.stepPeriodMs = 10;
    ScriptedTcpServer server{QByteArray()};
    ASSERT_TRUE(server.IsListening());
    Use("Time", "TCP", kScriptedHost);
    m_query.Start(m_config);
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_query.Socket() == nullptr; }, 2000));
    EXPECT_EQ(m_view.LastText(), "Connected; waiting for Correct Time...");
    EXPECT_TRUE(m_query.IsPending());
    // The time-out asks again.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Connections() >= 2; }, 5000));
    EXPECT_TRUE(m_view.ended.empty());
}

TEST_F(ScriptedPeerTest, ATimeReplyInPiecesIsWaitedForUntilTheClose) {
    const QByteArray t("\x08\x48\x5E\x10", 4); // 2040-07-03 14:34:56 UTC
    const std::vector<std::vector<ScriptedReply>> splits{
        {{0, t.left(2)}, {100, t.mid(2)}},
        {{0, t.left(3)}, {100, t.mid(3)}},
        {{0, t.left(1)}, {100, t.mid(1, 1)}, {200, t.mid(2, 1)}, {300, t.mid(3)}},
        // Three bytes and the close: that is the whole reply, and it is too short.
        {{0, t.left(3)}, {100, {}}},
    };
    Use("Time", "TCP", kScriptedHost);
    for (const auto& pieces : splits) {
        const bool whole = pieces.back().bytes.size() > 0;
        ScriptedTcpServer server(pieces);
        ASSERT_TRUE(server.IsListening());
        m_query.Start(Correcting());
        ASSERT_TRUE(WaitForEnd()) << pieces.size();
        EXPECT_EQ(m_setClockCalls, (std::vector<platform::UtcInstant>(
                                       whole ? 1 : 0, platform::UtcInstant{2224938896, 0})))
            << m_view.LastText().toStdString();
        EXPECT_EQ(whole, m_view.LastText() != "Reset: Selected Timebase returned bogus data!");
        m_setClockCalls.clear();
    }
}

// A refused connection, the process test shows.
TEST_F(ScriptedPeerTest, NoSocketEndsTheQuery) {
    Use("Time", "TCP", kScriptedHost);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit none = saved;
    none.rlim_cur = 0; // no descriptor left for a new socket
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &none), 0);
    m_query.Start(m_config);
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(m_view.texts, QStringList{"Reset: Socket Creation FAILED!"});
    EXPECT_EQ(m_view.ended.back().result, QueryOutcome::Result::SocketFailed);
    EXPECT_FALSE(m_query.IsPending());
    EXPECT_TRUE(m_setClockCalls.empty());
}

} // namespace
