// The time query in the real window under Xvfb: buttons, pane 0, the progress control,
// the maximum delta warning box, the unattended start, and closing with a query waiting.
#include "history/history_store.h"
#include "platform/kernel_clock_state.h"
#include "tests/net/query_fixture.h"
#include "tests/support/frame_fixture.h"
#include "tests/support/scripted_servers.h"
#include "ui/main_frame.h"
#include "ui/status_bar.h"

#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <thread>
#include <unistd.h>

namespace {

// The processes this test started and has not yet reaped.
QByteArray ChildProcesses() {
    QFile children(QStringLiteral("/proc/self/task/%1/children").arg(getpid()));
    return children.open(QIODevice::ReadOnly) ? children.readAll().trimmed() : "unreadable";
}

class FrameQueryTest : public QueryTest {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(Servers("start", "chronyd")); }
    static void TearDownTestSuite() { Servers("stop", "chronyd"); }

    // `timebase` may go on with more lines of the [Options] section.
    void Start(const QByteArray& timebase, const QString& arguments = {}) {
        m_started.emplace("[Options]\nProtocol=SNTP\nSocketType=UDP\nTimeBase=" + timebase + "\n",
                          arguments);
        ASSERT_FALSE(HasFatalFailure()) << "the window did not start";
        m_frame = &m_started->Frame();
    }
    void TearDown() override {
        m_started.reset(); // closes the window and waits until it is gone
        QueryTest::TearDown();
    }
    QString PaneText() const { return m_frame->StatusBar()->PaneText(); }
    int Progress() const { return m_frame->StatusBar()->Progress()->value(); }
    QPushButton* Button(const char* name) const {
        return m_frame->findChild<QPushButton*>(QLatin1String(name));
    }
    bool ButtonsEnabled() const {
        return Button("btnQuery")->isEnabled() && Button("btnCorrect")->isEnabled();
    }
    bool QueryEnded() const { return m_frame && !m_frame->Query()->IsPending(); }
    // The result icon before pane 0's text, empty when none is shown.
    QString Icon() const {
        auto* icon = m_started->Child<QLabel>("paneIcon");
        return icon->isVisible() && !icon->pixmap().isNull() ? icon->property("result").toString()
                                                             : QString();
    }
    // Closes the window, keeping its settings folder and history for a look after.
    void CloseFrame() {
        m_frame->close();
        ASSERT_EVENTUALLY(m_frame.isNull(), 15000);
    }

    std::optional<StartedFrame> m_started;
    QPointer<CMainFrame> m_frame;
};

// Answers the next question box named `name` with `button` and returns its text, or an
// empty text when none came within the bound.
QString AnswerQuestion(const char* name, QMessageBox::StandardButton button,
                       const std::function<void()>& start) {
    QString asked;
    QTimer poll;
    poll.callOnTimeout([&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && asked.isEmpty() && box->objectName() == QLatin1String(name)) {
            asked = box->text();
            box->button(button)->click();
        }
    });
    poll.start(10);
    start();
    static_cast<void>(QTest::qWaitFor([&] { return !asked.isEmpty(); }, 5000));
    return asked;
}

TEST_F(FrameQueryTest, TheButtonsWaitForTheReplyAndTheWarningOpensOverIt) {
    ShiftLocalClock(-3600);
    Start("127.0.0.1");
    QString paneWhenShown;
    QPointer<QMessageBox> box;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (!box && (box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))) {
            paneWhenShown = PaneText();
        }
    });
    watcher.start(5);
    QTest::mouseClick(Button("btnQuery"), Qt::LeftButton);
    EXPECT_FALSE(Button("btnQuery")->isEnabled() || Button("btnCorrect")->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !box.isNull(); }, 5000));
    EXPECT_TRUE(ButtonsEnabled());
    EXPECT_EQ(box->windowTitle(), "Horolux");
    EXPECT_TRUE(box->text().startsWith("Maximum Delta Warning\n\nYour clock is 1 hour behind the "
                                       "Timebase.\n\n") &&
                box->text().contains("timedatectl"))
        << box->text().toStdString();
    EXPECT_TRUE(paneWhenShown.startsWith("Timebase Clock: ")) << paneWhenShown.toStdString();
    EXPECT_TRUE(paneWhenShown.endsWith("Delta: 3600.000 seconds") ||
                paneWhenShown.endsWith("Delta: 3599.999 seconds"))
        << paneWhenShown.toStdString();
    // At the default size the offset is in view; the tooltip says which way it goes.
    EXPECT_TRUE(
        m_started->Child<QLabel>("pane0")->text().startsWith(paneWhenShown.section(". ", 1)));
    EXPECT_EQ(Icon(), "warning");
    EXPECT_TRUE(m_frame->StatusBar()->PaneToolTip().contains(
        "\nYour clock is 1 hour behind the Timebase\nTimebase time: "));
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    // Another query still an hour off raises the open box instead of adding one.
    m_frame->OnQueryTimebase();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QueryEnded(); }, 5000));
    ASSERT_TRUE(RunPosted(m_frame));
    EXPECT_EQ(m_frame->findChildren<QMessageBox*>("deltaWarning").size(), 1);
    // "Correct Now" starts the correction, which asks before so large a step.
    EXPECT_NE(AnswerQuestion("largeStepQuestion", QMessageBox::No,
                             [&] { box->findChild<QPushButton*>("correctNow")->click(); }),
              "");
    EXPECT_TRUE(QTest::qWaitFor([&] { return box.isNull(); }, 1000));
}

TEST_F(FrameQueryTest, ASilentTimebaseFillsTheBarAndClosingIsPrompt) {
    ScriptedUdpServer server(123, [](const QByteArray&) { return std::vector<ScriptedReply>{}; });
    ASSERT_TRUE(server.IsListening());
    Start(kScriptedHost);
    QTest::mouseClick(Button("btnCorrect"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Progress() == 100; }, 10000));
    // The step after the full bar restarts the query from an empty bar.
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Requests().size() == 2; }, 5000));
    EXPECT_LT(Progress(), 100);
    EXPECT_EQ(PaneText(), "Connected; waiting for Correct Time...");
    // Closed while the query waits: its socket and timers go with it at once.
    m_frame->close();
    EXPECT_EQ(m_frame->Query(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_frame.isNull(); }, 5000));
}

// That it closes once the clock is set, the process test shows.
TEST_F(FrameQueryTest, TheUnattendedStartStaysAfterABogusReplyOrARefusedClock) {
    ScriptedUdpServer server(123, [](const QByteArray& request) {
        QByteArray reply = SntpReplyTo(request);
        reply[1] = 0; // kiss-of-death
        return std::vector<ScriptedReply>{{0, reply}};
    });
    ASSERT_TRUE(server.IsListening());
    Start(kScriptedHost, QStringLiteral("x"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return server.Requests().size() == 1 && QueryEnded(); }, 5000));
    EXPECT_EQ(PaneText(), "Reset: Selected Timebase returned bogus data!");
    EXPECT_EQ(Icon(), "failure");
    g_strTimeBase = QStringLiteral("127.0.0.1");
    // A plain query after it only queries, and answered it leaves the window open.
    m_frame->OnQueryTimebase();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QueryEnded(); }, 5000));
    EXPECT_TRUE(PaneText().startsWith("Timebase Clock: ")) << PaneText().toStdString();
    EXPECT_EQ(Icon(), "success");
    m_setClockRefusal = "Operation not permitted";
    m_frame->OnCorrectClock();
    ASSERT_TRUE(QTest::qWaitFor([this] { return QueryEnded(); }, 5000));
    EXPECT_EQ(PaneText(), "Reset: System Clock NOT Corrected: Operation not permitted");
    ASSERT_TRUE(RunPosted(m_frame)); // a close would have been posted as the query ended
    ASSERT_FALSE(m_frame.isNull());
    EXPECT_TRUE(m_frame->isVisible());
}

// NTS and Samples chosen in the menus, marked in both and written through; the key exchange
// runs while the window keeps ticking, and the answer is authenticated chronyd's.
TEST_F(FrameQueryTest, AuthenticatedTimeAndBurstsChosenInTheMenus) {
    const QString support = qEnvironmentVariable("HOROLUX_SOURCE_DIR") + "/tests/support/";
    ASSERT_EQ(QProcess::execute(support + "nts-server", {"start"}), 0);
    const QString ca = qEnvironmentVariable("HOROLUX_SANDBOX_DIR") + "/nts/ca.pem";
    Start("localhost\nSamples=4\nNtsCaFile=" + ca.toUtf8());
    const auto checked = [this](const char* id) {
        return m_started->Action("mainMenu", id)->isChecked() &&
               m_started->Action("popupMenu", id)->isChecked();
    };
    EXPECT_TRUE(checked("ID_SAMPLES_4") && !checked("ID_SAMPLES_1"));
    m_started->Action("popupMenu", "ID_SAMPLES_8")->trigger();
    m_started->Action("mainMenu", "ID_PROTOCOL_NTS")->trigger();
    EXPECT_TRUE(checked("ID_SAMPLES_8") && !checked("ID_SAMPLES_4"));
    EXPECT_TRUE(checked("ID_PROTOCOL_NTS") && !checked("ID_PROTOCOL_SNTP"));
    EXPECT_EQ(PaneText(), "Network Time Security selected");
    EXPECT_EQ(m_started->Child<QLabel>("indicatorNTS")->text(), "NTS");
    EXPECT_EQ(m_started->Child<QLabel>("indicatorSNTP")->text(), "");
    QSettings stored(m_started->Settings().FilePath(), QSettings::IniFormat);
    EXPECT_EQ(stored.value("Options/Protocol").toString(), "NTS");
    EXPECT_EQ(stored.value("Options/Samples").toInt(), 8);

    QElapsedTimer clock;
    qint64 last = 0, longestGap = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, clock.elapsed() - last);
        last = clock.elapsed();
    });
    clock.start();
    tick.start(20);
    for (const char* protocol : {"ID_PROTOCOL_NTS", "ID_PROTOCOL_SNTP"}) {
        m_started->Action("mainMenu", protocol)->trigger();
        QTest::mouseClick(Button("btnQuery"), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([this] { return QueryEnded(); }, 8000));
        EXPECT_TRUE(PaneText().startsWith("Timebase Clock: ")) << PaneText().toStdString();
        EXPECT_EQ(Icon(), QString(protocol).endsWith("NTS") ? "secure" : "success");
    }
    EXPECT_LT(longestGap, 500); // a key exchange on the GUI thread would stall it
    QProcess::execute(support + "nts-server", {"stop"});
}

// A clock the window may not set goes to pkexec with the helper and the query's settings;
// the stand-in pkexec waits for the test, then runs the real helper under the clock recorder
// or fails as pkexec does (127 here: no agent). Without the helper, and at the unattended
// start, nothing is asked.
TEST_F(FrameQueryTest, ARefusedClockAsksPkexecToRunTheHelper) {
    const QTemporaryDir dir;
    const QString helper = qEnvironmentVariable("HOROLUX_BIN_DIR") + "/horolux-correct";
    const QString refused = "^Reset: System Clock NOT Corrected: ";
    QFile pkexec(dir.path() + "/pkexec");
    ASSERT_TRUE(pkexec.open(QIODevice::WriteOnly));
    pkexec.write(QString("#!/bin/sh\necho \"$*\" >%1/asked\nfor i in $(seq 400); do [ -e %1/go ] "
                         "&& break; sleep 0.05; done; rm -f %1/go\n[ \"$PKEXEC_EXIT\" != 127 ] || "
                         "echo 'Error creating textual authentication agent: no terminal' >&2"
                         "\n[ -z \"$PKEXEC_EXIT\" ] || exit $PKEXEC_EXIT\nexec env "
                         "LD_PRELOAD=$HOROLUX_TEST_DIR/libclock_recorder.so "
                         "HOROLUX_CLOCK_RECORD=%1/record \"$@\"\n")
                     .arg(dir.path())
                     .toUtf8());
    pkexec.close();
    pkexec.setPermissions(pkexec.permissions() | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path().toUtf8() + ":" + path);
    const struct {
        QByteArray exit;
        QString helper, arguments, pane;
        bool asked;
    } cases[] = {
        {"", helper, "", "^System Clock Corrected by: ", true},
        {"126", helper, "", refused + "authorization refused$", true},
        {"127", helper, "", refused + "no authentication agent to ask for a password$", true},
        {"", helper, "x", refused + "Operation not permitted$", false},
        // Last: later tests find no helper, even where pkexec is installed.
        {"", dir.path() + "/none", "", refused + "Operation not permitted$", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.exit + " " + c.helper + " " + c.arguments).toStdString());
        QFile::remove(dir.path() + "/asked");
        qputenv("PKEXEC_EXIT", c.exit);
        qputenv("HOROLUX_HELPER", c.helper.toUtf8());
        m_setClockRefusal = "Operation not permitted";
        Start("127.0.0.1", c.arguments);
        if (c.arguments.isEmpty()) {
            m_frame->OnCorrectClock();
        }
        EXPECT_EVENTUALLY(!c.asked || PaneText() == "Waiting for authorization...", 20000);
        ASSERT_TRUE(!c.asked || QFile(dir.path() + "/go").open(QIODevice::WriteOnly));
        const QRegularExpression pane(c.pane);
        EXPECT_EVENTUALLY(QueryEnded() && pane.match(PaneText()).hasMatch(), 20000)
            << PaneText().toStdString();
        // pkexec, if asked, was started as the query ended: it still runs, or has written.
        EXPECT_EQ(ChildProcesses(), "");
        QFile asked(dir.path() + "/asked");
        EXPECT_EQ(asked.open(QIODevice::ReadOnly) ? QString(asked.readAll()) : "",
                  c.asked ? helper + " --server 127.0.0.1 --protocol sntp\n" : "");
        const bool corrected = c.exit.isEmpty() && c.asked;
        EXPECT_EQ(QFile::remove(dir.path() + "/record"), corrected);
        // The hint on getting the right to set the clock goes once the helper has set it.
        EXPECT_NE(m_frame->StatusBar()->PaneToolTip().contains("CAP_SYS_TIME"), corrected);
        // The tray's tip follows pane 0 to what the helper did.
        EXPECT_EVENTUALLY(
            m_frame->findChild<QSystemTrayIcon*>("trayIconShell")->toolTip().contains(PaneText()),
            5000);
        m_started.reset();
    }
    qputenv("PATH", path);
}

// The rows the window has kept, read as another program would.
std::vector<history::MeasurementRow> KeptRows(const QString& path) {
    history::HistoryStore store(path);
    return store.Load(0, std::numeric_limits<std::int64_t>::max());
}

TEST_F(FrameQueryTest, EveryQueryEndIsKeptAndChecksRunAtTheStoredInterval) {
    // A row written just before the window closes is not lost.
    Start("127.0.0.1");
    const QString path = m_started->Settings().HistoryPath();
    QTest::mouseClick(Button("btnQuery"), Qt::LeftButton);
    ASSERT_EVENTUALLY(QueryEnded(), 10000);
    CloseFrame();
    std::vector<history::MeasurementRow> rows = KeptRows(path);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].program, "horolux");
    EXPECT_EQ(rows[0].server, "127.0.0.1");
    EXPECT_EQ(rows[0].protocol + '/' + rows[0].transport, "SNTP/UDP");
    EXPECT_EQ(rows[0].verdict, history::Verdict::Used);
    EXPECT_EQ(rows[0].stratum, 10);
    ASSERT_TRUE(rows[0].offsetSeconds && rows[0].delaySeconds);
    EXPECT_LT(std::abs(*rows[0].offsetSeconds), 0.5);
    EXPECT_FALSE(rows[0].corrected);

    // A minute, as stored, passes in a few hundred milliseconds here.
    Start("127.0.0.1\nCheckInterval=60");
    m_frame->checkSecondMs = 5;
    EXPECT_EVENTUALLY(KeptRows(m_started->Settings().HistoryPath()).size() >= 2, 20000);
}

std::optional<platform::KernelClockState> KeptByAService() {
    return platform::KernelClockState{true, 0.002, 0.05};
}

TEST_F(FrameQueryTest, ACorrectAsksFirstWhileATimeServiceKeepsTheClock) {
    const struct {
        platform::KernelClockReader kernel;
        const char* shown;
        QString question;
    } cases[] = {
        // This machine's own clock, as the sandbox leaves it.
        {nullptr, "System time service: not synchronized", ""},
        {KeptByAService, "System time service: synchronized, estimated error ± 2 ms",
         "A time service keeps this clock synchronized (estimated error ± 2 ms). Set it to "
         "the Timebase's time anyway?"},
    };
    const auto restore = qScopeGuard([] { platform::SetKernelClockReader(nullptr); });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        platform::SetKernelClockReader(c.kernel);
        Start("127.0.0.1");
        ASSERT_EVENTUALLY(m_frame->StatusBar()->PaneToolTip().endsWith(c.shown), 10000);
        EXPECT_EQ(AnswerQuestion("serviceQuestion", QMessageBox::No,
                                 [&] { Button("btnCorrect")->click(); }),
                  c.question);
        // Refused, the clock is left alone; not asked, it is set.
        EXPECT_TRUE(QTest::qWaitFor([&] { return QueryEnded(); }, 10000));
        EXPECT_EQ(m_setClockCalls.size(), c.question.isEmpty() ? 1u : 0u);
        m_setClockCalls.clear();
        m_started.reset();
    }
}

TEST_F(FrameQueryTest, ALargeStepIsSetOnlyOnceTheUserAgrees) {
    ShiftLocalClock(-3600.0);
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
        Start("127.0.0.1");
        EXPECT_EQ(
            AnswerQuestion("largeStepQuestion", answer, [&] { Button("btnCorrect")->click(); }),
            "Set the clock forward by 1 hour 0 minutes 0 seconds to the Timebase's time?");
        const QString path = m_started->Settings().HistoryPath();
        CloseFrame();
        EXPECT_EQ(m_setClockCalls.size(), answer == QMessageBox::Yes ? 1u : 0u);
        const std::vector<history::MeasurementRow> rows = KeptRows(path);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].corrected, answer == QMessageBox::Yes);
        m_started.reset();
    }
    EXPECT_LT(std::abs(SetError(0)), 0.5);
}

} // namespace
