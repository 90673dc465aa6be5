// SNTP queries against the sandbox's chronyd: the texts in order, the offset, the buttons,
// the tray during a query, names and IPv6 (corrections, refused or not, the process and
// window tests show).
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
