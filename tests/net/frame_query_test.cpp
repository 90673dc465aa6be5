// The time query in the real window under Xvfb: buttons, pane 0, the progress control,
// the maximum delta warning box, the unattended start, and closing with a query waiting.
#include "tests/net/query_fixture.h"
#include "tests/support/frame_fixture.h"
#include "tests/support/scripted_servers.h"
#include "timesync/status_texts.h"
#include "ui/main_frame.h"
#include "ui/status_bar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <optional>

namespace {

class FrameQueryTest : public QueryTest {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(Servers("start", "chronyd")); }
    static void TearDownTestSuite() { Servers("stop", "chronyd"); }

    void Start(const char* timebase, const QString& arguments = {}) {
        m_started.emplace(QByteArray("[Options]\nProtocol=SNTP\nSocketType=UDP\nTimeBase=") +
                              timebase + "\n",
                          arguments);
        ASSERT_FALSE(HasFatalFailure()) << "the window did not start";
        m_frame = &m_started->Frame();
    }
    void TearDown() override {
        m_started.reset(); // closes the window and waits until it is gone
        QueryTest::TearDown();
    }
    QString PaneText() const { return m_frame->StatusBar()->PaneText(); }
    QProgressBar* Progress() const { return m_frame->StatusBar()->Progress(); }
    QPushButton* Button(const char* name) const {
        return m_frame->findChild<QPushButton*>(QLatin1String(name));
    }
    bool ButtonsEnabled() const {
        return Button("btnQuery")->isEnabled() && Button("btnCorrect")->isEnabled();
    }
    bool ButtonsDisabled() const {
        return !Button("btnQuery")->isEnabled() && !Button("btnCorrect")->isEnabled();
    }

    std::optional<StartedFrame> m_started;
    QPointer<CMainFrame> m_frame;
};

TEST_F(FrameQueryTest, TheButtonsWaitForTheReply) {
    Start("127.0.0.1");
    QTest::mouseClick(Button("btnQuery"), Qt::LeftButton);
    EXPECT_TRUE(ButtonsDisabled());
    ASSERT_TRUE(WaitForQueryEnd());
    EXPECT_TRUE(ButtonsEnabled());
    EXPECT_TRUE(PaneText().startsWith("Timebase Clock: ")) << PaneText().toStdString();
    EXPECT_TRUE(PaneText().contains(". Delta: ")) << PaneText().toStdString();
    // The next tick lets the worker clear the bar.
    ASSERT_TRUE(QTest::qWaitFor([this] { return Progress()->value() == 0; }, 1000));
}

TEST_F(FrameQueryTest, TheWarningBoxOpensOverTheResult) {
    ShiftLocalClock(-3600.0);
    Start("127.0.0.1");
    QString paneWhenShown;
    QPointer<QMessageBox> box;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (!box) {
            box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box) {
                paneWhenShown = PaneText();
            }
        }
    });
    watcher.start(5);
    QTest::mouseClick(Button("btnQuery"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !box.isNull(); }, 5000));
    EXPECT_EQ(box->windowTitle(), "Horolux");
    EXPECT_EQ(box->text(), QString::fromLatin1(texts::kMaxDeltaWarning));
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
    EXPECT_TRUE(paneWhenShown.endsWith("Delta: 3600.000 seconds") ||
                paneWhenShown.endsWith("Delta: 3599.999 seconds"))
        << paneWhenShown.toStdString();
    box->button(QMessageBox::Ok)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.isNull(); }, 1000));
}

TEST_F(FrameQueryTest, ASilentTimebaseFillsTheBarAndResetEmptiesIt) {
    ScriptedUdpServer server(123, [](const QByteArray&) { return std::vector<ScriptedReply>{}; });
    ASSERT_TRUE(server.IsListening());
    Start(kScriptedHost);
    QTest::mouseClick(Button("btnCorrect"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Progress()->value() == 100; }, 6000));
    // The step after the full bar restarts the query from an empty bar.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Requests().size() == 2; }, 2000));
    EXPECT_LT(Progress()->value(), 100);
    EXPECT_EQ(PaneText(), "Connected; waiting for Correct Time...");
    EXPECT_TRUE(ButtonsDisabled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return Progress()->value() >= 10; }, 2000));
    m_frame->OnReset();
    EXPECT_EQ(PaneText(), "Reset by User Command");
    EXPECT_TRUE(ButtonsEnabled());
    ASSERT_TRUE(QTest::qWaitFor([this] { return Progress()->value() == 0; }, 1000));
}

TEST_F(FrameQueryTest, ClosingWhileTheWorkerWaitsForAStepIsPrompt) {
    ScriptedUdpServer server(123, [](const QByteArray&) { return std::vector<ScriptedReply>{}; });
    ASSERT_TRUE(server.IsListening());
    Start(kScriptedHost);
    m_frame->OnQueryTimebase();
    ASSERT_TRUE(QTest::qWaitFor([this] { return Progress()->value() >= 10; }, 3000));
    // Keep the GUI thread from the event loop until the worker has posted a step and
    // waits for it: the worker is in the middle of a step.
    QElapsedTimer waited;
    waited.start();
    while (!IsWatchdogWaitingForWindow() && waited.elapsed() < 3000) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(IsWatchdogWaitingForWindow());
    QElapsedTimer closing;
    closing.start();
    m_frame->close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_frame.isNull(); }, 2000));
    const qint64 ms = closing.elapsed();
    std::printf("window gone %lld ms after close\n", static_cast<long long>(ms));
    EXPECT_LT(ms, 500);
    // The worker ended by itself and was joined.
    EXPECT_EQ(g_pWatchdogThread, nullptr);
    EXPECT_EQ(g_pSocket, nullptr);
}

TEST_F(FrameQueryTest, UnattendedCorrectionClosesTheWindow) {
    Start("127.0.0.1", QStringLiteral("x"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_frame.isNull(); }, 5000));
    ASSERT_EQ(m_setClockCalls.size(), 1U);
    EXPECT_NEAR(InstantAsNtp(m_setClockCalls[0]), m_trueTimeAtSet[0], 0.010);
    EXPECT_EQ(g_bCorrectClock, 0);
}

TEST_F(FrameQueryTest, UnattendedStaysOpenAfterABogusReplyOrARefusedClock) {
    ScriptedUdpServer server(123, [](const QByteArray& request) {
        QByteArray reply = SntpReplyTo(request);
        reply[1] = 0; // kiss-of-death
        return std::vector<ScriptedReply>{{0, reply}};
    });
    ASSERT_TRUE(server.IsListening());
    Start(kScriptedHost, QStringLiteral("x"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return server.Requests().size() == 1 && !QueryPending(); }, 5000));
    EXPECT_EQ(PaneText(), "Reset: Selected Timebase returned bogus data!");
    EXPECT_TRUE(ButtonsEnabled());
    EXPECT_EQ(g_bExitWhenDone, 1);

    // Then a good Timebase whose clock the system will not set.
    m_setClockRefusal = "Operation not permitted";
    g_strTimeBase = QStringLiteral("127.0.0.1");
    m_frame->OnQueryTimebase();
    ASSERT_TRUE(WaitForQueryEnd());
    EXPECT_EQ(PaneText(), "Reset: System Clock NOT Corrected: Operation not permitted");
    // Give a posted close every chance to run.
    QTest::qWait(300);
    ASSERT_FALSE(m_frame.isNull());
    EXPECT_TRUE(m_frame->isVisible());
}

} // namespace
