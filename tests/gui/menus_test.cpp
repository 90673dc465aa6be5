// The three menus as the user meets them: items, texts, order, ids, check marks from
// the stored settings, images, prompts in the status bar, the F1 key, the popup.
#include "scene/gl_scene.h"
#include "tests/support/frame_fixture.h"
#include "tests/support/wait.h"
#include "ui/command_ids.h"

#include <QPushButton>
#include <QStatusBar>

namespace {

// "text=id" for commands, "-" for separators, "text{...}" for submenus.
QString Layout(const QWidget* menu) {
    QStringList parts;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            parts << QStringLiteral("-");
        } else if (action->menu()) {
            parts << action->text() + QLatin1Char('{') + Layout(action->menu()) + QLatin1Char('}');
        } else {
            parts << action->text() + QLatin1Char('=') +
                         QString::number(action->property("commandId").toInt());
        }
    }
    return parts.join(QLatin1Char('|'));
}

const int kMarkedIds[] = {ID_PROTOCOL_TIMEUDP,  ID_PROTOCOL_TIMETCP,  ID_PROTOCOL_SNTP,
                          ID_BACKDROP_TEXTONLY, ID_BACKDROP_GRAPHICS, ID_OPTIONS_MINIMIZETOTRAY};

QPoint Centre(const QWidget* menu, const QAction* action) {
    if (const auto* bar = qobject_cast<const QMenuBar*>(menu)) {
        return bar->actionGeometry(const_cast<QAction*>(action)).center();
    }
    return static_cast<const QMenu*>(menu)->actionGeometry(const_cast<QAction*>(action)).center();
}

QMenu* Submenu(const QWidget* menu, const char* objectName) {
    return menu->findChild<QMenu*>(QLatin1String(objectName));
}

// Opens a menu of the menu bar with a click on its title.
QMenu* OpenFromMenuBar(const StartedFrame& started, const char* objectName) {
    QMenuBar* bar = started.Menus().MainMenuBar();
    QMenu* menu = Submenu(bar, objectName);
    QTest::mouseClick(bar, Qt::LeftButton, {}, Centre(bar, menu->menuAction()));
    EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000)) << objectName;
    return menu;
}

void CloseAllMenus() {
    for (int i = 0; i < 5 && QApplication::activePopupWidget(); ++i) {
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        QCoreApplication::processEvents();
    }
    ASSERT_EVENTUALLY(QApplication::activePopupWidget() == nullptr, 2000);
}

const QString kOptionsLayout =
    QStringLiteral("&Protocol{Time (UDP)=40011|Time (TCP)=40009|SNTP=40016}|"
                   "&Timebase{US Navy Timebase{%1=40010|%2=40012}|Alternate Timebase...=40013|"
                   "Browse Master Timebase List=40022}|"
                   "&Backdrop{&Text Only=40032|&Graphics=40033}|"
                   "&Minimize to Tray=40019");

TEST(Menus, MenuBarHoldsTheItemsInOrder) {
    StartedFrame started;
    EXPECT_EQ(Layout(started.Menus().MainMenuBar()),
              QStringLiteral("&File{E&xit=57665}|&Options{") + kOptionsLayout.arg("", "") +
                  QStringLiteral("}|&Reset=40017|&Help{&About=40023|&What to do=40021|-|"
                                 "Browse &Horolux Help Page=40026|"
                                 "Browse Horolux &Home Page=40025}"));
    EXPECT_EQ(started.Frame().menuBar(), started.Menus().MainMenuBar());
}

TEST(Menus, PopupCopyDiffersOnlyInMnemonicsAndTheSeparator) {
    StartedFrame started;
    EXPECT_EQ(Layout(started.Menus().Popup()),
              QStringLiteral("File{Exit=57665}|&Options{") +
                  kOptionsLayout.arg("Primary Timebase", "Backup Timebase") +
                  QStringLiteral("}|Reset=40017|Help{&About=40023|What to do=40021|"
                                 "Browse &Horolux Help Page=40026|"
                                 "Browse Horolux &Home Page=40025}"));
    EXPECT_EQ(Layout(started.Menus().Tray()), "Correct System Clock=40020|Exit=57665");
}

TEST(Menus, ActionsCarryTheirNamesAndNothingIsDisabled) {
    StartedFrame started;
    for (const QWidget* menu : {static_cast<QWidget*>(started.Menus().MainMenuBar()),
                                static_cast<QWidget*>(started.Menus().Popup()),
                                static_cast<QWidget*>(started.Menus().Tray())}) {
        for (const QAction* action : menu->findChildren<QAction*>()) {
            EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
        }
    }
    EXPECT_EQ(started.Menus().MainMenuBar()->findChild<QAction*>("ID_PROTOCOL_SNTP"),
              started.Action(CMainMenus::MainMenu, ID_PROTOCOL_SNTP));
    EXPECT_EQ(started.Menus().Popup()->findChild<QAction*>("ID_APP_EXIT"),
              started.Action(CMainMenus::PopupMenu, ID_APP_EXIT));
    EXPECT_EQ(started.Menus().Tray()->findChild<QAction*>("ID_TRAY_CORRECTCLOCK"),
              started.Action(CMainMenus::TrayMenu, ID_TRAY_CORRECTCLOCK));
    // The Timebase items never carry a mark.
    for (const int id : {ID_TIMEBASE_PRIMARY, ID_TIMEBASE_BACKUP, ID_TIMEBASE_ALTERNATE}) {
        EXPECT_FALSE(started.Action(CMainMenus::MainMenu, id)->isCheckable());
        EXPECT_FALSE(started.Action(CMainMenus::PopupMenu, id)->isCheckable());
    }
}

TEST(Menus, MenuBarShowsTimebaseImagesInPlaceOfTexts) {
    StartedFrame started;
    for (const int id : {ID_TIMEBASE_PRIMARY, ID_TIMEBASE_BACKUP}) {
        const QAction* action = started.Action(CMainMenus::MainMenu, id);
        EXPECT_TRUE(action->text().isEmpty());
        ASSERT_FALSE(action->icon().isNull());
        EXPECT_EQ(action->icon().availableSizes().value(0), QSize(145, 45));
    }
    // The images differ (each names its host) and fill the menu at full size.
    const QImage primary = started.Action(CMainMenus::MainMenu, ID_TIMEBASE_PRIMARY)
                               ->icon()
                               .pixmap(QSize(145, 45))
                               .toImage();
    const QImage backup = started.Action(CMainMenus::MainMenu, ID_TIMEBASE_BACKUP)
                              ->icon()
                              .pixmap(QSize(145, 45))
                              .toImage();
    EXPECT_NE(primary, backup);
    QMenu* navy = Submenu(started.Menus().MainMenuBar(), "US Navy Timebase");
    const QRect item =
        navy->actionGeometry(started.Action(CMainMenus::MainMenu, ID_TIMEBASE_PRIMARY));
    EXPECT_GE(item.width(), 145);
    EXPECT_GE(item.height(), 45);
}

TEST(Menus, StartUpMarksFollowTheStoredSettings) {
    struct Case {
        QByteArray protocol, socketType, textOnly, minimizeToTray;
        QString marks; // UDP TCP SNTP Text Graphics Tray
    };
    const Case cases[] = {
        {"SNTP", "UDP", "0", "1", "..x.xx"},
        {"Time", "TCP", "1", "0", ".x.x.."},
        {"Time", "UDP", "0", "7", "x...xx"},
        // Anything but Time over TCP or UDP counts as SNTP, and stays as stored.
        {"time", "TCP", "0", "1", "..x.xx"},
        {"Time", "tcp", "0", "1", "..x.xx"},
        {"SNTP", "TCP", "0", "1", "..x.xx"},
        {"", "", "0", "1", "..x.xx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.protocol + "/" + c.socketType).constData());
        StartedFrame started("[Options]\nProtocol=" + c.protocol + "\nSocketType=" + c.socketType +
                             "\nTextOnly=" + c.textOnly + "\nMinimizeToTray=" + c.minimizeToTray +
                             "\n");
        EXPECT_EQ(started.Marks(CMainMenus::MainMenu, kMarkedIds), c.marks);
        EXPECT_EQ(started.Marks(CMainMenus::PopupMenu, kMarkedIds), c.marks);
        EXPECT_EQ(g_strProtocol, QString::fromLatin1(c.protocol));
        EXPECT_EQ(g_strSocketType, QString::fromLatin1(c.socketType));
        EXPECT_EQ(started.Settings().Value("Protocol"), QString::fromLatin1(c.protocol));
        EXPECT_EQ(started.Settings().Value("SocketType"), QString::fromLatin1(c.socketType));
    }
}

TEST(Menus, EveryPromptIsTheTextBeforeTheLineBreak) {
    StartedFrame started;
    const struct {
        int id;
        const char* prompt;
    } prompts[] = {
        {ID_PROTOCOL_TIMEUDP, "RFC868 Time Protocol (UDP Mode)"},
        {ID_PROTOCOL_TIMETCP, "RFC868 Time Protocol (TCP Mode)"},
        {ID_PROTOCOL_SNTP, "RFC1769 Simple Network Time Protocol"},
        {ID_TIMEBASE_PRIMARY, "Query the Primary Timebase"},
        {ID_TIMEBASE_BACKUP, "Query the Backup Timebase"},
        {ID_TIMEBASE_ALTERNATE, "Enter an Alternate Timebase by Name or IP address"},
        {ID_TIMEBASE_BROWSELIST,
         "Launch Browser to https://support.ntp.org/Servers/StratumOneTimeServers"},
        {ID_BACKDROP_TEXTONLY, "Selects 3D Text Display"},
        {ID_BACKDROP_GRAPHICS, "Selects 3D Graphics Display"},
        {ID_OPTIONS_MINIMIZETOTRAY, "Enables Horolux to Minimize onto Taskbar Notification Tray"},
        {ID_RESET, "Quit Waiting for Timebase and Reset Connection"},
        {ID_HELP_ABOUT, ""},
        {ID_HELP_WHATTODO, "Some basic usage notes on Horolux"},
        {ID_HELP_HELPPAGE, "Launch Browser to Horolux Help Page"},
        {ID_HELP_HOMEPAGE, "Launch Browser to Horolux Home Page"},
        {ID_APP_EXIT, ""},
    };
    for (const auto& p : prompts) {
        SCOPED_TRACE(p.id);
        EXPECT_EQ(started.Action(CMainMenus::MainMenu, p.id)->statusTip(), p.prompt);
        EXPECT_EQ(started.Action(CMainMenus::PopupMenu, p.id)->statusTip(), p.prompt);
    }
    EXPECT_EQ(started.Action(CMainMenus::TrayMenu, ID_TRAY_CORRECTCLOCK)->statusTip(), "");
}

TEST(Menus, HoveringShowsThePromptAndClosingBringsTheEarlierTextBack) {
    StartedFrame started;
    started.Frame().ShowStatusText(QStringLiteral("System Clock Corrected by: 0.25 s"));
    auto* prompt = started.Child<QLabel>("panePrompt");
    auto* pane = started.Child<QLabel>("pane0");

    QMenu* options = OpenFromMenuBar(started, "Options");
    QAction* tray = started.Action(CMainMenus::MainMenu, ID_OPTIONS_MINIMIZETOTRAY);
    QTest::mouseMove(options, Centre(options, tray));
    ASSERT_EVENTUALLY(
        prompt->text() == "Enables Horolux to Minimize onto Taskbar Notification Tray", 2000);
    EXPECT_TRUE(prompt->isVisible());
    EXPECT_FALSE(pane->isVisible());

    // A submenu title has no prompt: the pane is empty while the menu stays open.
    QMenu* protocol = Submenu(options, "Protocol");
    QTest::mouseMove(options, Centre(options, protocol->menuAction()));
    ASSERT_EVENTUALLY(prompt->text() == "", 2000);
    EXPECT_TRUE(prompt->isVisible());
    ASSERT_EVENTUALLY(protocol->isVisible(), 2000);
    QTest::mouseMove(protocol,
                     Centre(protocol, started.Action(CMainMenus::MainMenu, ID_PROTOCOL_TIMETCP)));
    ASSERT_EVENTUALLY(prompt->text() == "RFC868 Time Protocol (TCP Mode)", 2000);

    CloseAllMenus();
    QTest::keyClick(started.Menus().MainMenuBar(), Qt::Key_Escape);
    ASSERT_EVENTUALLY(pane->isVisible(), 2000);
    EXPECT_FALSE(prompt->isVisible());
    EXPECT_EQ(pane->text(), "System Clock Corrected by: 0.25 s");
}

TEST(Menus, ACommandChosenFromTheMenuLeavesItsOwnText) {
    StartedFrame started;
    started.Frame().ShowStatusText(QStringLiteral("earlier text"));
    QMenu* options = OpenFromMenuBar(started, "Options");
    QMenu* protocol = Submenu(options, "Protocol");
    QTest::mouseClick(options, Qt::LeftButton, {}, Centre(options, protocol->menuAction()));
    ASSERT_EVENTUALLY(protocol->isVisible(), 2000);
    QAction* tcp = started.Action(CMainMenus::MainMenu, ID_PROTOCOL_TIMETCP);
    QTest::mouseMove(protocol, Centre(protocol, tcp));
    QTest::mouseClick(protocol, Qt::LeftButton, {}, Centre(protocol, tcp));
    ASSERT_EVENTUALLY(started.Child<QLabel>("pane0")->isVisible(), 2000);
    EXPECT_EQ(started.PaneText(), "Time Protocol with Streams selected");
    EXPECT_EQ(g_strSocketType, "TCP");
    EXPECT_EQ(started.Marks(CMainMenus::MainMenu, kMarkedIds), ".x..xx");
    EXPECT_EQ(started.Marks(CMainMenus::PopupMenu, kMarkedIds), ".x..xx");
}

TEST(Menus, RightPressOnTheViewOpensThePopupCentredOnThePoint) {
    StartedFrame started("[Options]\nProtocol=Time\nSocketType=UDP\nTextOnly=1\n");
    QWidget* view = static_cast<QWidget*>(started.Frame().Scene());
    QMenu* popup = started.Menus().Popup();
    const QPoint point = view->rect().center();
    QTest::mousePress(view, Qt::RightButton, {}, point);
    ASSERT_EVENTUALLY(popup->isVisible(), 2000);
    const QPoint global = view->mapToGlobal(point);
    EXPECT_LE(std::abs(popup->geometry().center().x() - global.x()), 2);
    EXPECT_EQ(popup->geometry().top(), global.y());
    // The same marks as the menu bar.
    EXPECT_EQ(started.Marks(CMainMenus::PopupMenu, kMarkedIds),
              started.Marks(CMainMenus::MainMenu, kMarkedIds));
    EXPECT_EQ(started.Marks(CMainMenus::PopupMenu, kMarkedIds), "x..x.x");

    // Its prompts work like the menu bar's and give the pane back on closing.
    started.Frame().ShowStatusText(QStringLiteral("kept"));
    QTest::mouseMove(popup, Centre(popup, started.Action(CMainMenus::PopupMenu, ID_RESET)));
    ASSERT_EVENTUALLY(started.Child<QLabel>("panePrompt")->text() ==
                          "Quit Waiting for Timebase and Reset Connection",
                      2000);
    CloseAllMenus();
    ASSERT_EVENTUALLY(started.Child<QLabel>("pane0")->isVisible(), 2000);
    EXPECT_EQ(started.PaneText(), "kept");
}

TEST(Menus, RightPressOnButtonsOrStatusBarOpensNothing) {
    StartedFrame started;
    for (const char* name : {"btnQuery", "btnCorrect", "statusBar", "pane0"}) {
        SCOPED_TRACE(name);
        auto* widget = started.Child<QWidget>(name);
        ASSERT_NE(widget, nullptr);
        QTest::mousePress(widget, Qt::RightButton, {}, widget->rect().center());
        QTest::mouseRelease(widget, Qt::RightButton, {}, widget->rect().center());
        QTest::qWait(50);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_FALSE(started.Menus().Popup()->isVisible());
    }
    // A left press on the view opens nothing either.
    QWidget* view = static_cast<QWidget*>(started.Frame().Scene());
    QTest::mouseClick(view, Qt::LeftButton, {}, view->rect().center());
    EXPECT_FALSE(started.Menus().Popup()->isVisible());
}

TEST(Menus, F1OpensAboutWhereverTheFocusIs) {
    StartedFrame started;
    started.Frame().activateWindow();
    for (const char* name : {"client", "btnQuery", "btnCorrect"}) {
        SCOPED_TRACE(name);
        // The window has the keyboard again after each About box.
        ASSERT_TRUE(QTest::qWaitForWindowActive(&started.Frame()));
        auto* widget = started.Child<QWidget>(name);
        widget->setFocus();
        ModalAnswer answer("aboutDlg", [](QDialog& dialog) { dialog.accept(); });
        QTest::keyClick(widget, Qt::Key_F1);
        ASSERT_EVENTUALLY(answer.Seen(), 3000);
        EXPECT_FALSE(answer.TimedOut());
    }
}

} // namespace
