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
    Use("SNTP", "UDP", "slow.horolux.test");
    constexpr int kTickMs = 50;
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    tick.start(kTickMs);
    m_query.OnQueryTimebase();
    ASSERT_TRUE(QTest::qWaitFor([&] { return questions > 0; }, 2000));
    // The resolver gives up after 2 s; meanwhile the loop ran on, missing no more than a
    // few ticks at any time (a blocking resolver would miss forty).
    ASSERT_TRUE(QTest::qWaitFor([&] { return clock.elapsed() > 2500; }, 3000));
    EXPECT_LT(longestGap, 10 * kTickMs);
    // A name that does not resolve shows nothing: the query waits for its time-out.
    EXPECT_EQ(m_view.texts, QStringList({"Socket Created.", "Connecting to Timebase..."}));
    EXPECT_TRUE(m_query.IsPending());
    // The time-out asks again.
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.texts.size() == 4; }, 8000));
    EXPECT_EQ(m_view.texts.mid(2), QStringList({"Socket Created.", "Connecting to Timebase..."}));
}

TEST_F(NameResolutionTest, ANameForAnIpv6Address) {
    Use("SNTP", "UDP", "horolux-v6.test");
    m_query.OnQueryTimebase();
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(m_view.LastText().startsWith("Timebase Clock: "))
        << m_view.texts.join(" | ").toStdString();
    EXPECT_LT(std::abs(Offset()), 0.005);
}

} // namespace
