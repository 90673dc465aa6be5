#pragma once

// The main window with its 3D view under the sandbox's X display. Frames are drawn by the
// test (one tick each) and read back from the view's framebuffer.
#include "scene/fly_in_path.h"
#include "scene/gl_scene.h"
#include "tests/support/frame_fixture.h"

#include <QDateTime>
#include <QImage>
#include <QTest>

using Eye3 = std::array<float, 3>;
inline constexpr Eye3 kHome = {-12.0f, -2.5f, 0.0f};

class SceneFixture : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(HasFatalFailure()) << "the window did not start";
        m_frame = &m_started.Frame();
        m_scene = m_frame->Scene();
        ASSERT_EVENTUALLY(m_scene->IsBuilt(), 5000);
    }
    void TearDown() override { g_nFlyInStep = 0; }

    // Fixes the text at this local time of day.
    void SetClock(int hour, int minute, int second) {
        const auto instant =
            QDateTime(QDate(2021, 3, 4), QTime(hour, minute, second)).toSecsSinceEpoch();
        m_scene->SetClock([instant] { return std::time_t(instant); });
    }
    QWidget* Client() const { return m_frame->centralWidget(); }
    Eye3 Eye() const { return m_scene->Eye(); }
    void Key(Qt::Key key) { QTest::keyClick(Client(), key); }
    void TextOnly(bool on) {
        m_started.Action("mainMenu", on ? "ID_BACKDROP_TEXTONLY" : "ID_BACKDROP_GRAPHICS")
            ->trigger();
    }
    // One tick, and the frame it drew.
    QImage Frame() {
        m_frame->OnTimer();
        return m_scene->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    }

    StartedFrame m_started;
    CMainFrame* m_frame = nullptr;
    CGLScene* m_scene = nullptr;
};
