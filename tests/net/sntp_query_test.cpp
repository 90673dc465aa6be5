// SNTP queries against the sandbox's chronyd: the texts in order, the offset, the buttons,
// correcting and refusing, the tray during a query, names and IPv6.
#include "tests/net/query_fixture.h"

#include <QRegularExpression>
#include <chrono>

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
        Use("SNTP", "UDP", "127.0.0.1");
    }
};

TEST_F(SntpQueryTest, ShowsTheTimebaseClockAndASmallDelta) {
    for (const char* host : {"127.0.0.1", "::1", "localhost"}) {
        SCOPED_TRACE(host);
        m_view.texts.clear();
        m_config.timebase = QString::fromLatin1(host);
        m_query.Start(m_config);
        EXPECT_TRUE(m_view.ButtonsDisabled());
        EXPECT_TRUE(m_query.IsPending());
        // The reply waits in the socket while the thread is kept from the event loop: the
        // arrival stamp keeps the offset true.
        const auto busyUntil = std::chrono::steady_clock::now() + std::chrono::milliseconds(60);
        while (std::chrono::steady_clock::now() < busyUntil) {
        }
        ASSERT_TRUE(WaitForEnd());
        EXPECT_TRUE(m_view.ButtonsEnabled());
        ASSERT_EQ(m_view.texts.size(), 4) << m_view.texts.join(" | ").toStdString();
        EXPECT_EQ(m_view.texts.mid(0, 3), kProgressTexts);
        EXPECT_TRUE(kReport.match(m_view.LastText()).hasMatch()) << m_view.LastText().toStdString();
        // Same machine, same clock: the true offset is 0.
        EXPECT_LT(std::abs(Offset()), 0.005);
        EXPECT_EQ(m_query.Socket(), nullptr);
    }
    EXPECT_EQ(m_view.ended.size(), 3U);
    EXPECT_TRUE(m_setClockCalls.empty());
    EXPECT_TRUE(m_view.warnings.isEmpty());
    EXPECT_TRUE(m_view.closes.isEmpty());
}

TEST_F(SntpQueryTest, ACorrectingQuerySetsTheTimebaseTime) {
    // The process's clock an hour behind: the offset is an hour, and no warning comes.
    ShiftLocalClock(-3600);
    m_query.Start(Correcting());
    EXPECT_TRUE(m_query.IsCorrecting());
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(m_setClockCalls.size(), 1U);
    EXPECT_NEAR(SetError(0), 0.0, 0.010);
    EXPECT_NEAR(Offset(), 3600.0, 0.010);
    EXPECT_TRUE(m_view.LastText().startsWith("System Clock Corrected by: 3600.0") ||
                m_view.LastText().startsWith("System Clock Corrected by: 3599.9"))
        << m_view.LastText().toStdString();
    EXPECT_FALSE(m_query.IsCorrecting());
    EXPECT_TRUE(m_view.warnings.isEmpty());
}

TEST_F(SntpQueryTest, ARefusedClockIsNeverReportedAsCorrected) {
    m_query.SetExitWhenDone();
    m_setClockRefusal = "Operation not permitted";
    m_query.Start(Correcting());
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(m_view.LastText(), "Reset: System Clock NOT Corrected: Operation not permitted");
    EXPECT_EQ(m_view.ended.back().result, QueryOutcome::Result::ClockNotSet);
    EXPECT_TRUE(m_view.ButtonsEnabled());
    EXPECT_TRUE(m_view.closes.isEmpty());
    // The mark ends with the query: the plain button that follows only queries.
    EXPECT_FALSE(m_query.IsCorrecting());
    m_setClockRefusal.clear();
    m_query.Start(m_config);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(m_setClockCalls.size(), 1U);
    EXPECT_TRUE(kReport.match(m_view.LastText()).hasMatch()) << m_view.LastText().toStdString();
}

TEST_F(SntpQueryTest, TheTrayMarksARunningQueryAndOpensNoSecondSocket) {
    m_query.Start(m_config);
    const CTimeSocket* const running = m_query.Socket();
    ASSERT_NE(running, nullptr);
    m_query.OnTrayCorrectClock(m_config);
    EXPECT_EQ(m_query.Socket(), running);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(m_setClockCalls.size(), 1U);
    // With no query running, the tray starts a correcting one.
    m_query.OnTrayCorrectClock(m_config);
    EXPECT_TRUE(m_query.IsPending());
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(m_setClockCalls.size(), 2U);
}

} // namespace
