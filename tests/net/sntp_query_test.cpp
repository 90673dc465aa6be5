// SNTP queries against the sandbox's chronyd: texts in order, the offset, the buttons,
// correcting and refusing, the tray during a query, names and IPv6, a busy GUI thread.
#include "tests/net/query_fixture.h"
#include "timesync/ntp_time.h"
#include "timesync/time_socket.h"

#include <QRegularExpression>
#include <chrono>
#include <thread>

namespace {

const QStringList kProgressTexts{"Socket Created.", "Connecting to Timebase...",
                                 "Connected; waiting for Correct Time..."};
const QRegularExpression
    kReport(R"(^Timebase Clock: \d\d/\d\d/\d\d \d\d:\d\d:\d\d\. Delta: -?\d+\.\d{3} seconds$)");

class SntpQueryTest : public QueryTest {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(Servers("start", "chronyd")); }
    static void TearDownTestSuite() { Servers("stop", "chronyd"); }
    void SetUp() override {
        QueryTest::SetUp();
        UseTimebase("SNTP", "UDP", "127.0.0.1");
    }
};

TEST_F(SntpQueryTest, ShowsTheTimebaseClockAndASmallDelta) {
    OnQueryTimebase(m_view);
    // Both buttons are disabled from the start of the query...
    EXPECT_TRUE(m_view.ButtonsDisabled());
    EXPECT_EQ(m_view.focusTaken, 1);
    EXPECT_TRUE(QueryPending());
    ASSERT_TRUE(WaitForQueryEnd());
    // ...to its end.
    EXPECT_TRUE(m_view.ButtonsEnabled());
    ASSERT_EQ(m_view.texts.size(), 4) << m_view.texts.join(" | ").toStdString();
    EXPECT_EQ(m_view.texts.mid(0, 3), kProgressTexts);
    EXPECT_TRUE(kReport.match(m_view.LastText()).hasMatch()) << m_view.LastText().toStdString();
    // Same machine, same clock: the true offset is 0.
    EXPECT_LT(std::abs(CurrentOffset()), 0.005);
    EXPECT_EQ(g_pSocket, nullptr);
    EXPECT_TRUE(m_setClockCalls.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view.warningsRun, 0);
    EXPECT_EQ(m_view.closesRun, 0);
}

TEST_F(SntpQueryTest, ReachesIpv6AndNamedTimebases) {
    for (const char* host : {"::1", "localhost"}) {
        SCOPED_TRACE(host);
        m_view.texts.clear();
        g_strTimeBase = QString::fromLatin1(host);
        OnQueryTimebase(m_view);
        ASSERT_TRUE(WaitForQueryEnd());
        EXPECT_TRUE(kReport.match(m_view.LastText()).hasMatch())
            << m_view.texts.join(" | ").toStdString();
    }
}

TEST_F(SntpQueryTest, ABusyGuiThreadDoesNotBiasTheOffset) {
    OnQueryTimebase(m_view);
    // The reply waits in the socket while the thread is kept from the event loop.
    const auto busyUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
    while (std::chrono::steady_clock::now() < busyUntil) {
    }
    ASSERT_TRUE(WaitForQueryEnd());
    ASSERT_TRUE(kReport.match(m_view.LastText()).hasMatch()) << m_view.LastText().toStdString();
    EXPECT_LT(std::abs(CurrentOffset()), 0.005);
}

TEST_F(SntpQueryTest, ACorrectingQuerySetsTheTimebaseTime) {
    // The process's clock an hour behind: the offset is an hour, and no warning comes.
    ShiftLocalClock(-3600.0);
    OnCorrectClock(m_view);
    EXPECT_EQ(g_bCorrectClock, 1);
    ASSERT_TRUE(WaitForQueryEnd());
    ASSERT_EQ(m_setClockCalls.size(), 1U);
    EXPECT_NEAR(InstantAsNtp(m_setClockCalls[0]), m_trueTimeAtSet[0], 0.010);
    EXPECT_NEAR(CurrentOffset(), 3600.0, 0.010);
    EXPECT_TRUE(m_view.LastText().startsWith("System Clock Corrected by: 3600.0") ||
                m_view.LastText().startsWith("System Clock Corrected by: 3599.9"))
        << m_view.LastText().toStdString();
    EXPECT_TRUE(m_view.LastText().endsWith(" seconds"));
    EXPECT_EQ(g_bCorrectClock, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view.warningsRun, 0);
}

TEST_F(SntpQueryTest, APlainQueryAnHourOffWarnsAfterTheText) {
    ShiftLocalClock(-3600.0);
    OnQueryTimebase(m_view);
    ASSERT_TRUE(WaitForQueryEnd());
    EXPECT_TRUE(m_view.LastText().endsWith("Delta: 3600.000 seconds") ||
                m_view.LastText().endsWith("Delta: 3599.999 seconds"))
        << m_view.LastText().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.warningsRun == 1; }, 1000));
    EXPECT_EQ(m_view.textUnderWarning, QStringList{m_view.LastText()});
}

TEST_F(SntpQueryTest, ARefusedClockIsNeverReportedAsCorrected) {
    g_bExitWhenDone = 1;
    m_setClockRefusal = "Operation not permitted";
    OnCorrectClock(m_view);
    ASSERT_TRUE(WaitForQueryEnd());
    EXPECT_EQ(m_view.LastText(), "Reset: System Clock NOT Corrected: Operation not permitted");
    EXPECT_EQ(g_bCorrectClock, 1);
    EXPECT_TRUE(m_view.ButtonsEnabled());
    QCoreApplication::processEvents();
    EXPECT_EQ(m_view.closesRun, 0);

    // The mark survives: the next query, from the plain button, corrects.
    m_setClockRefusal.clear();
    OnQueryTimebase(m_view);
    ASSERT_TRUE(WaitForQueryEnd());
    EXPECT_EQ(m_setClockCalls.size(), 2U);
    EXPECT_TRUE(m_view.LastText().startsWith("System Clock Corrected by: "));
    EXPECT_EQ(g_bCorrectClock, 0);
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.closesRun == 1; }, 1000));
}

TEST_F(SntpQueryTest, TheTrayMarksARunningQueryAndOpensNoSecondSocket) {
    OnQueryTimebase(m_view);
    CTimeSocket* const running = g_pSocket;
    ASSERT_NE(running, nullptr);
    OnTrayCorrectClock(m_view);
    EXPECT_EQ(g_pSocket, running);
    EXPECT_EQ(g_bCorrectClock, 1);
    ASSERT_TRUE(WaitForQueryEnd());
    EXPECT_EQ(m_setClockCalls.size(), 1U);
    EXPECT_TRUE(m_view.LastText().startsWith("System Clock Corrected by: "));
    // With no query running, the tray starts a correcting one.
    OnTrayCorrectClock(m_view);
    EXPECT_TRUE(QueryPending());
    EXPECT_FALSE(m_view.correctEnabled);
    ASSERT_TRUE(WaitForQueryEnd());
    EXPECT_EQ(m_setClockCalls.size(), 2U);
}

TEST_F(SntpQueryTest, ResetEndsTheQueryWithItsReason) {
    g_strTimeBase = QStringLiteral("127.0.0.2"); // nobody answers there
    OnCorrectClock(m_view);
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.texts.size() == 3; }, 1000));
    OnReset(m_view);
    EXPECT_EQ(m_view.LastText(), "Reset by User Command");
    EXPECT_FALSE(QueryPending());
    EXPECT_EQ(g_pSocket, nullptr);
    EXPECT_TRUE(m_view.ButtonsEnabled());
    EXPECT_EQ(g_bCorrectClock, 1);
    // Reset with nothing running says the same.
    OnReset(m_view);
    EXPECT_EQ(m_view.texts.mid(m_view.texts.size() - 2),
              QStringList({"Reset by User Command", "Reset by User Command"}));
}

} // namespace
