// The window under a real window manager (openbox) on the sandbox's display: its frame,
// decorations included, is the initial size and centred, and every key path works with
// keys typed through the X server (xdotool).
#include "scene/gl_scene.h"
#include "tests/support/frame_fixture.h"
#include "timesync/time_query.h"

#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>

namespace {

class UnderWindowManager : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_wm = new QProcess;
        s_wm->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        ASSERT_TRUE(s_wm->waitForStarted(5000)) << "openbox (scripts/deps test installs it)";
    }
    static void TearDownTestSuite() {
        s_wm->terminate(); // by its own pid
        if (!s_wm->waitForFinished(5000)) {
            s_wm->kill();
            s_wm->waitForFinished(5000);
        }
        delete s_wm;
    }
    static inline QProcess* s_wm = nullptr;
};

TEST_F(UnderWindowManager, TheFrameIsTheInitialSizeAndCentred) {
    StartedFrame started;
    CMainFrame& frame = started.Frame();
    // Framed: the decorations take their share of the 500 x 300.
    EXPECT_EVENTUALLY(frame.frameGeometry().size() == QSize(500, 300) && frame.height() < 300,
                      10000)
        << " frame " << frame.frameGeometry().width() << "x" << frame.frameGeometry().height();
    const QPoint centre = frame.screen()->availableGeometry().center();
    EXPECT_LE((frame.frameGeometry().center() - centre).manhattanLength(), 2);
}

// Types keys into whatever X window has the focus.
void Type(const char* keys) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  QStringList{QStringLiteral("key")} + QString::fromLatin1(keys).split(' '));
    ASSERT_TRUE(xdotool.waitForFinished(5000) && xdotool.exitCode() == 0) << keys;
}

TEST_F(UnderWindowManager, EveryKeyPathReachesItsCommand) {
    // Nothing answers on 127.0.0.3: a query runs until it is reset.
    StartedFrame started("[Options]\nTimeBase=127.0.0.3\nProtocol=SNTP\nSocketType=UDP\n");
    CMainFrame& frame = started.Frame();
    ASSERT_EVENTUALLY(frame.isActiveWindow(), 10000);
    CTimeQuery& query = *frame.Query();
    const auto running = [&](bool correcting) {
        return query.IsPending() && query.IsCorrecting() == correcting;
    };
    auto* popup = started.Child<QMenu>("popupMenu");
    // Centred horizontally on the view's centre, opening downwards from it.
    const auto atViewCentre = [&] {
        const QPoint centre = frame.Scene()->mapToGlobal(frame.Scene()->rect().center());
        const QPoint top = popup->geometry().topLeft() + QPoint(popup->width() / 2, 0);
        return popup->isVisible() && (top - centre).manhattanLength() <= 2;
    };
    const struct {
        const char* keys;
        std::function<bool()> done;
    } steps[] = {
        {"F5", [&] { return running(false); }},
        {"Escape",
         [&] { return !query.IsPending() && started.PaneText() == "Reset by User Command"; }},
        {"ctrl+shift+c", [&] { return running(true); }},
        {"Escape", [&] { return !query.IsPending(); }},
        // The query start gives the focus back to the view, so Tab starts there each time.
        {"Tab", [&] { return QApplication::focusWidget() == started.Child("btnQuery"); }},
        {"Return", [&] { return running(false); }},
        {"Escape", [&] { return !query.IsPending(); }},
        {"Tab Tab", [&] { return QApplication::focusWidget() == started.Child("btnCorrect"); }},
        {"space", [&] { return running(true); }},
        {"Escape", [&] { return !query.IsPending(); }},
        {"shift+F10", atViewCentre},
        {"Escape", [&] { return !popup->isVisible(); }},
        {"Menu", atViewCentre},
        {"Escape", [&] { return !popup->isVisible(); }},
        {"F10", [&] { return frame.menuBar()->activeAction() == frame.menuBar()->actions()[0]; }},
        {"Escape Escape", [&] { return QApplication::activePopupWidget() == nullptr; }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.keys);
        Type(step.keys);
        EXPECT_EVENTUALLY(step.done(), 5000);
    }
    // Escape with no query running leaves the pane alone.
    frame.StatusBar()->ShowPaneText("untouched");
    Type("Escape");
    QTest::qWait(200);
    EXPECT_EQ(started.PaneText(), "untouched");
    EXPECT_EQ(started.Child("btnQuery")->toolTip(), "Query Current Timebase (F5)");
    EXPECT_EQ(started.Child("btnCorrect")->toolTip(), "Correct System Clock (Ctrl+Shift+C)");
}

} // namespace
