// The eye: the fly-in after start-up, the viewpoint keys, and the frame keeping the focus.
#include "tests/support/scene_fixture.h"

#include <QApplication>
#include <QThread>
#include <cmath>

namespace {

using Viewpoint = SceneFixture;
using Eye3 = std::array<float, 3>;

// The path as the eye is meant to travel it: in steps of 10, then 5, then a last 3.
float PathX(int row) {
    if (row <= 37) {
        return -500.0f + 10.0f * row;
    }
    if (row <= 60) {
        return -125.0f + 5.0f * (row - 38);
    }
    return -12.0f;
}

const Eye3 kHome = {-12.0f, -2.5f, 0.0f};

QMatrix4x4 LookAt(const Eye3& eye) {
    QMatrix4x4 m;
    m.lookAt(QVector3D(eye[0], eye[1], eye[2]), QVector3D(0.0f, -2.5f, 0.0f),
             QVector3D(0.0f, 1.0f, 0.0f));
    return m;
}

void ExpectNear(const QMatrix4x4& actual, const QMatrix4x4& expected) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(actual.constData()[i], expected.constData()[i], 1e-4f) << "element " << i;
    }
}

TEST_F(Viewpoint, FlyInVisitsEveryRowOncePerFrameThenRestsAtHome) {
    g_nFlyInStep = 0;
    for (int row = 0; row < kFlyInSteps; ++row) {
        SCOPED_TRACE(row);
        const long frames = m_scene->FramesDrawn();
        m_frame->OnTimer();
        EXPECT_EQ(m_scene->FramesDrawn(), frames + 1);
        // The frame just drawn was seen from this row.
        EXPECT_EQ(Eye(), (Eye3{PathX(row), -2.5f, 0.0f}));
        EXPECT_EQ(g_nFlyInStep, row + 1);
    }
    EXPECT_EQ(Eye(), kHome);
    ExpectNear(Matrix(GL_MODELVIEW_MATRIX), LookAt(kHome));
    for (int tick = 0; tick < 3; ++tick) {
        m_frame->OnTimer();
    }
    EXPECT_EQ(g_nFlyInStep, kFlyInSteps);
    EXPECT_EQ(Eye(), kHome);
}

TEST_F(Viewpoint, HomeEndsTheFlyInAtOnce) {
    g_nFlyInStep = 0;
    for (int tick = 0; tick < 5; ++tick) {
        m_frame->OnTimer();
    }
    EXPECT_EQ(Eye(), (Eye3{-460.0f, -2.5f, 0.0f}));
    QTest::keyClick(Client(), Qt::Key_Home);
    EXPECT_EQ(g_nFlyInStep, kFlyInSteps);
    EXPECT_EQ(Eye(), kHome);
    for (int tick = 0; tick < 5; ++tick) {
        m_frame->OnTimer();
    }
    EXPECT_EQ(Eye(), kHome);
}

TEST_F(Viewpoint, KeysDuringTheFlyInShowNothing) {
    g_bTextOnly = 1;
    g_nFlyInStep = 50; // close enough for the text to show
    m_frame->OnTimer();
    m_frame->OnTimer();
    const QImage undisturbed = Frame();
    const Eye3 eye = Eye();
    // Far out, yet the text already shows.
    EXPECT_GT(LitPixels(undisturbed), 50);

    g_nFlyInStep = 50;
    m_frame->OnTimer();
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_PageUp}) {
        QTest::keyClick(Client(), key);
    }
    m_frame->OnTimer();
    QTest::keyClick(Client(), Qt::Key_Down);
    EXPECT_EQ(Frame(), undisturbed);
    EXPECT_EQ(Eye(), eye);
}

TEST_F(Viewpoint, EachKeyMovesTheEyeOneUnitAlongItsAxis) {
    GoHome();
    struct Case {
        Qt::Key key;
        Eye3 move;
    };
    const Case cases[] = {
        {Qt::Key_PageUp, {0, 1, 0}}, {Qt::Key_PageDown, {0, -1, 0}}, {Qt::Key_Left, {0, 0, -1}},
        {Qt::Key_Up, {1, 0, 0}},     {Qt::Key_Right, {0, 0, 1}},     {Qt::Key_Down, {-1, 0, 0}},
        {Qt::Key_End, {0, 0, 0}},    {Qt::Key_A, {0, 0, 0}},         {Qt::Key_Space, {0, 0, 0}},
        {Qt::Key_Escape, {0, 0, 0}}, {Qt::Key_Insert, {0, 0, 0}},    {Qt::Key_F5, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
        for (int press = 0; press < 3; ++press) {
            const Eye3 before = Eye();
            QTest::keyClick(Client(), c.key);
            const Eye3 after = Eye();
            for (int axis = 0; axis < 3; ++axis) {
                EXPECT_EQ(after[axis], before[axis] + c.move[axis]) << "axis " << axis;
            }
        }
    }
    // Auto-repeat: each key message moves once.
    const Eye3 before = Eye();
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier, QString(), true, 5);
    QApplication::sendEvent(Client(), &repeated);
    EXPECT_EQ(Eye()[2], before[2] + 1.0f);
    ExpectNear(Matrix(GL_MODELVIEW_MATRIX), LookAt(Eye()));
    // HOME after the fly-in goes home again.
    QTest::keyClick(Client(), Qt::Key_Home);
    EXPECT_EQ(Eye(), kHome);
}

TEST_F(Viewpoint, EyeOnTheVerticalThroughTheCentreIsRefused) {
    GoHome();
    for (int press = 0; press < 12; ++press) {
        QTest::keyClick(Client(), Qt::Key_Up);
    }
    // The twelfth press would have put the eye onto the looked-at point.
    EXPECT_EQ(Eye(), (Eye3{-1.0f, -2.5f, 0.0f}));
    ExpectNear(Matrix(GL_MODELVIEW_MATRIX), LookAt(Eye()));
    m_scene->SetEye(0.0f, 40.0f, 0.0f); // straight above
    EXPECT_EQ(Eye(), (Eye3{-1.0f, -2.5f, 0.0f}));
    // Beside the line is fine, and from there the line can be crossed.
    QTest::keyClick(Client(), Qt::Key_Right);
    QTest::keyClick(Client(), Qt::Key_Up);
    QTest::keyClick(Client(), Qt::Key_Up);
    EXPECT_EQ(Eye(), (Eye3{1.0f, -2.5f, 1.0f}));
    const QMatrix4x4 view = Matrix(GL_MODELVIEW_MATRIX);
    for (int i = 0; i < 16; ++i) {
        EXPECT_TRUE(std::isfinite(view.constData()[i]));
    }
}

TEST_F(Viewpoint, ResizeKeepsTheEye) {
    GoHome();
    QTest::keyClick(Client(), Qt::Key_PageUp);
    QTest::keyClick(Client(), Qt::Key_Left);
    const Eye3 eye = Eye();
    ResizeFrame(QSize(700, 450));
    EXPECT_EQ(Eye(), eye);
    ExpectNear(Matrix(GL_MODELVIEW_MATRIX), LookAt(eye));
    ResizeFrame(QSize(500, 300));
    EXPECT_EQ(Eye(), eye);
}

TEST_F(Viewpoint, TheFrameKeepsTheKeyboardFocus) {
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
    EXPECT_EQ(QApplication::focusWidget(), Client());
    // A click into the 3D view leaves the focus where the keys are handled.
    QTest::mouseClick(m_scene, Qt::LeftButton, Qt::NoModifier, m_scene->rect().center());
    EXPECT_EQ(QApplication::focusWidget(), Client());
    GoHome();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    EXPECT_EQ(Eye(), (Eye3{-12.0f, -3.5f, 0.0f}));
    // Tab does not take the focus away either.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Client());
}

TEST_F(Viewpoint, NoBurstOfFramesAfterAStall) {
    GoHome();
    // Let the window's own timer run.
    const long start = m_scene->FramesDrawn();
    ASSERT_TRUE(WaitUntil([&] { return m_scene->FramesDrawn() >= start + 2; }));
    // A second of blocked GUI thread misses five ticks...
    QThread::msleep(1000);
    const long afterStall = m_scene->FramesDrawn();
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < 150) {
        QTest::qWait(5);
    }
    // ...which are not made up: one late tick at most in the next 150 ms.
    EXPECT_LE(m_scene->FramesDrawn() - afterStall, 1);
    ASSERT_TRUE(WaitUntil([&] { return m_scene->FramesDrawn() >= afterStall + 2; }));
}

} // namespace
