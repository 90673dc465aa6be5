// The 3D view in the window: the fly-in, the viewpoint keys, the keyboard focus, and
// resizing, which must neither leak display lists nor lose the picture.
#include "tests/support/scene_fixture.h"

#include <GL/gl.h>
#include <QAccessible>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>
#include <functional>

namespace {

using SceneTest = SceneFixture;

TEST_F(SceneTest, FlyInClosesInAFrameATickAndHomeEndsIt) {
    // A frame at home first: the path's first row may be what the last frame showed.
    Key(Qt::Key_Home);
    m_frame->OnTimer();
    g_nFlyInStep = 0;
    float lastX = -1e9f;
    for (int tick = 0; tick < kFlyInSteps; ++tick) {
        const long frames = m_scene->FramesDrawn();
        Key(Qt::Key_Left); // keys change nothing during the fly-in
        m_frame->OnTimer();
        EXPECT_EQ(m_scene->FramesDrawn(), frames + 1);
        EXPECT_GT(Eye()[0], lastX);
        EXPECT_EQ(Eye()[2], 0.0f);
        lastX = Eye()[0];
    }
    EXPECT_EQ(Eye(), kHome);
    m_frame->OnTimer();
    EXPECT_EQ(Eye(), kHome);

    g_nFlyInStep = 0;
    m_frame->OnTimer();
    Key(Qt::Key_Home);
    EXPECT_EQ(Eye(), kHome);
    m_frame->OnTimer();
    EXPECT_EQ(Eye(), kHome);
}

TEST_F(SceneTest, EachKeyMovesTheEyeOneUnitAlongItsAxisWhereverTheUserClicked) {
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame));
    // A click into the view leaves the keyboard where the keys are handled.
    QTest::mouseClick(m_scene, Qt::LeftButton, {}, m_scene->rect().center());
    EXPECT_EQ(QApplication::focusWidget(), Client());
    Key(Qt::Key_Home);
    const struct {
        Qt::Key key;
        Eye3 move;
    } cases[] = {
        {Qt::Key_PageUp, {0, 1, 0}}, {Qt::Key_PageDown, {0, -1, 0}}, {Qt::Key_Left, {0, 0, -1}},
        {Qt::Key_Up, {1, 0, 0}},     {Qt::Key_Right, {0, 0, 1}},     {Qt::Key_Down, {-1, 0, 0}},
        {Qt::Key_End, {0, 0, 0}},    {Qt::Key_A, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        const Eye3 before = Eye();
        Key(c.key);
        EXPECT_EQ(Eye(),
                  (Eye3{before[0] + c.move[0], before[1] + c.move[1], before[2] + c.move[2]}))
            << QKeySequence(c.key).toString().toStdString();
    }
    // An eye on the vertical through the looked-at point is refused: the twelfth Up from
    // home would have put it onto the point itself.
    Key(Qt::Key_Home);
    for (int press = 0; press < 12; ++press) {
        Key(Qt::Key_Up);
    }
    EXPECT_EQ(Eye(), (Eye3{-1.0f, -2.5f, 0.0f}));
    m_scene->SetEye(0.0f, 40.0f, 0.0f);
    EXPECT_EQ(Eye(), (Eye3{-1.0f, -2.5f, 0.0f}));
}

// Mouse input arrives through the window, as the window system delivers it.
TEST_F(SceneTest, ADragTurnsAndTheWheelMovesTheEyeWithinTheKeysBounds) {
    EXPECT_GE(m_scene->Samples(), 4); // Mesa offers 4x multisampling
    const QPoint at = m_scene->mapTo(m_frame, m_scene->rect().center());
    const struct {
        QPoint drag;
        int notches;
        double flat, distance; // off the vertical through the looked-at point, and from it
    } cases[] = {{{0, 0}, 1, 11, 11},    {{0, 0}, 40, 1, 1},    {{0, 0}, -900, 500, 500},
                 {{60, 0}, 0, 500, 500}, {{0, 900}, 0, 1, 500}, {{0, -900}, 0, 1, 500}};
    Key(Qt::Key_Home);
    for (const auto& c : cases) {
        const Eye3 before = Eye();
        QTest::mousePress(m_frame->windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseMove(m_frame->windowHandle(), at + c.drag);
        QTest::mouseRelease(m_frame->windowHandle(), Qt::LeftButton, {}, at + c.drag);
        QWheelEvent wheel({}, {}, {}, {0, 120 * c.notches}, {}, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_scene, &wheel);
        const double flat = std::hypot(Eye()[0], Eye()[2]);
        EXPECT_NE(Eye(), before);
        EXPECT_NEAR(flat, c.flat, 1e-3) << c.notches << " " << c.drag.x() << " " << c.drag.y();
        EXPECT_NEAR(std::hypot(flat, Eye()[1] + 2.5), c.distance, 1e-3) << c.notches;
    }
    Key(Qt::Key_Home);
    EXPECT_EQ(Eye(), kHome);
}

TEST_F(SceneTest, ResizingKeepsTheEyeAndTheListsAndATinyWindowRecovers) {
    const auto listsInUse = [this] {
        m_scene->makeCurrent();
        int count = 0;
        for (GLuint name = 1; name <= 4096; ++name) {
            count += glIsList(name) == GL_TRUE;
        }
        return count;
    };
    SetClock(12, 47, 12);
    Key(Qt::Key_Home);
    Key(Qt::Key_PageUp);
    const QImage normal = Frame();
    const Eye3 eye = Eye();
    const int lists = listsInUse();
    for (const QSize size : {QSize(900, 700), m_frame->minimumSizeHint(), QSize(500, 300)}) {
        m_started.Resize(size);
        m_frame->OnTimer();
    }
    // Rectangles without area change nothing.
    m_scene->Resize(QRect(0, 20, 500, 0));
    m_scene->Resize(QRect(QPoint(0, 20), QPoint(-10, 10)));
    EXPECT_EQ(Eye(), eye);
    EXPECT_EQ(listsInUse(), lists);
    EXPECT_EQ(Frame(), normal);
}

// A screen reader reads the view as "Clock", with the time it shows as its value.
QString NameOf(QWidget* widget, QAccessible::Text which = QAccessible::Name) {
    return QAccessible::queryAccessibleInterface(widget)->text(which);
}

TEST_F(SceneTest, ATickDrawsOnlyWhenThePictureChangesAndNamesTheViewByIt) {
    Key(Qt::Key_Home);
    SetClock(12, 47, 12);
    m_frame->OnTimer();
    EXPECT_EQ(NameOf(m_scene, QAccessible::Value), "12:47:12");
    const struct {
        const char* what;
        std::function<void()> change;
        bool drawn;
    } steps[] = {
        {"nothing", [] {}, false},
        {"the next second", [this] { SetClock(12, 47, 13); }, true},
        {"a key", [this] { Key(Qt::Key_PageUp); }, true},
        {"a key that moves nothing", [this] { Key(Qt::Key_End); }, false},
        {"the backdrop", [this] { TextOnly(true); }, true},
        {"a resize", [this] { m_started.Resize(QSize(600, 400)); }, true},
        {"hidden and shown", [this] { m_frame->hide(), m_frame->show(); }, true},
        {"nothing again", [] {}, false},
    };
    for (const auto& step : steps) {
        const long frames = m_scene->FramesDrawn();
        step.change();
        m_frame->OnTimer();
        EXPECT_EQ(m_scene->FramesDrawn() - frames, step.drawn ? 1 : 0) << step.what;
    }
    EXPECT_EQ(NameOf(m_scene) + ' ' + NameOf(m_scene, QAccessible::Value), "Clock 12:47:13");
    TextOnly(false);
}

TEST_F(SceneTest, ScreenReadersFindTheControlsNamedAndDescribed) {
    EXPECT_FALSE(NameOf(m_scene, QAccessible::Description).isEmpty());
    m_started.Action("mainMenu", "ID_PROTOCOL_TIMETCP")->trigger();
    const struct {
        const char *widget, *name, *description;
    } controls[] = {
        {"btnQuery", "Query Current Timebase", "Query Current Timebase (F5)"},
        {"btnCorrect", "Correct System Clock", "Correct System Clock (Ctrl+Shift+C)"},
        {"pane0", "Time Protocol with Streams selected", "Status of the time query"},
        {"indicatorTCP", "TCP indicator", "in use"},
        {"indicatorUDP", "UDP indicator", "not in use"},
    };
    for (const auto& c : controls) {
        EXPECT_EQ(NameOf(m_started.Child(c.widget)), c.name);
        EXPECT_EQ(NameOf(m_started.Child(c.widget), QAccessible::Description), c.description);
    }
    m_started.Action("mainMenu", "ID_PROTOCOL_SNTP")->trigger();
}

} // namespace
