// Names are resolved without blocking the window's thread (run by with-test-resolver,
// whose nameserver on 127.0.0.1 is this test's silent socket, and whose hosts file
// names ::1).
#include "tests/net/query_fixture.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QProcess>
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
    m_query.Start(m_config);
    ASSERT_TRUE(QTest::qWaitFor([&] { return questions > 0; }, 2000));
    // The resolver gives up after 5 s; meanwhile the loop ran on (a blocking resolver would
    // miss all fifty ticks of these 2.5 s; a loaded machine may delay a few).
    ASSERT_TRUE(QTest::qWaitFor([&] { return clock.elapsed() > 2500; }, 3000));
    EXPECT_LT(longestGap, 25 * kTickMs);
    // A silent name server outlasts the attempt: the query waits for its time-out.
    EXPECT_EQ(m_view.texts, QStringList({"Socket Created.", "Connecting to Timebase..."}));
    EXPECT_TRUE(m_query.IsPending());
    // The time-out asks again.
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.texts.size() == 4; }, 8000));
    EXPECT_EQ(m_view.texts.mid(2), QStringList({"Socket Created.", "Connecting to Timebase..."}));
}

// A name the name server denies, and no name server to ask: pane 0 says which while the query
// tries again, and horolux-cli ends with it (its text is the JSON's "result").
TEST_F(NameResolutionTest, ANameThatDoesNotResolveIsSaid) {
    for (const QString words : {"name not found", "name lookup failed"}) {
        QUdpSocket nameserver; // NXDOMAIN to every question
        if (words.endsWith("found")) {
            ASSERT_TRUE(nameserver.bind(QHostAddress(QStringLiteral("127.0.0.1")), 53));
        }
        QObject::connect(&nameserver, &QUdpSocket::readyRead, [&] {
            while (nameserver.hasPendingDatagrams()) {
                const QNetworkDatagram question = nameserver.receiveDatagram();
                nameserver.writeDatagram(question.data().replace(2, 2, "\x81\x83"),
                                         question.senderAddress(), question.senderPort());
            }
        });
        const QString said = "Timebase " + words + ": nx.horolux.test";
        m_view.texts.clear();
        Use("SNTP", "UDP", "nx.horolux.test");
        m_query.Start(m_config);
        const QStringList attempt{"Socket Created.", "Connecting to Timebase...",
                                  said + "; trying again"};
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.texts.size() >= 6; }, 8000));
        EXPECT_EQ(m_view.texts, attempt + attempt);
        m_query.OnReset();
        QProcess cli;
        cli.start(qEnvironmentVariable("HOROLUX_BIN_DIR") + "/horolux-cli",
                  {"--server", "nx.horolux.test", "--timeout", "1", "--json"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return cli.state() == QProcess::NotRunning; }, 10000));
        const QJsonObject report = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
        EXPECT_EQ(report["result"].toString() + report["error"].toString(),
                  "Reset: " + said + "Reset: " + said);
        EXPECT_TRUE(report["address"].isNull());
    }
}

// horolux-cli ends at its time-out, not when the resolver gives up (5 s here): neither the
// abandoned query nor the program's exit waits for the lookup.
TEST_F(NameResolutionTest, TheTimeOutBoundsTheWholeRun) {
    QUdpSocket nameserver; // takes the questions and never answers
    ASSERT_TRUE(nameserver.bind(QHostAddress(QStringLiteral("127.0.0.1")), 53));
    for (const QString protocol : {"sntp", "nts"}) { // the key exchange resolves on its own
        QProcess cli;
        QElapsedTimer clock;
        clock.start();
        cli.start(qEnvironmentVariable("HOROLUX_BIN_DIR") + "/horolux-cli",
                  {"--server", "slow.horolux.test", "--protocol", protocol, "--timeout", "1"});
        ASSERT_TRUE(cli.waitForFinished(10000));
        EXPECT_EQ(cli.exitCode(), 1) << cli.readAllStandardError().toStdString();
        EXPECT_LT(clock.elapsed(), 4000) << protocol.toStdString(); // the resolver takes 5 s
    }
}

// The name resolves after a second; meanwhile a stranger on this machine sends a 2040 time
// to the query's port. The Time protocol over UDP has no nonce: only the sender and the
// moment tell the answer apart, and that datagram was neither.
TEST_F(NameResolutionTest, AStrangersTimeBeforeTheConnectIsNotTheAnswer) {
    QUdpSocket nameserver;
    ASSERT_TRUE(nameserver.bind(QHostAddress(QStringLiteral("127.0.0.1")), 53));
    QObject::connect(&nameserver, &QUdpSocket::readyRead, [&] {
        while (nameserver.hasPendingDatagrams()) {
            const QNetworkDatagram question = nameserver.receiveDatagram();
            const QByteArray q = question.data();
            int end = 12; // the question: labels, then type and class
            while (end < q.size() && q[end] != 0) {
                end += q[end] + 1;
            }
            const bool a = q.mid(end + 1, 2) == QByteArray("\0\1", 2);
            // Flags: an answer, recursion available; one question; an A record for A.
            QByteArray reply = q.left(2) + QByteArray("\x81\x80\0\1\0", 5) + char(a ? 1 : 0) +
                               QByteArray(4, '\0') + q.mid(12, end + 5 - 12);
            if (a) { // nothing listens on 127.0.0.3
                reply += QByteArray("\xC0\x0C\0\1\0\1\0\0\0\x3C\0\4\x7F\0\0\3", 16);
            }
            QTimer::singleShot(1000, &nameserver, [&nameserver, reply, question] {
                nameserver.writeDatagram(reply, question.senderAddress(), question.senderPort());
            });
        }
    });
    Use("Time", "UDP", "slow.horolux.test");
    m_query.Start(Correcting());
    QUdpSocket stranger;
    ASSERT_EQ(stranger.writeDatagram(QByteArray("\x08\x48\x5E\x10", 4), QHostAddress::LocalHost,
                                     m_query.Socket()->LocalPort()),
              4);
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.texts.size() >= 3; }, 5000));
    EXPECT_EQ(m_view.texts[2], "Connected; waiting for Correct Time...");
    // Nothing answers: the time-out asks again, and the clock was never set.
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_view.texts.size() >= 4; }, 8000))
        << m_view.texts.join(" | ").toStdString();
    EXPECT_TRUE(m_setClockCalls.empty());
}

TEST_F(NameResolutionTest, ANameForAnIpv6Address) {
    Use("SNTP", "UDP", "horolux-v6.test");
    m_query.Start(m_config);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_TRUE(m_view.LastText().startsWith("Timebase Clock: "))
        << m_view.texts.join(" | ").toStdString();
    EXPECT_LT(std::abs(Offset()), 0.005);
}

} // namespace
