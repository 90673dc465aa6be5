// The main window against the real settings file: start-up, layout, the option commands
// from both menus, status prompts, web links and Exit.
#include "platform/ui_language.h"
#include "tests/support/frame_fixture.h"
#include "timesync/query_outcome.h"
#include "timesync/time_sync_hooks.h"

#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QToolTip>

namespace {

// The marks of Time (UDP), Time (TCP), SNTP, Text Only, Graphics and Minimize to Tray:
// "x" checked, "." not.
QString Marks(const StartedFrame& started, const char* menu) {
    QString marks;
    for (const char* id :
         {"ID_PROTOCOL_TIMEUDP", "ID_PROTOCOL_TIMETCP", "ID_PROTOCOL_SNTP", "ID_BACKDROP_TEXTONLY",
          "ID_BACKDROP_GRAPHICS", "ID_OPTIONS_MINIMIZETOTRAY"}) {
        marks += started.Action(menu, id)->isChecked() ? QLatin1Char('x') : QLatin1Char('.');
    }
    return marks;
}

// The lit protocol indicators, joined, after the marks of both menus, which must agree.
QString MarksAndIndicators(const StartedFrame& started) {
    EXPECT_EQ(Marks(started, "popupMenu"), Marks(started, "mainMenu"));
    return Marks(started, "mainMenu") + ' ' + started.Child<QLabel>("indicatorTCP")->text() +
           started.Child<QLabel>("indicatorUDP")->text() +
           started.Child<QLabel>("indicatorSNTP")->text();
}

TEST(Startup, StoredOptionsAreKeptMissingOnesWrittenAndShown) {
    const struct {
        QByteArray stored;
        QString options, shown;
    } cases[] = {
        {"", "tick.usno.navy.mil|UDP|SNTP|0|1", "..x.xx SNTP"},
        {"[Options]\nTimeBase=time.example.org\nProtocol=Time\nSocketType=TCP\nTextOnly=1\n"
         "MinimizeToTray=0\n",
         "time.example.org|TCP|Time|1|0", ".x.x.. TCP"},
        {"[Options]\nProtocol=Time\nSocketType=UDP\nMinimizeToTray=7\n",
         "tick.usno.navy.mil|UDP|Time|0|7", "x...xx UDP"},
        // Marked as SNTP, lit as nothing, and stored as it was.
        {"[Options]\nProtocol=time\nSocketType=tcp\n", "tick.usno.navy.mil|tcp|time|0|1",
         "..x.xx "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.toStdString());
        StartedFrame started(c.stored);
        EXPECT_EQ(started.Settings().Options(), c.options);
        EXPECT_EQ(MarksAndIndicators(started), c.shown);
    }
}

TEST(Startup, NoSocketMeansOneMessageAndNoSettings) {
    SettingsSandbox settings;
    CTimeSyncApp app;
    QStringList shown;
    app.canCreateSocket = [] { return false; };
    app.showError = [&shown](const QString& text) { shown << text; };
    EXPECT_FALSE(app.InitInstance(QString()));
    EXPECT_EQ(shown, QStringList{"Socket Initialization Failed!"});
    EXPECT_EQ(app.MainWindow(), nullptr);
    EXPECT_FALSE(QFile::exists(settings.FilePath()));
}

TEST(MainFrame, TitleAndLayoutAtEverySize) {
    StartedFrame started;
    CMainFrame& frame = started.Frame();
    EXPECT_EQ(frame.windowTitle(), "Horolux by horolux@veldmark.example");
    QWidget* progress = started.Child("progress");
    // Smaller than the minimum, the window stops at it with the buttons, the view and the
    // first two panes usable.
    frame.resize(100, 40);
    ASSERT_EVENTUALLY(frame.size() == frame.minimumSizeHint(), 5000);
    EXPECT_GE(frame.height(),
              frame.menuBar()->height() + 20 + 60 + 20 + started.Child("statusBar")->height());
    EXPECT_GE(started.Child("pane0")->width(), 150);
    const QSize minimum = frame.size();
    for (const QSize size : {QSize(1000, 700), minimum, QSize(640, 480)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        started.Resize(size);
        EXPECT_EQ(started.Child("statusBar")->geometry().bottom(), frame.rect().bottom());
        // The progress control stays in view, between pane 0 and the indicators.
        EXPECT_TRUE(progress->isVisible());
        EXPECT_GE(progress->x(), started.Child("pane0")->geometry().right());
        EXPECT_LE(progress->geometry().right(), started.Child("indicatorTCP")->x());
    }
}

TEST(MainFrame, PaneZeroElidesAndItsTooltipTellsTheWholeStory) {
    StartedFrame started("[Options]\nTimeBase=time.example.org\nProtocol=Time\nSocketType=TCP\n");
    CMainFrame& frame = started.Frame();
    auto* pane = started.Child<QLabel>("pane0");
    const QString whole = "Reset: " + QString(300, QLatin1Char('x'));
    frame.ShowStatusText(whole);
    EXPECT_EQ(started.PaneText(), whole);
    EXPECT_TRUE(pane->text().endsWith(QChar(0x2026)) &&
                pane->fontMetrics().horizontalAdvance(pane->text()) <= pane->width());
    const qsizetype narrow = pane->text().size();
    started.Resize(QSize(900, 300)); // wider, it shows more
    EXPECT_GT(pane->text().size(), narrow);
    QHelpEvent hover(QEvent::ToolTip, QPoint(2, 2), pane->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(pane, &hover);
    EXPECT_EVENTUALLY(QToolTip::text().section('\n', 0, 2) ==
                          whole + "\nTimebase: time.example.org\nProtocol: Time (TCP)",
                      2000);
    QToolTip::hideText();
    // The attempts of a running query, and after a refusal where to get the right.
    const auto note = [&frame] { return frame.StatusBar()->PaneToolTip().section('\n', 3, 3); };
    frame.ShowStatusText("Socket Created.");
    frame.ShowStatusText("Socket Created.");
    EXPECT_EQ(note(), "Attempt 2");
    QueryOutcome refused;
    refused.result = QueryOutcome::Result::ClockNotSet;
    frame.QueryEnded(refused);
    EXPECT_EQ(note(), "Setting the clock needs CAP_SYS_TIME; see Help");
    frame.ShowStatusText("Socket Created.");
    EXPECT_EQ(note(), "Attempt 1");
}

TEST(OptionCommands, EachWritesThroughAndMarksBothMenus) {
    StartedFrame started("[Options]\nTimeBase=time.example.org\n");
    const struct {
        const char *menu, *id;
        QString options, shown, pane;
    } steps[] = {
        {"mainMenu", "ID_PROTOCOL_TIMETCP", "time.example.org|TCP|Time|0|1", ".x..xx TCP",
         "Time Protocol with Streams selected"},
        {"popupMenu", "ID_PROTOCOL_TIMEUDP", "time.example.org|UDP|Time|0|1", "x...xx UDP",
         "Time Protocol with Datagrams selected"},
        {"mainMenu", "ID_PROTOCOL_SNTP", "time.example.org|UDP|SNTP|0|1", "..x.xx SNTP",
         "Simple Network Time Protocol selected"},
        {"popupMenu", "ID_TIMEBASE_BACKUP", "tock.usno.navy.mil|UDP|SNTP|0|1", "..x.xx SNTP",
         "tock.usno.navy.mil selected"},
        {"mainMenu", "ID_TIMEBASE_PRIMARY", "tick.usno.navy.mil|UDP|SNTP|0|1", "..x.xx SNTP",
         "tick.usno.navy.mil selected"},
        // The backdrop and the tray switch leave the pane as it was.
        {"mainMenu", "ID_BACKDROP_TEXTONLY", "tick.usno.navy.mil|UDP|SNTP|1|1", "..xx.x SNTP",
         "tick.usno.navy.mil selected"},
        {"popupMenu", "ID_BACKDROP_GRAPHICS", "tick.usno.navy.mil|UDP|SNTP|0|1", "..x.xx SNTP",
         "tick.usno.navy.mil selected"},
        {"mainMenu", "ID_OPTIONS_MINIMIZETOTRAY", "tick.usno.navy.mil|UDP|SNTP|0|0", "..x.x. SNTP",
         "tick.usno.navy.mil selected"},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.id);
        started.Action(step.menu, step.id)->trigger();
        EXPECT_EQ(started.Settings().Options(), step.options);
        EXPECT_EQ(g_strTimeBase, step.options.section('|', 0, 0));
        EXPECT_EQ(MarksAndIndicators(started), step.shown);
        EXPECT_EQ(started.PaneText(), step.pane);
    }
}

// PRIMARY, BACKUP, pool.ntp.org and the typed Timebase are one choice; a stored typed
// Timebase shows as the typed item and stays offered when a menu Timebase is chosen.
TEST(OptionCommands, TimebaseMarksAreOneChoiceThatKeepsTheTypedOne) {
    StartedFrame started("[Options]\nTimeBase=time.example.org\n");
    const struct {
        const char* id;
        QString marks;
    } steps[] = {{nullptr, "...x time.example.org"},
                 {"ID_TIMEBASE_PRIMARY", "x... time.example.org"},
                 {"ID_TIMEBASE_POOL", "..x. time.example.org"},
                 {"ID_TIMEBASE_TYPED", "...x time.example.org"},
                 {"ID_TIMEBASE_BACKUP", ".x.. time.example.org"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.id ? step.id : "start");
        if (step.id) {
            started.Action("popupMenu", step.id)->trigger();
        }
        for (const char* menu : {"mainMenu", "popupMenu"}) {
            QString marks;
            for (const char* id : {"ID_TIMEBASE_PRIMARY", "ID_TIMEBASE_BACKUP", "ID_TIMEBASE_POOL",
                                   "ID_TIMEBASE_TYPED"}) {
                QAction* action = started.Action(menu, id);
                ASSERT_NE(action, nullptr) << id;
                marks += action->isChecked() ? QLatin1Char('x') : QLatin1Char('.');
            }
            EXPECT_EQ(marks + ' ' + started.Action(menu, "ID_TIMEBASE_TYPED")->text(), step.marks);
        }
    }
    EXPECT_EQ(started.Settings().Options().section('|', 0, 0), "tock.usno.navy.mil");
}

TEST(OptionCommands, PromptsGiveThePaneBackAChosenCommandLeavesItsTextAndExitCloses) {
    StartedFrame started;
    started.Action("mainMenu", "ID_PROTOCOL_SNTP")->trigger();
    const QString earlier = started.PaneText();
    QWidget* view = started.Child("scene");
    auto* popup = started.Child<QMenu>("popupMenu");
    auto* prompt = started.Child<QLabel>("panePrompt");
    QAction* reset = started.Action("popupMenu", "ID_RESET");
    ASSERT_FALSE(reset->statusTip().isEmpty());
    for (const Qt::Key answer : {Qt::Key_Escape, Qt::Key_Return}) {
        QTest::mousePress(view, Qt::RightButton, {}, view->rect().center());
        ASSERT_EVENTUALLY(popup->isVisible(), 2000);
        QTest::mouseMove(popup, popup->actionGeometry(reset).center());
        ASSERT_EVENTUALLY(prompt->isVisible() && prompt->text() == reset->statusTip(), 2000);
        QTest::keyClick(popup, answer);
        ASSERT_EVENTUALLY(!popup->isVisible() && started.Child("pane0")->isVisible(), 2000);
        EXPECT_FALSE(prompt->isVisible());
        EXPECT_EQ(started.PaneText(), answer == Qt::Key_Escape ? earlier : "Reset by User Command");
    }
    QPointer<CMainFrame> frame = &started.Frame();
    started.Action("popupMenu", "ID_APP_EXIT")->trigger();
    EXPECT_EVENTUALLY(frame.isNull(), 2000);
}

TEST(OptionCommands, UnderLanguageDeTheMenusAndTheQueryTextsAreGerman) {
    const QByteArray language = qgetenv("LANGUAGE");
    qputenv("LANGUAGE", "de");
    QObject translators;
    platform::InstallTranslations(&translators);
    SetTextTranslator(&platform::TranslatedQueryText);
    const auto restore = qScopeGuard([&] {
        SetTextTranslator(nullptr);
        language.isNull() ? qunsetenv("LANGUAGE") : qputenv("LANGUAGE", language);
    });
    StartedFrame started("[Options]\nTimeBase=127.0.0.3\n");
    EXPECT_EQ(started.Frame().menuBar()->actions().value(0)->text(), "&Datei");
    started.Action("mainMenu", "ID_RESET")->trigger();
    EXPECT_EQ(started.PaneText(), "Vom Benutzer zurückgesetzt");
}

TEST(OptionCommands, WithNoOpenerABoxGivesTheAddress) {
    StartedFrame started;
    // Nothing on the PATH: neither xdg-open nor any browser can be started.
    const auto restorePath = qScopeGuard([path = qgetenv("PATH")] { qputenv("PATH", path); });
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toLocal8Bit());
    // The address, on the box's last line: the help page as a local path.
    const struct {
        const char *id, *where;
    } links[] = {
        {"ID_HELP_HELPPAGE", "^/.+/help/index.html$"},
        {"ID_HELP_HOMEPAGE", "^https://www.veldmark.example/horolux/$"},
        {"ID_TIMEBASE_BROWSELIST", "^https://support.ntp.org/Servers/StratumOneTimeServers$"}};
    for (const auto& link : links) {
        SCOPED_TRACE(link.id);
        started.Action("mainMenu", link.id)->trigger();
        QPointer<QMessageBox> box = started.Frame().findChild<QMessageBox*>("noOpener");
        ASSERT_EVENTUALLY(box && box->isVisible(), 2000);
        EXPECT_TRUE(box->text().section('\n', -1).contains(QRegularExpression(link.where)))
            << box->text().toStdString();
        box->accept();
        ASSERT_EVENTUALLY(box.isNull(), 2000);
    }
}

} // namespace
