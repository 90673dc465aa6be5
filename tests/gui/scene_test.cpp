// The 3D view with a real OpenGL context: context, list names, viewport and projection,
// font fitting, rectangles without area.
#include "scene/clock_text.h"
#include "scene/font_fit.h"
#include "scene/font_locator.h"
#include "tests/support/scene_fixture.h"

#include <QStatusBar>
#include <cmath>

namespace {

using SceneContext = SceneFixture;

QMatrix4x4 Perspective(double aspect) {
    QMatrix4x4 m;
    m.perspective(18.0f, float(aspect), 1.0f, 500.0f);
    return m;
}

void ExpectNear(const QMatrix4x4& actual, const QMatrix4x4& expected, float tolerance = 1e-4f) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual.constData()[i], expected.constData()[i], tolerance) << "element " << i;
    }
}

TEST_F(SceneContext, CompatibilityContextWithDepthBuffer) {
    const QSurfaceFormat format = m_scene->format();
    EXPECT_NE(format.profile(), QSurfaceFormat::CoreProfile);
    EXPECT_EQ(format.swapBehavior(), QSurfaceFormat::DoubleBuffer);
    m_scene->makeCurrent();
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 16);
    // Fixed-function state of the set-up.
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat value[4];
    glGetLightfv(GL_LIGHT0, GL_AMBIENT, value);
    EXPECT_FLOAT_EQ(value[0], 0.75f);
    glGetLightfv(GL_LIGHT0, GL_SPECULAR, value);
    EXPECT_FLOAT_EQ(value[2], 0.75f);
    // Set with the identity loaded: the light sits 2.5 below the eye, in eye coordinates.
    glGetLightfv(GL_LIGHT0, GL_POSITION, value);
    EXPECT_FLOAT_EQ(value[1], -2.5f);
    EXPECT_FLOAT_EQ(value[3], 1.0f);
}

TEST_F(SceneContext, ListNamesAreAllocatedOnceAndForAll) {
    const GLuint base = m_scene->FontListBase();
    const auto models = m_scene->ModelLists();
    EXPECT_NE(base, 0u);
    for (GLuint list : models) {
        EXPECT_NE(list, 0u);
        EXPECT_TRUE(list < base || list >= base + 256);
    }
    EXPECT_EQ(ListNamesInUse(), 266);

    const QSize sizes[] = {{640, 480}, {320, 200}, {900, 700}, {500, 300}};
    for (int i = 0; i < 20; ++i) {
        ResizeFrame(sizes[i % 4]);
    }
    EXPECT_EQ(ListNamesInUse(), 266);
    EXPECT_EQ(m_scene->FontListBase(), base);
    EXPECT_EQ(m_scene->ModelLists(), models);
}

TEST_F(SceneContext, ViewportAndProjectionFollowTheFrame) {
    for (const QSize size : {QSize(500, 300), QSize(1000, 700), QSize(321, 157)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        ResizeFrame(size);
        // The client lies between the menu bar (if any) and the status bar.
        const QRect client = Client()->rect();
        EXPECT_EQ(client.height(),
                  m_frame->height() - m_frame->statusBar()->height() -
                      (m_frame->menuWidget() ? m_frame->menuWidget()->height() : 0));
        // The scene spans the client below the Query button's strip.
        EXPECT_EQ(m_scene->geometry(), QRect(0, 20, client.width(), client.height() - 20));
        m_frame->OnTimer();
        const auto viewport = GlViewport();
        EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, client.width(), client.height()}));
        const double aspect = double(client.width()) / client.height();
        EXPECT_DOUBLE_EQ(m_scene->Aspect(), aspect);
        ExpectNear(Matrix(GL_PROJECTION_MATRIX), Perspective(aspect));
    }
}

TEST_F(SceneContext, FittedHeightFollowsTheTextOfTheMoment) {
    auto font = OpenClockFont();
    ASSERT_NE(font, nullptr);
    const QRect client = Client()->rect();
    struct Case {
        int hour, minute, second;
        QRect rect;
    };
    const Case cases[] = {
        {12, 47, 12, QRect(0, 20, client.width(), client.height() - 20)},
        {0, 0, 0, QRect(0, 20, 900, 100)},    // the height decides
        {23, 59, 59, QRect(0, 20, 200, 600)}, // the width decides
        {7, 5, 9, QRect(0, 20, 3, 200)},      // nothing fits: height 0
    };
    for (const Case& c : cases) {
        SetClock(c.hour, c.minute, c.second);
        const std::string text = FormatClockText(LocalTimeOfDay(c.hour, c.minute, c.second));
        SCOPED_TRACE(text);
        m_scene->Resize(c.rect);
        const int expected = glyph::FitFontHeight(
            glyph::TextAdvances(*font, text), font->CellUnits(), c.rect.width(), c.rect.height());
        EXPECT_EQ(m_scene->FontHeight(), expected);
        EXPECT_EQ(glyph::TextWidthAt(glyph::TextAdvances(*font, text), font->CellUnits(),
                                     expected + 1) <= c.rect.width() &&
                      expected + 1 <= c.rect.height(),
                  false);
    }
    EXPECT_EQ(m_scene->FontHeight(), 0);
    EXPECT_EQ(ListNamesInUse(), 266);
}

TEST_F(SceneContext, RectangleWithoutAreaChangesNothing) {
    GoHome();
    const QImage before = Frame();
    const QRect geometry = m_scene->geometry();
    const QRect viewport = m_scene->ViewportRect();
    const double aspect = m_scene->Aspect();
    const int height = m_scene->FontHeight();
    const QMatrix4x4 projection = Matrix(GL_PROJECTION_MATRIX);
    SetClock(0, 0, 0); // a refit would measure this text
    for (const QRect rect : {QRect(0, 20, 500, 0), QRect(0, 20, 500, -40), QRect(0, 20, 0, 200),
                             QRect(QPoint(0, 20), QPoint(-10, 10))}) {
        m_scene->Resize(rect);
    }
    SetClock(12, 47, 12);
    EXPECT_EQ(m_scene->geometry(), geometry);
    EXPECT_EQ(m_scene->ViewportRect(), viewport);
    EXPECT_EQ(m_scene->Aspect(), aspect);
    EXPECT_EQ(m_scene->FontHeight(), height);
    EXPECT_EQ(Matrix(GL_PROJECTION_MATRIX), projection);
    EXPECT_EQ(Frame(), before);
}

TEST_F(SceneContext, TinyWindowStillDrawsAndRecovers) {
    GoHome();
    const QImage normal = Frame();
    // Smaller than the two buttons together: the rectangle may lose its area.
    for (const QSize size : {QSize(200, 60), QSize(200, 50), QSize(500, 300)}) {
        ResizeFrame(size);
        m_frame->OnTimer();
    }
    EXPECT_EQ(Frame(), normal);
}

} // namespace
