// Names are resolved without blocking the window's thread (run by with-test-resolver,
// whose nameserver on 127.0.0.1 is this test's silent socket, and whose hosts file
// names ::1).
#include "tests/net/query_fixture.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QTimer>
#include <QUdpSocket>

namespace {

class NameResolutionTest : public QueryTest {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(Servers("start", "chronyd")); }
    static void TearDownTestSuite() { Servers("stop", "chronyd"); }
};

TEST_F(NameResolutionTest, TheWindowKeepsTickingWhileANameResolves) {
    // A nameserver that takes the questions and never answers.
    QUdpSocket nameserver;
    ASSERT_TRUE(nameserver.bind(QHostAddress(QStringLiteral("127.0.0.1")), 53));
    int questions = 0;
    QObject::connect(&nameserver, &QUdpSocket::readyRead, [&] {
        while (nameserver.hasPendingDatagrams()) {
            nameserver.receiveDatagram();
            ++questions;
        }
    });
    UseTimebase("SNTP", "UDP", "slow.horolux.test");

    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
        ++ticks;
    });
    tick.start(50);
    OnQueryTimebase(m_view);
    EXPECT_LT(clock.elapsed(), 100) << "the query start waited for the resolver";
    ASSERT_TRUE(QTest::qWaitFor([&] { return questions > 0; }, 2000));
    // The resolver gives up after 2 s; meanwhile the loop ran on.
    ASSERT_TRUE(QTest::qWaitFor([&] { return clock.elapsed() > 2500; }, 3000));
    EXPECT_GE(ticks, 30);
    EXPECT_LT(longestGap, 500);
    // A name that does not resolve shows nothing: the query waits for its time-out.
    EXPECT_EQ(m_view.texts, QStringList({"Socket Created.", "Connecting to Timebase..."}));
    EXPECT_TRUE(QueryPending());
    // The time-out asks again.
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.texts.size() == 4; }, 4000));
    EXPECT_EQ(m_view.texts.mid(2), QStringList({"Socket Created.", "Connecting to Timebase..."}));
    OnReset(m_view);
}

TEST_F(NameResolutionTest, ANameForAnIpv6Address) {
    UseTimebase("SNTP", "UDP", "horolux-v6.test");
    OnQueryTimebase(m_view);
    ASSERT_TRUE(WaitForQueryEnd());
    EXPECT_TRUE(m_view.LastText().startsWith("Timebase Clock: "))
        << m_view.texts.join(" | ").toStdString();
    EXPECT_LT(std::abs(CurrentOffset()), 0.005);
}

} // namespace
