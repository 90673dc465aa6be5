// The RFC 868 Time protocol against inetd's own time service, over TCP and UDP: the sign
// of D and the correction to the received second.
#include "tests/net/query_fixture.h"

namespace {

class TimeProtocolTest : public QueryTest, public testing::WithParamInterface<const char*> {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(Servers("start", "inetd")); }
    static void TearDownTestSuite() { Servers("stop", "inetd"); }
    void SetUp() override {
        QueryTest::SetUp();
        // inetd ignores UDP from 127.0.0.0/8; the sandbox's other loopback address works.
        const bool tcp = std::string_view(GetParam()) == "TCP";
        Use("Time", GetParam(), tcp ? "127.0.0.1" : "192.0.2.1");
    }
    QString Delta() const {
        const QString text = m_view.LastText();
        return text.mid(text.indexOf(QStringLiteral("Delta: ")));
    }
};

TEST_P(TimeProtocolTest, DIsLocalMinusTimebase) {
    struct Case {
        double shift;
        // Whole seconds: the second may turn between the server's answer and the reading.
        QStringList deltas;
        bool warns;
    };
    const Case cases[] = {
        {0.0, {"Delta: 0 days 00:00:00", "Delta: 0 days 00:00:01"}, false},
        {3600.0, {"Delta: 0 days 01:00:00", "Delta: 0 days 01:00:01"}, true},
        {-3600.0, {"Delta: 0 days -1:00:00", "Delta: 0 days 00:-59:-59"}, true},
        {-29 * 60.0, {"Delta: 0 days 00:-29:00", "Delta: 0 days 00:-28:-59"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shift);
        ShiftLocalClock(c.shift);
        m_view.texts.clear();
        m_view.warnings.clear();
        m_query.OnQueryTimebase();
        ASSERT_TRUE(WaitForEnd());
        ASSERT_EQ(m_view.texts.size(), 4) << m_view.texts.join(" | ").toStdString();
        EXPECT_TRUE(m_view.LastText().startsWith("Timebase Clock: "));
        EXPECT_TRUE(c.deltas.contains(Delta())) << Delta().toStdString();
        EXPECT_EQ(m_view.warnings.size(), c.warns ? 1 : 0);
    }
}

TEST_P(TimeProtocolTest, ACorrectingQuerySetsTheReceivedSecond) {
    ShiftLocalClock(-7200.0);
    m_query.OnCorrectClock();
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(m_setClockCalls.size(), 1U);
    EXPECT_EQ(m_setClockCalls[0].nanoseconds, 0);
    // The received second, truncated: never later than the true time, and behind it by
    // less than a second plus the time the reply took (generous on a busy machine).
    EXPECT_LE(SetError(0), 0.001);
    EXPECT_GE(SetError(0), -3.0);
    EXPECT_TRUE(m_view.LastText().startsWith("System Clock Corrected to: "));
    EXPECT_FALSE(m_query.IsCorrecting());
}

INSTANTIATE_TEST_SUITE_P(Transports, TimeProtocolTest, testing::Values("TCP", "UDP"));

} // namespace
