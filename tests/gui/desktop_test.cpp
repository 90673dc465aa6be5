// The window under a real window manager (openbox) on the sandbox's display: its frame,
// decorations included, is the initial size and centred, and every key path works with
// keys typed through the X server (xdotool).
#include "scene/gl_scene.h"
#include "tests/support/frame_fixture.h"
#include "timesync/time_query.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <memory>

namespace {

class UnderWindowManager : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_wm = new QProcess;
        s_wm->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        ASSERT_TRUE(s_wm->waitForStarted(5000)) << "openbox (scripts/deps test installs it)";
    }
    static void TearDownTestSuite() {
        s_wm->kill(); // by its own pid
        s_wm->waitForFinished(5000);
        delete s_wm;
    }
    static inline QProcess* s_wm = nullptr;
};

TEST_F(UnderWindowManager, TheFrameIsTheInitialSizeAndEveryKeyPathReachesItsCommand) {
    // Nothing answers on 127.0.0.3: a query runs until it is reset.
    StartedFrame started("[Options]\nTimeBase=127.0.0.3\n");
    CMainFrame& frame = started.Frame();
    // Framed: the decorations take their share of the 500 x 300, and the frame is centred.
    ASSERT_EVENTUALLY(frame.frameGeometry().size() == QSize(500, 300) && frame.height() < 300 &&
                          frame.isActiveWindow(),
                      10000)
        << " frame " << frame.frameGeometry().width() << "x" << frame.frameGeometry().height();
    const QPoint centre = frame.screen()->availableGeometry().center();
    EXPECT_LE((frame.frameGeometry().center() - centre).manhattanLength(), 2);
    const CTimeQuery& query = *frame.Query();
    const auto state = [&]() -> QString {
        if (const QWidget* open = QApplication::activePopupWidget()) {
            // The client popup is centred horizontally on the view's centre, opening below.
            const QPoint centre = frame.Scene()->mapToGlobal(frame.Scene()->rect().center());
            const QPoint top = open->geometry().topLeft() + QPoint(open->width() / 2, 0);
            return "open " + open->objectName() +
                   ((top - centre).manhattanLength() <= 2 ? " at centre" : "");
        }
        if (frame.menuBar()->activeAction()) {
            return "menu bar at " + frame.menuBar()->activeAction()->text();
        }
        if (query.IsPending()) {
            return query.IsCorrecting() ? "correcting" : "querying";
        }
        return started.PaneText() + ", focus " + QApplication::focusWidget()->objectName();
    };
    // The query start gives the focus back to the view, so Tab starts there each time.
    const QString reset = "Reset by User Command, focus client";
    const struct {
        const char* keys;
        QString state;
    } steps[] = {
        {"F5", "querying"},
        {"Escape", reset},
        {"ctrl+shift+c", "correcting"},
        {"Escape", reset},
        {"Tab", "Reset by User Command, focus btnQuery"},
        {"Return", "querying"},
        {"Escape", reset},
        {"Tab Tab", "Reset by User Command, focus btnCorrect"},
        {"space", "correcting"},
        {"Escape", reset},
        {"shift+F10", "open popupMenu at centre"},
        {"Escape", reset},
        {"Menu", "open popupMenu at centre"},
        {"Escape", reset},
        {"F10", "open File"},
        {"Escape", "menu bar at &File"},
        {"Escape", reset},
    };
    for (const auto& step : steps) {
        QProcess xdotool;
        xdotool.start("xdotool", QStringList{"key"} + QString(step.keys).split(' '));
        ASSERT_TRUE(xdotool.waitForFinished(5000) && xdotool.exitCode() == 0) << step.keys;
        EXPECT_EVENTUALLY(state() == step.state, 5000)
            << step.keys << ": " << state().toStdString();
    }
    // Escape with no query running leaves the pane alone; the Tab after it shows it arrived.
    frame.StatusBar()->ShowPaneText("untouched");
    QProcess::execute("xdotool", {"key", "Escape", "Tab"});
    EXPECT_EVENTUALLY(state() == "untouched, focus btnQuery", 5000) << state().toStdString();
}

// Ctrl+Q typed through the X server ends a running query and closes the window, which keeps
// its size and place for the next start; a damaged value starts at the default.
TEST_F(UnderWindowManager, CtrlQQuitsAndTheNextStartIsWhereTheUserLeftIt) {
    auto started = std::make_unique<StartedFrame>("[Options]\nTimeBase=127.0.0.3\n");
    QPointer<CMainFrame> frame = &started->Frame();
    ASSERT_EVENTUALLY(frame->isActiveWindow() && frame->frameGeometry().width() == 500, 10000);
    frame->setGeometry(QRect(frame->geometry().topLeft() + QPoint(30, 40), QSize(620, 410)));
    ASSERT_EVENTUALLY(frame->size() == QSize(620, 410), 5000);
    const QRect left = frame->frameGeometry();
    frame->OnQueryTimebase();
    ASSERT_EQ(QProcess::execute("xdotool", {"key", "ctrl+q"}), 0);
    ASSERT_EVENTUALLY(frame.isNull(), 5000);
    QFile file(started->Settings().FilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray stored = file.readAll();
    for (const QRect expected : {left, QRect(0, 0, 500, 300)}) {
        started.reset(); // one window at a time
        started = std::make_unique<StartedFrame>(
            expected == left
                ? stored
                : QByteArray(stored).replace("WindowGeometry=", "WindowGeometry=AdnQ\nX="));
        EXPECT_EVENTUALLY(started->Frame().frameGeometry().size() == expected.size(), 5000);
        const QRect shown = started->Frame().frameGeometry();
        EXPECT_TRUE(expected != left || (shown.topLeft() - left.topLeft()).manhattanLength() <= 2);
    }
}

} // namespace
