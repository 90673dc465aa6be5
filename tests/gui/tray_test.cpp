// The tray round trip with the sandbox's tray host: minimize into the tray, restore
// with a real click on the icon, the tray menu, Exit, and the Minimize to Tray switch.
#include "tests/support/frame_fixture.h"
#include "tests/support/wait.h"
#include "ui/command_ids.h"
#include "ui/tray_icon.h"

#include <QCursor>
#include <QProcess>
#include <QScreen>
#include <algorithm>

namespace {

// A real click of the X server's pointer, as the tray host passes it on.
void ClickAt(const QPoint& point, int button) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("mousemove"), QString::number(point.x()),
                   QString::number(point.y()), QStringLiteral("click"), QString::number(button)});
    ASSERT_TRUE(xdotool.waitForFinished(5000));
    ASSERT_EQ(xdotool.exitCode(), 0);
}

// How many icons of this program sit in the tray.
int IconsInTray() {
    int icons = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        icons += widget->objectName() == "QSystemTrayIconSys" && widget->isVisible();
    }
    return icons;
}

class Tray : public testing::Test {
  protected:
    void SetUp() override {
        // The tray host starts together with the display; give it a moment.
        ASSERT_TRUE(
            QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000));
    }
    CTrayIcon& TrayOf(const StartedFrame& started) const {
        return started.Frame().CommandUi()->Tray();
    }
    // Minimizes as the window's minimize button does and waits for the outcome.
    void Minimize(StartedFrame& started) const {
        started.Frame().showMinimized();
        QTest::qWait(0);
    }
    // Where the icon sits once the tray host has taken it in; until then it is at the
    // origin (the sandbox's tray host lies along the top right of the screen).
    QPoint IconCentre(const StartedFrame& started) const {
        QRect geometry;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                geometry = TrayOf(started).Icon()->geometry();
                return geometry.isValid() && geometry.x() > 0;
            },
            5000));
        return geometry.center();
    }
};

TEST_F(Tray, MinimizeHidesIntoTheTrayAndALeftClickRestores) {
    StartedFrame started("[Options]\nMinimizeToTray=1\n");
    CMainFrame& frame = started.Frame();
    const QSize size = frame.size();
    Minimize(started);
    ASSERT_EVENTUALLY(!frame.isVisible(), 3000);
    QSystemTrayIcon* icon = TrayOf(started).Icon();
    EXPECT_TRUE(icon->isVisible());
    EXPECT_EQ(icon->toolTip(), "Horolux");
    ASSERT_EVENTUALLY(IconsInTray() == 1, 3000);

    ClickAt(IconCentre(started), 1);
    ASSERT_EVENTUALLY(frame.isVisible(), 3000);
    EXPECT_FALSE(frame.isMinimized());
    EXPECT_EQ(frame.size(), size);
    // The icon stays after restoring.
    EXPECT_TRUE(icon->isVisible());

    // Minimizing again hides the window again, still with one icon.
    Minimize(started);
    ASSERT_EVENTUALLY(!frame.isVisible(), 3000);
    EXPECT_EQ(IconsInTray(), 1);
    ClickAt(IconCentre(started), 1);
    ASSERT_EVENTUALLY(frame.isVisible(), 3000);
}

TEST_F(Tray, WithTheOptionOffMinimizeIsOrdinary) {
    StartedFrame started("[Options]\nMinimizeToTray=0\n");
    Minimize(started);
    ASSERT_EVENTUALLY(started.Frame().isMinimized(), 3000);
    QTest::qWait(100);
    EXPECT_TRUE(started.Frame().isVisible());
    EXPECT_FALSE(TrayOf(started).Icon()->isVisible());
    EXPECT_EQ(IconsInTray(), 0);
}

TEST_F(Tray, WithoutATrayTheWindowMinimizesAsUsual) {
    StartedFrame started("[Options]\nMinimizeToTray=1\n");
    TrayOf(started).trayAvailable = [] { return false; };
    Minimize(started);
    ASSERT_EVENTUALLY(started.Frame().isMinimized(), 3000);
    QTest::qWait(100);
    EXPECT_TRUE(started.Frame().isVisible());
    EXPECT_FALSE(TrayOf(started).Icon()->isVisible());
}

TEST_F(Tray, AWindowHiddenInATrayThatGoesAwayComesBack) {
    StartedFrame started("[Options]\nMinimizeToTray=1\n");
    Minimize(started);
    ASSERT_EVENTUALLY(!started.Frame().isVisible(), 3000);
    TrayOf(started).trayAvailable = [] { return false; };
    ASSERT_EVENTUALLY(started.Frame().isVisible(), 3000);
    EXPECT_TRUE(started.Frame().isMinimized());
}

TEST_F(Tray, SwitchingTheOptionOffRemovesTheIconAtOnce) {
    StartedFrame started("[Options]\nMinimizeToTray=1\n");
    Minimize(started);
    ASSERT_EVENTUALLY(!started.Frame().isVisible(), 3000);
    ClickAt(IconCentre(started), 1);
    ASSERT_EVENTUALLY(started.Frame().isVisible(), 3000);
    ASSERT_TRUE(TrayOf(started).Icon()->isVisible());

    started.Action(CMainMenus::MainMenu, ID_OPTIONS_MINIMIZETOTRAY)->trigger();
    EXPECT_FALSE(TrayOf(started).Icon()->isVisible());
    ASSERT_EVENTUALLY(IconsInTray() == 0, 3000);

    // Switched on again: no icon until the next minimize.
    started.Action(CMainMenus::PopupMenu, ID_OPTIONS_MINIMIZETOTRAY)->trigger();
    EXPECT_FALSE(TrayOf(started).Icon()->isVisible());
    Minimize(started);
    ASSERT_EVENTUALLY(TrayOf(started).Icon()->isVisible(), 3000);
}

TEST_F(Tray, RightClickOpensTheTrayMenuAndItsCommandsWorkWhileHidden) {
    StartedFrame started("[Options]\nMinimizeToTray=1\nTimeBase=127.0.0.1\n");
    QPointer<CMainFrame> frame = &started.Frame();
    Minimize(started);
    ASSERT_EVENTUALLY(!frame->isVisible(), 3000);

    QMenu* menu = started.Menus().Tray();
    const QPoint centre = IconCentre(started);
    ClickAt(centre, 3);
    ASSERT_EVENTUALLY(menu->isVisible(), 3000);
    // Centred on the cursor, except that the screen's edge pushes it back in.
    const QRect screen = menu->screen()->geometry();
    const int expectedLeft = std::clamp(QCursor::pos().x() - menu->width() / 2, screen.left(),
                                        screen.right() + 1 - menu->width());
    EXPECT_LE(std::abs(menu->x() - expectedLeft), 2);
    EXPECT_FALSE(frame->isVisible());

    // Correct System Clock starts a correcting query with the window still hidden.
    g_bCorrectClock = 0;
    QAction* correct = started.Action(CMainMenus::TrayMenu, ID_TRAY_CORRECTCLOCK);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(correct).center());
    ASSERT_EVENTUALLY(!menu->isVisible(), 3000);
    EXPECT_EQ(g_bCorrectClock, 1);
    EXPECT_FALSE(frame->isVisible());
    frame->OnReset();

    // Exit closes the program the orderly way, and the icon goes with it.
    ClickAt(centre, 3);
    ASSERT_EVENTUALLY(menu->isVisible(), 3000);
    QAction* exit = started.Action(CMainMenus::TrayMenu, ID_APP_EXIT);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(exit).center());
    ASSERT_EVENTUALLY(frame.isNull(), 3000);
    EXPECT_EQ(g_bStopWatchdog.load(), 1);
    ASSERT_EVENTUALLY(IconsInTray() == 0, 3000);
    g_bStopWatchdog = 0;
    g_bCorrectClock = 0;
}

TEST_F(Tray, RightClickBringsAVisibleWindowForward) {
    StartedFrame started("[Options]\nMinimizeToTray=1\n");
    Minimize(started);
    ASSERT_EVENTUALLY(!started.Frame().isVisible(), 3000);
    const QPoint centre = IconCentre(started);
    ClickAt(centre, 1);
    ASSERT_EVENTUALLY(started.Frame().isVisible(), 3000);
    // Another window has come to the front meanwhile.
    QWidget other;
    other.setGeometry(started.Frame().geometry());
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    ClickAt(centre, 3);
    QMenu* menu = started.Menus().Tray();
    ASSERT_EVENTUALLY(menu->isVisible(), 3000);
    QTest::keyClick(menu, Qt::Key_Escape);
    ASSERT_EVENTUALLY(!menu->isVisible(), 3000);
    EXPECT_EVENTUALLY(started.Frame().isActiveWindow(), 3000);
}

} // namespace
