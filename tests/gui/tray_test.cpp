// The tray round trip with the sandbox's tray host and real clicks of the X pointer.
#include "tests/support/frame_fixture.h"
#include "timesync/time_query.h"
#include "ui/tray_icon.h"

#include <QMenu>
#include <QProcess>

namespace {

void ClickAt(const QPoint& point, int button) {
    QProcess xdotool;
    xdotool.start("xdotool", {"mousemove", QString::number(point.x()), QString::number(point.y()),
                              "click", QString::number(button)});
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
        // The tray host starts together with the display.
        ASSERT_EVENTUALLY(QSystemTrayIcon::isSystemTrayAvailable(), 10000);
        ASSERT_FALSE(HasFatalFailure()) << "the window did not start";
    }
    // Where the icon sits once the tray host has taken it in (until then at the origin).
    QPoint IconCentre() const {
        auto* icon = m_started.Frame().findChild<QSystemTrayIcon*>("trayIconShell");
        EXPECT_EVENTUALLY(icon->geometry().isValid() && icon->geometry().x() > 0, 5000);
        return icon->geometry().center();
    }
    // A right click on the icon opens the tray menu, Restore first; a click chooses `id`.
    void ChooseInTray(const char* id) {
        ClickAt(IconCentre(), 3);
        auto* menu = m_started.Child<QMenu>("trayMenu");
        EXPECT_EVENTUALLY(menu->isVisible(), 3000);
        EXPECT_EQ(menu->actions().value(0), m_started.Action("trayMenu", "ID_TRAY_RESTORE"));
        const QPoint item = menu->actionGeometry(m_started.Action("trayMenu", id)).center();
        QTest::mouseClick(menu, Qt::LeftButton, {}, item);
        EXPECT_EVENTUALLY(!menu->isVisible(), 3000);
    }
    StartedFrame m_started{"[Options]\nTimeBase=127.0.0.1\n"};
};

TEST_F(Tray, HidesIntoTheTrayComesBackAndItsMenuWorksWhileHidden) {
    QPointer<CMainFrame> frame = &m_started.Frame();
    auto* icon = frame->findChild<QSystemTrayIcon*>("trayIconShell");
    // Correct System Clock from the tray menu starts a correcting query; its end shows in
    // the icon's tooltip.
    const auto correctFromTray = [&] {
        ChooseInTray("ID_TRAY_CORRECTCLOCK");
        EXPECT_TRUE(m_started.Frame().Query()->IsCorrecting());
        EXPECT_FALSE(m_started.Child("btnQuery")->isEnabled());
        m_started.Action("mainMenu", "ID_RESET")->trigger();
        EXPECT_EQ(icon->toolTip(), "Horolux\nReset by User Command\njust now");
    };
    const QSize size = frame->size();
    frame->showMinimized();
    ASSERT_EVENTUALLY(!frame->isVisible() && IconsInTray() == 1, 3000);
    correctFromTray();
    EXPECT_FALSE(frame->isVisible());

    ClickAt(IconCentre(), 1);
    ASSERT_EVENTUALLY(frame->isVisible(), 3000);
    EXPECT_FALSE(frame->isMinimized());
    EXPECT_EQ(frame->size(), size);
    frame->showMinimized();
    ASSERT_EVENTUALLY(!frame->isVisible(), 3000);
    ChooseInTray("ID_TRAY_RESTORE");
    ASSERT_EVENTUALLY(frame->isVisible() && !frame->isMinimized(), 3000);
    // Another window in front: the tray menu brings this one forward.
    QWidget other;
    other.setGeometry(frame->geometry());
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    correctFromTray();
    EXPECT_EVENTUALLY(frame->isActiveWindow(), 3000);
    // Exit closes the program the orderly way, and the icon goes with it.
    ChooseInTray("ID_APP_EXIT");
    EXPECT_EVENTUALLY(frame.isNull() && IconsInTray() == 0, 3000);
}

TEST_F(Tray, TheWindowStaysWithinReach) {
    CMainFrame& frame = m_started.Frame();
    auto* tray = frame.findChild<CTrayIcon*>("trayIcon");
    // Without a tray host the window minimizes as usual.
    tray->trayAvailable = [] { return false; };
    frame.showMinimized();
    ASSERT_EVENTUALLY(frame.isMinimized(), 3000);
    QCoreApplication::processEvents(); // a hide into the tray is queued
    EXPECT_TRUE(frame.isVisible());
    // Hidden in a tray that then goes away, it comes back minimized.
    frame.showNormal();
    tray->trayAvailable = [] { return true; };
    frame.showMinimized();
    ASSERT_EVENTUALLY(!frame.isVisible(), 3000);
    tray->trayAvailable = [] { return false; };
    ASSERT_EVENTUALLY(frame.isVisible() && frame.isMinimized(), 3000);
    // Minimize to Tray switched off takes the icon away at once, and minimizing is ordinary.
    frame.showNormal();
    tray->trayAvailable = [] { return true; };
    m_started.Action("popupMenu", "ID_OPTIONS_MINIMIZETOTRAY")->trigger();
    ASSERT_EVENTUALLY(IconsInTray() == 0, 3000);
    frame.showMinimized();
    ASSERT_EVENTUALLY(frame.isMinimized(), 3000);
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame.isVisible());
}

} // namespace
