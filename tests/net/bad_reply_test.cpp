// Replies no real server sends, from a scripted server on loopback: each one is refused
// with its text, none sets the clock, and a datagram that answers another request is
// ignored while the query goes on waiting.
#include "tests/net/query_fixture.h"
#include "tests/support/scripted_servers.h"

#include <cstdlib>
#include <functional>

namespace {

class BadReplyTest : public QueryTest {
  protected:
    void SetUp() override {
        QueryTest::SetUp();
        // The calendar texts below are in UTC.
        setenv("TZ", "UTC", 1);
        tzset();
        // Every query corrects: a refused reply must still leave the clock alone.
        g_bCorrectClock = 1;
    }
    void TearDown() override {
        unsetenv("TZ");
        tzset();
        QueryTest::TearDown();
    }
    void ExpectRefused(const char* what) {
        EXPECT_EQ(m_view.LastText(), "Reset: Selected Timebase returned bogus data!") << what;
        EXPECT_TRUE(m_setClockCalls.empty()) << what;
        EXPECT_EQ(g_bCorrectClock, 1) << what;
        EXPECT_TRUE(m_view.ButtonsEnabled()) << what;
        EXPECT_EQ(g_pSocket, nullptr) << what;
    }
};

using Change = std::function<void(QByteArray&)>;

// 2040-07-03 14:34:56 UTC on the wire: era 1, top bit clear.
constexpr quint32 k2040Wire = 0x08485E10U;

TEST_F(BadReplyTest, SntpRepliesThatAreRefused) {
    struct Case {
        const char* what;
        Change change;
    };
    const Case cases[] = {
        {"3 bytes", [](QByteArray& r) { r.truncate(3); }},
        {"47 bytes", [](QByteArray& r) { r.truncate(47); }},
        {"all zeros but the echoed value",
         [](QByteArray& r) {
             const QByteArray echo = r.mid(24, 8);
             r.fill('\0');
             r.replace(24, 8, echo);
         }},
        {"stratum 0", [](QByteArray& r) { r[1] = 0; }},
        {"leap indicator 3", [](QByteArray& r) { r[0] = static_cast<char>(0xE4); }},
        {"mode 3", [](QByteArray& r) { r[0] = 0x23; }},
        {"zero transmit timestamp", [](QByteArray& r) { r.replace(40, 8, QByteArray(8, '\0')); }},
        {"zero receive timestamp", [](QByteArray& r) { r.replace(32, 8, QByteArray(8, '\0')); }},
        // Both timestamps in 1969: the Timebase time is before 1970.
        {"before 1970",
         [](QByteArray& r) {
             r.replace(32, 8, BigEndian32(2208988700U) + QByteArray(4, '\0'));
             r.replace(40, 8, BigEndian32(2208988700U) + QByteArray(4, '\0'));
         }},
    };
    UseTimebase("SNTP", "UDP", kScriptedHost);
    for (const Case& c : cases) {
        ScriptedUdpServer server(123, [&c](const QByteArray& request) {
            QByteArray reply = SntpReplyTo(request);
            c.change(reply);
            return std::vector<ScriptedReply>{{0, reply}};
        });
        ASSERT_TRUE(server.IsListening());
        m_view.texts.clear();
        OnQueryTimebase(m_view);
        ASSERT_TRUE(WaitForQueryEnd()) << c.what;
        ExpectRefused(c.what);
    }
}

TEST_F(BadReplyTest, ADatagramForAnotherRequestIsIgnored) {
    struct Case {
        const char* what;
        Change change;
    };
    const Case cases[] = {
        {"a wrong originate value", [](QByteArray& r) { r[31] = static_cast<char>(r[31] ^ 1); }},
        {"all zeros", [](QByteArray& r) { r.fill('\0'); }},
    };
    UseTimebase("SNTP", "UDP", kScriptedHost);
    for (const Case& c : cases) {
        // The stranger's datagram first; the Timebase's own answer 300 ms later.
        ScriptedUdpServer server(123, [&c](const QByteArray& request) {
            QByteArray forged = SntpReplyTo(request, 5000.0);
            c.change(forged);
            return std::vector<ScriptedReply>{{0, forged}, {300, SntpReplyTo(request)}};
        });
        ASSERT_TRUE(server.IsListening());
        g_bCorrectClock = 0;
        m_view.texts.clear();
        OnQueryTimebase(m_view);
        ASSERT_TRUE(WaitForQueryEnd()) << c.what;
        // The same query took the answer that came 300 ms after the stranger's datagram,
        // which said 5000 s ahead: that one was read and dropped, and the query waited on.
        // (The answer was stamped when the request came, so its offset is about -0.15 s.)
        ASSERT_EQ(m_view.texts.size(), 4) << m_view.texts.join(" | ").toStdString();
        EXPECT_EQ(m_view.texts[2], "Connected; waiting for Correct Time...") << c.what;
        EXPECT_TRUE(m_view.LastText().startsWith("Timebase Clock: ")) << c.what;
        EXPECT_LT(std::abs(CurrentOffset()), 1.0) << c.what;
        EXPECT_EQ(server.Requests().size(), 1) << c.what;
    }
    EXPECT_TRUE(m_setClockCalls.empty());
}

TEST_F(BadReplyTest, TimeRepliesOverUdp) {
    struct Case {
        const char* what;
        QByteArray reply;
        const char* text;
        std::int64_t unixSeconds;
    };
    const Case cases[] = {
        {"3 bytes", BigEndian32(0xED000000U).left(3), nullptr, 0},
        {"zero", BigEndian32(0), nullptr, 0},
        {"before 1970", BigEndian32(2208988799U), nullptr, 0},
        {"2040", BigEndian32(k2040Wire), "System Clock Corrected to: 07/03/40 14:34:56. ",
         2224938896},
        {"1970", BigEndian32(2208988800U), "System Clock Corrected to: 01/01/70 00:00:00. ", 0},
    };
    UseTimebase("Time", "UDP", kScriptedHost);
    for (const Case& c : cases) {
        QByteArray request("unset");
        ScriptedUdpServer server(37, [&](const QByteArray& received) {
            request = received;
            return std::vector<ScriptedReply>{{0, c.reply}};
        });
        ASSERT_TRUE(server.IsListening());
        g_bCorrectClock = 1;
        m_setClockCalls.clear();
        OnQueryTimebase(m_view);
        ASSERT_TRUE(WaitForQueryEnd()) << c.what;
        // The request is one empty datagram.
        EXPECT_TRUE(request.isEmpty()) << c.what;
        if (c.text == nullptr) {
            ExpectRefused(c.what);
            continue;
        }
        EXPECT_EQ(m_view.LastText(), c.text) << c.what;
        ASSERT_EQ(m_setClockCalls.size(), 1U) << c.what;
        EXPECT_EQ(m_setClockCalls[0], (platform::UtcInstant{c.unixSeconds, 0})) << c.what;
    }
}

TEST_F(BadReplyTest, A2040TimeReplyReportsItsDate) {
    UseTimebase("Time", "TCP", kScriptedHost);
    g_bCorrectClock = 0;
    // 2040-07-03 14:34:56 UTC, in era 1.
    ScriptedTcpServer server(BigEndian32(k2040Wire));
    ASSERT_TRUE(server.IsListening());
    OnQueryTimebase(m_view);
    ASSERT_TRUE(WaitForQueryEnd());
    EXPECT_TRUE(m_view.LastText().startsWith("Timebase Clock: 07/03/40 14:34:56. Delta: -"))
        << m_view.LastText().toStdString();
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view.warningsRun, 1);
    EXPECT_TRUE(m_setClockCalls.empty());
}

TEST_F(BadReplyTest, AShortTcpReplyIsRefused) {
    UseTimebase("Time", "TCP", kScriptedHost);
    ScriptedTcpServer server(QByteArray("\xED\x00\x00", 3));
    ASSERT_TRUE(server.IsListening());
    OnQueryTimebase(m_view);
    ASSERT_TRUE(WaitForQueryEnd());
    ExpectRefused("3 bytes over TCP");
}

} // namespace
