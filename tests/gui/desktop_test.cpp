// The window under a real window manager (openbox) on the sandbox's display: its frame,
// decorations included, is the initial size and centred.
#include "tests/support/frame_fixture.h"

#include <QProcess>
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

} // namespace
