// The option and help commands against the real settings file: memory, file, check
// marks in both menus, status texts and indicators, and what survives a restart.
#include "tests/support/frame_fixture.h"
#include "tests/support/wait.h"
#include "ui/command_ids.h"
#include "ui/option_commands.h"
#include "ui/tray_icon.h"

#include <QFileInfo>
#include <QLineEdit>

namespace {

// The protocol items in the order of their marks: UDP, TCP, SNTP.
const int kProtocolIds[] = {ID_PROTOCOL_TIMEUDP, ID_PROTOCOL_TIMETCP, ID_PROTOCOL_SNTP};

// The lit indicators, "TCP", "UDP", "SNTP" or several joined.
QString LitIndicators(const StartedFrame& started) {
    QString lit;
    for (const char* name : {"indicatorTCP", "indicatorUDP", "indicatorSNTP"}) {
        lit += started.Child<QLabel>(name)->text();
    }
    return lit;
}

TEST(OptionCommands, EachProtocolFromEachStartingPair) {
    struct Command {
        int id;
        const char* socketType;
        const char* protocol;
        const char* marks;
        const char* text;
    };
    const Command commands[] = {
        {ID_PROTOCOL_TIMETCP, "TCP", "Time", ".x.", "Time Protocol with Streams selected"},
        {ID_PROTOCOL_TIMEUDP, "UDP", "Time", "x..", "Time Protocol with Datagrams selected"},
        {ID_PROTOCOL_SNTP, "UDP", "SNTP", "..x", "Simple Network Time Protocol selected"},
    };
    const QByteArray starts[] = {"SNTP/UDP", "Time/TCP", "Time/UDP", "time/TCP", "SNTP/TCP"};
    for (const QByteArray& start : starts) {
        for (const Command& command : commands) {
            for (const CMainMenus::Which from : {CMainMenus::MainMenu, CMainMenus::PopupMenu}) {
                SCOPED_TRACE(start.constData());
                SCOPED_TRACE(command.id);
                const QList<QByteArray> pair = start.split('/');
                StartedFrame started("[Options]\nProtocol=" + pair[0] + "\nSocketType=" + pair[1] +
                                     "\n");
                started.Action(from, command.id)->trigger();
                EXPECT_EQ(started.Marks(CMainMenus::MainMenu, kProtocolIds), command.marks);
                EXPECT_EQ(started.Marks(CMainMenus::PopupMenu, kProtocolIds), command.marks);
                EXPECT_EQ(g_strSocketType, command.socketType);
                EXPECT_EQ(g_strProtocol, command.protocol);
                EXPECT_EQ(started.Settings().Value("SocketType"), command.socketType);
                EXPECT_EQ(started.Settings().Value("Protocol"), command.protocol);
                EXPECT_EQ(started.PaneText(), command.text);
                EXPECT_EQ(LitIndicators(started), command.id == ID_PROTOCOL_TIMETCP   ? "TCP"
                                                  : command.id == ID_PROTOCOL_TIMEUDP ? "UDP"
                                                                                      : "SNTP");
            }
        }
    }
}

TEST(OptionCommands, ProtocolChoiceSurvivesARestart) {
    StartedFrame started;
    started.Action(CMainMenus::MainMenu, ID_PROTOCOL_TIMETCP)->trigger();
    started.Restart();
    EXPECT_EQ(g_strProtocol, "Time");
    EXPECT_EQ(g_strSocketType, "TCP");
    EXPECT_EQ(started.Marks(CMainMenus::MainMenu, kProtocolIds), ".x.");
    EXPECT_EQ(started.Marks(CMainMenus::PopupMenu, kProtocolIds), ".x.");
    EXPECT_EQ(LitIndicators(started), "TCP");
}

TEST(OptionCommands, PrimaryAndBackupTimebase) {
    StartedFrame started("[Options]\nTimeBase=time.example.org\n");
    const QString marksBefore = started.Marks(CMainMenus::MainMenu, kProtocolIds);
    started.Action(CMainMenus::MainMenu, ID_TIMEBASE_BACKUP)->trigger();
    EXPECT_EQ(g_strTimeBase, "tock.usno.navy.mil");
    EXPECT_EQ(started.Settings().Value("TimeBase"), "tock.usno.navy.mil");
    EXPECT_EQ(started.PaneText(), "tock.usno.navy.mil selected");
    started.Action(CMainMenus::PopupMenu, ID_TIMEBASE_PRIMARY)->trigger();
    EXPECT_EQ(g_strTimeBase, "tick.usno.navy.mil");
    EXPECT_EQ(started.Settings().Value("TimeBase"), "tick.usno.navy.mil");
    EXPECT_EQ(started.PaneText(), "tick.usno.navy.mil selected");
    EXPECT_EQ(started.Marks(CMainMenus::MainMenu, kProtocolIds), marksBefore);
    started.Restart();
    EXPECT_EQ(g_strTimeBase, "tick.usno.navy.mil");
}

// Runs Alternate Timebase with the dialog answered by answer; returns whether the
// dialog was seen and what its field showed when it opened.
struct AlternateRun {
    bool seen = false;
    QString shown;
};
AlternateRun RunAlternate(StartedFrame& started, std::function<void(QDialog&, QLineEdit&)> answer) {
    AlternateRun run;
    ModalAnswer modal("alternateTimebaseDlg", [&](QDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>("IDC_TIMEBASE_EDIT");
        run.shown = edit->text();
        answer(dialog, *edit);
    });
    started.Action(CMainMenus::MainMenu, ID_TIMEBASE_ALTERNATE)->trigger();
    run.seen = modal.Seen() && !modal.TimedOut();
    return run;
}

void Retype(QLineEdit& edit, const QString& text) {
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
}

TEST(OptionCommands, AlternateTimebaseAnswers) {
    const QString sixty = QString(60, QLatin1Char('a')).replace(30, 1, QLatin1Char('.'));
    struct Case {
        const char* name;
        std::function<void(QDialog&, QLineEdit&)> answer;
        bool stored;
        QString expected;
    };
    const Case cases[] = {
        {"ok with a new name",
         [](QDialog&, QLineEdit& edit) {
             Retype(edit, QStringLiteral("ntp.example.net"));
             QTest::mouseClick(edit.parentWidget()->findChild<QWidget*>("IDOK"), Qt::LeftButton);
         },
         true, "ntp.example.net"},
        {"enter at once returns the shown text",
         [](QDialog& dialog, QLineEdit&) {
             ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
         },
         true, "stored.example.org"},
        {"empty text is stored as it is",
         [](QDialog&, QLineEdit& edit) {
             edit.clear();
             QTest::keyClick(&edit, Qt::Key_Return);
         },
         true, ""},
        {"upper case becomes lower case",
         [](QDialog&, QLineEdit& edit) {
             Retype(edit, QStringLiteral("Time.NIST.Gov"));
             QTest::keyClick(&edit, Qt::Key_Enter);
         },
         true, "time.nist.gov"},
        {"blanks are kept",
         [](QDialog&, QLineEdit& edit) {
             Retype(edit, QStringLiteral(" host name "));
             QTest::keyClick(&edit, Qt::Key_Return);
         },
         true, " host name "},
        {"sixty characters typed, forty-nine come back",
         [sixty](QDialog&, QLineEdit& edit) {
             Retype(edit, sixty);
             QTest::keyClick(&edit, Qt::Key_Return);
         },
         true, sixty.left(49)},
        {"cancel changes nothing",
         [](QDialog&, QLineEdit& edit) {
             Retype(edit, QStringLiteral("other.example"));
             QTest::mouseClick(edit.parentWidget()->findChild<QWidget*>("IDCANCEL"),
                               Qt::LeftButton);
         },
         false, ""},
        {"escape changes nothing",
         [](QDialog&, QLineEdit& edit) {
             Retype(edit, QStringLiteral("other.example"));
             QTest::keyClick(&edit, Qt::Key_Escape);
         },
         false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartedFrame started("[Options]\nTimeBase=stored.example.org\n");
        started.Frame().ShowStatusText(QStringLiteral("earlier"));
        // The dialog is seeded from the file, not from memory.
        g_strTimeBase = QStringLiteral("in.memory.only");
        const AlternateRun run = RunAlternate(started, c.answer);
        ASSERT_TRUE(run.seen);
        EXPECT_EQ(run.shown, "stored.example.org");
        if (c.stored) {
            EXPECT_EQ(started.Settings().Value("TimeBase"), c.expected);
            EXPECT_EQ(g_strTimeBase, c.expected);
            EXPECT_EQ(started.PaneText(), "Alternate TimeBase Selected");
        } else {
            EXPECT_EQ(started.Settings().Value("TimeBase"), "stored.example.org");
            EXPECT_EQ(g_strTimeBase, "in.memory.only");
            EXPECT_EQ(started.PaneText(), "earlier");
        }
    }
}

TEST(OptionCommands, AlternateTimebaseWithNothingStoredStartsEmpty) {
    StartedFrame started;
    // The value disappears from the file behind the program's back.
    started.Settings().Write("[Options]\nProtocol=SNTP\n");
    const AlternateRun run =
        RunAlternate(started, [](QDialog& dialog, QLineEdit&) { dialog.reject(); });
    ASSERT_TRUE(run.seen);
    EXPECT_EQ(run.shown, "");
}

TEST(OptionCommands, BackdropTogglesWriteThroughAndMark) {
    StartedFrame started;
    started.Frame().ShowStatusText(QStringLiteral("earlier"));
    const struct {
        CMainMenus::Which from;
        int id;
        int textOnly;
    } steps[] = {{CMainMenus::MainMenu, ID_BACKDROP_TEXTONLY, 1},
                 {CMainMenus::MainMenu, ID_BACKDROP_TEXTONLY, 1},
                 {CMainMenus::PopupMenu, ID_BACKDROP_GRAPHICS, 0},
                 {CMainMenus::PopupMenu, ID_BACKDROP_TEXTONLY, 1}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.id);
        started.Action(step.from, step.id)->trigger();
        EXPECT_EQ(g_bTextOnly, step.textOnly);
        EXPECT_EQ(started.Settings().Value("TextOnly"), QString::number(step.textOnly));
        for (const CMainMenus::Which menu : {CMainMenus::MainMenu, CMainMenus::PopupMenu}) {
            EXPECT_EQ(started.Action(menu, ID_BACKDROP_TEXTONLY)->isChecked(), step.textOnly == 1);
            EXPECT_EQ(started.Action(menu, ID_BACKDROP_GRAPHICS)->isChecked(), step.textOnly == 0);
        }
        EXPECT_EQ(started.PaneText(), "earlier");
    }
    started.Restart();
    EXPECT_EQ(g_bTextOnly, 1);
    EXPECT_TRUE(started.Action(CMainMenus::PopupMenu, ID_BACKDROP_TEXTONLY)->isChecked());
}

TEST(OptionCommands, MinimizeToTrayToggles) {
    struct Case {
        QByteArray stored;
        int after;
    };
    // Any nonzero value counts as on and is switched off.
    for (const Case& c : {Case{"1", 0}, Case{"0", 1}, Case{"7", 0}, Case{"-1", 0}}) {
        SCOPED_TRACE(c.stored.constData());
        StartedFrame started("[Options]\nMinimizeToTray=" + c.stored + "\n");
        started.Action(CMainMenus::MainMenu, ID_OPTIONS_MINIMIZETOTRAY)->trigger();
        EXPECT_EQ(g_bMinimizeToTray, c.after);
        EXPECT_EQ(started.Settings().Value("MinimizeToTray"), QString::number(c.after));
        EXPECT_EQ(started.Action(CMainMenus::MainMenu, ID_OPTIONS_MINIMIZETOTRAY)->isChecked(),
                  c.after == 1);
        EXPECT_EQ(started.Action(CMainMenus::PopupMenu, ID_OPTIONS_MINIMIZETOTRAY)->isChecked(),
                  c.after == 1);
        // Switching on shows no icon by itself.
        EXPECT_FALSE(started.Frame().CommandUi()->Tray().Icon()->isVisible());
    }
}

TEST(OptionCommands, WebLinksGoToTheDesktopBrowserOnceEach) {
    StartedFrame started;
    QList<QUrl> opened;
    started.Frame().CommandUi()->Commands().openUrl = [&opened](const QUrl& url) {
        opened << url;
        return true;
    };
    started.Action(CMainMenus::MainMenu, ID_TIMEBASE_BROWSELIST)->trigger();
    started.Action(CMainMenus::PopupMenu, ID_HELP_HOMEPAGE)->trigger();
    started.Action(CMainMenus::MainMenu, ID_HELP_HELPPAGE)->trigger();
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened[0], QUrl("https://support.ntp.org/Servers/StratumOneTimeServers"));
    EXPECT_EQ(opened[1], QUrl("https://www.veldmark.example/horolux/"));
    EXPECT_TRUE(opened[2].isLocalFile());
    EXPECT_TRUE(opened[2].path().endsWith("/help/index.html"));
}

TEST(OptionCommands, ABrowserThatFailsChangesNothing) {
    StartedFrame started;
    started.Frame().ShowStatusText(QStringLiteral("earlier"));
    started.Frame().CommandUi()->Commands().openUrl = [](const QUrl&) { return false; };
    started.Action(CMainMenus::MainMenu, ID_HELP_HOMEPAGE)->trigger();
    EXPECT_EQ(started.PaneText(), "earlier");
    EXPECT_TRUE(started.Frame().isVisible());
}

TEST(OptionCommands, ExitFromEitherMenuClosesTheWindow) {
    for (const CMainMenus::Which from : {CMainMenus::MainMenu, CMainMenus::PopupMenu}) {
        StartedFrame started;
        QPointer<CMainFrame> frame = &started.Frame();
        started.Action(from, ID_APP_EXIT)->trigger();
        ASSERT_EVENTUALLY(frame.isNull(), 2000);
        g_bStopWatchdog = 0;
    }
}

} // namespace
