// The main window under a real X display: title, size, layout, close.
#include "tests/support/frame_fixture.h"
#include "timesync/watchdog_thread.h"

#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>

namespace {

class MainFrameTest : public testing::Test {
  protected:
    template <typename T> T* Child(const char* name) const { return m_started.Child<T>(name); }
    QWidget* Client() const { return m_frame->centralWidget(); }

    StartedFrame m_started;
    QPointer<CMainFrame> m_frame = &m_started.Frame();
};

TEST_F(MainFrameTest, TitleSizeAndPlace) {
    EXPECT_EQ(m_frame->windowTitle(), "Horolux by horolux@veldmark.example");
    EXPECT_EQ(m_frame->size(), QSize(500, 300));
    const QPoint screenCentre = m_frame->screen()->availableGeometry().center();
    EXPECT_LE((m_frame->geometry().center() - screenCentre).manhattanLength(), 2);
    EXPECT_TRUE(Child<QLabel>("pane0")->text().isEmpty());
}

TEST_F(MainFrameTest, ButtonsHaveTheirCaptionsAndIds) {
    auto* query = Child<QPushButton>("btnQuery");
    auto* correct = Child<QPushButton>("btnCorrect");
    EXPECT_EQ(query->text(), "Query Current Timebase");
    EXPECT_EQ(correct->text(), "Correct System Clock");
    EXPECT_EQ(query->property("controlId").toInt(), 1029);
    EXPECT_EQ(correct->property("controlId").toInt(), 1030);
    EXPECT_EQ(Child<QStatusBar>("statusBar")->property("controlId").toInt(), 59393);
    EXPECT_EQ(Child<QProgressBar>("progress")->property("controlId").toInt(), 1032);
}

TEST_F(MainFrameTest, LayoutFollowsEveryResize) {
    auto* query = Child<QPushButton>("btnQuery");
    auto* correct = Child<QPushButton>("btnCorrect");
    auto* progress = Child<QProgressBar>("progress");
    auto* message = Child<QLabel>("pane0");
    auto* tcp = Child<QLabel>("indicatorTCP");
    auto* statusBar = Child<QStatusBar>("statusBar");
    const int progressWidth = progress->width();
    // The last sizes leave less room than the two buttons need together.
    for (const QSize size : {QSize(500, 300), QSize(1000, 700), QSize(320, 120), QSize(260, 60),
                             QSize(200, 50), QSize(640, 480)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        m_frame->resize(size);
        ASSERT_TRUE(WaitUntil([&] { return m_frame->size() == size; }, 2000));
        QCoreApplication::processEvents();
        const QRect client = Client()->rect();
        EXPECT_EQ(query->geometry(), QRect(0, 0, client.width(), 20));
        EXPECT_EQ(correct->geometry(), QRect(0, client.height() - 20, client.width(), 20));
        // The status bar lies along the bottom and the progress control on pane 1.
        EXPECT_EQ(statusBar->geometry().bottom(), m_frame->rect().bottom());
        EXPECT_TRUE(progress->isVisible());
        EXPECT_EQ(progress->width(), progressWidth);
        EXPECT_GE(progress->x(), message->geometry().right());
        EXPECT_LE(progress->geometry().right(), tcp->x());
    }
}

TEST_F(MainFrameTest, ProgressRangeStartsEmpty) {
    auto* progress = Child<QProgressBar>("progress");
    EXPECT_EQ(progress->minimum(), 0);
    EXPECT_EQ(progress->maximum(), 100);
    EXPECT_EQ(progress->value(), 0);
    EXPECT_FALSE(progress->isTextVisible());
}

TEST_F(MainFrameTest, CloseWithNoWorkerEndsPromptly) {
    ASSERT_EQ(g_pWatchdogThread, nullptr);
    QPointer<CMainFrame> frame = m_frame;
    frame->OnAppExit();
    // The frame deletes itself once closed; a hang would show as a time-out here.
    ASSERT_TRUE(WaitUntil([&] { return frame.isNull(); }, 1000));
    EXPECT_EQ(g_pWatchdogThread, nullptr);
    EXPECT_EQ(g_bStopWatchdog.load(), 1);
}

} // namespace
