#pragma once

// The main window with its 3D view under the sandbox's X display, with the view's clock
// fixed so that frames can be compared pixel by pixel.
#include "scene/fly_in_path.h"
#include "scene/gl_scene.h"
#include "tests/support/frame_fixture.h"

#include <GL/gl.h>
#include <QImage>
#include <QMatrix4x4>
#include <array>
#include <ctime>

// A local time of day on a fixed date.
inline std::time_t LocalTimeOfDay(int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = 2021 - 1900;
    fields.tm_mon = 2;
    fields.tm_mday = 4;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

// A pixel that is not (nearly) the black background.
inline bool IsLit(QRgb pixel) {
    return qRed(pixel) > 24 || qGreen(pixel) > 24 || qBlue(pixel) > 24;
}

inline int LitPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += IsLit(image.pixel(x, y));
        }
    }
    return count;
}

class SceneFixture : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(HasFatalFailure()) << "the window did not start";
        m_frame = &m_started.Frame();
        m_scene = m_frame->Scene();
        ASSERT_NE(m_scene, nullptr);
        ASSERT_TRUE(WaitUntil([this] { return m_scene->IsBuilt(); }));
        if (m_bFixedClock) {
            SetClock(12, 47, 12);
        }
    }
    void TearDown() override {
        g_nFlyInStep = 0;
        g_bTextOnly = 0;
    }

    void SetClock(int hour, int minute, int second) {
        const std::time_t instant = LocalTimeOfDay(hour, minute, second);
        m_scene->SetClock([instant] { return instant; });
    }
    // Resizes the window and lets the layout follow.
    void ResizeFrame(QSize size) {
        m_frame->resize(size);
        ASSERT_TRUE(WaitUntil([&] { return m_frame->size() == size; }))
            << size.width() << "x" << size.height() << " became " << m_frame->width() << "x"
            << m_frame->height();
        QCoreApplication::processEvents();
    }
    QWidget* Client() const { return m_frame->centralWidget(); }
    std::array<float, 3> Eye() const { return m_scene->Eye(); }

    // Ends the fly-in where HOME does, and draws a frame from there.
    void GoHome() {
        QTest::keyClick(Client(), Qt::Key_Home);
        m_frame->OnTimer();
    }
    QImage Frame() {
        m_frame->OnTimer();
        return m_scene->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    }

    // OpenGL state of the view's context.
    QMatrix4x4 Matrix(GLenum which) {
        m_scene->makeCurrent();
        GLfloat values[16];
        glGetFloatv(which, values);
        return QMatrix4x4(values).transposed(); // OpenGL keeps columns first
    }
    std::array<GLint, 4> GlViewport() {
        m_scene->makeCurrent();
        std::array<GLint, 4> viewport{};
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        return viewport;
    }
    // Names in use as display lists among the first `range`.
    int ListNamesInUse(GLuint range = 4096) {
        m_scene->makeCurrent();
        int count = 0;
        for (GLuint name = 1; name <= range; ++name) {
            count += glIsList(name) == GL_TRUE;
        }
        return count;
    }

    bool m_bFixedClock = true;
    StartedFrame m_started;
    QPointer<CMainFrame> m_frame;
    CGLScene* m_scene = nullptr;
};
