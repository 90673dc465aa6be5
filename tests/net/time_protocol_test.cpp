// The RFC 868 Time protocol against inetd's own time service, over TCP and UDP: the
// texts, the sign of D, and the correction to the received second.
#include "tests/net/query_fixture.h"

#include <QRegularExpression>

namespace {

class TimeProtocolTest : public QueryTest, public testing::WithParamInterface<const char*> {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(Servers("start", "inetd")); }
    static void TearDownTestSuite() { Servers("stop", "inetd"); }
    void SetUp() override {
        QueryTest::SetUp();
        // inetd ignores UDP from 127.0.0.0/8; the sandbox's other loopback address works.
        const bool tcp = std::string_view(GetParam()) == "TCP";
        UseTimebase("Time", GetParam(), tcp ? "127.0.0.1" : "192.0.2.1");
    }
    // The delta text of the last result.
    QString Delta() const {
        const QString text = m_view.LastText();
        return text.mid(text.indexOf(QStringLiteral("Delta: ")));
    }
};

const QRegularExpression kReport(
    R"(^Timebase Clock: \d\d/\d\d/\d\d \d\d:\d\d:\d\d\. Delta: -?\d+ days -?\d\d:-?\d\d:-?\d\d$)");

TEST_P(TimeProtocolTest, ShowsTheTimebaseClockAndNoDelta) {
    OnQueryTimebase(m_view);
    EXPECT_TRUE(m_view.ButtonsDisabled());
    ASSERT_TRUE(WaitForQueryEnd());
    ASSERT_EQ(m_view.texts.size(), 4) << m_view.texts.join(" | ").toStdString();
    EXPECT_EQ(m_view.texts[2], "Connected; waiting for Correct Time...");
    EXPECT_TRUE(kReport.match(m_view.LastText()).hasMatch()) << m_view.LastText().toStdString();
    // Whole seconds: the second may turn between the server's answer and the reading.
    EXPECT_TRUE(Delta() == "Delta: 0 days 00:00:00" || Delta() == "Delta: 0 days 00:00:01")
        << Delta().toStdString();
    EXPECT_TRUE(m_view.ButtonsEnabled());
    EXPECT_EQ(g_pSocket, nullptr);
}

TEST_P(TimeProtocolTest, DIsLocalMinusTimebase) {
    struct Case {
        double shift;
        QStringList deltas;
        bool warns;
    };
    const Case cases[] = {
        // The local clock an hour ahead: D is positive.
        {3600.0, {"Delta: 0 days 01:00:00", "Delta: 0 days 01:00:01"}, true},
        // An hour behind: every part negative.
        {-3600.0, {"Delta: 0 days -1:00:00", "Delta: 0 days 00:-59:-59"}, true},
        {-29 * 60.0, {"Delta: 0 days 00:-29:00", "Delta: 0 days 00:-28:-59"}, false},
        {90061.0, {"Delta: 1 days 01:01:01", "Delta: 1 days 01:01:02"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shift);
        ShiftLocalClock(c.shift);
        m_view.warningsRun = 0;
        OnQueryTimebase(m_view);
        ASSERT_TRUE(WaitForQueryEnd());
        EXPECT_TRUE(c.deltas.contains(Delta())) << Delta().toStdString();
        QCoreApplication::processEvents();
        EXPECT_EQ(m_view.warningsRun, c.warns ? 1 : 0);
    }
}

TEST_P(TimeProtocolTest, ACorrectingQuerySetsTheReceivedSecond) {
    ShiftLocalClock(-7200.0);
    OnCorrectClock(m_view);
    ASSERT_TRUE(WaitForQueryEnd());
    ASSERT_EQ(m_setClockCalls.size(), 1U);
    EXPECT_EQ(m_setClockCalls[0].nanoseconds, 0);
    EXPECT_NEAR(InstantAsNtp(m_setClockCalls[0]), m_trueTimeAtSet[0], 1.01);
    EXPECT_TRUE(
        QRegularExpression(R"(^System Clock Corrected to: \d\d/\d\d/\d\d \d\d:\d\d:\d\d\. $)")
            .match(m_view.LastText())
            .hasMatch())
        << m_view.LastText().toStdString();
    EXPECT_EQ(g_bCorrectClock, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view.warningsRun, 0);
}

INSTANTIATE_TEST_SUITE_P(Transports, TimeProtocolTest, testing::Values("TCP", "UDP"));

} // namespace
