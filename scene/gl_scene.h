#pragma once

#include "scene/fly_in_path.h"
#include "scene/model_list.h"
#include "scene/scene_values.h"
#include "scene/text_placement.h"
#include "scene/viewpoint_motion.h"

#include <QOpenGLFramebufferObject>
#include <QOpenGLWidget>
#include <QPointF>
#include <QRect>
#include <array>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

namespace glyph {
class CGlyphFont;
}

// The 3D view between the two buttons: the clock text as extruded glyphs in front of the
// model, seen from an eye that looks at a fixed point. It draws only when told to
// (one frame per timer tick); Qt then composes the finished frame into the window.
class CGLScene : public QOpenGLWidget {
    Q_OBJECT
  public:
    using Clock = std::function<std::time_t()>;

    explicit CGLScene(QWidget* parent);
    ~CGLScene() override;

    // Takes the drawing rectangle in the parent's coordinates (it may be empty or inverted):
    // fits the font to the clock text of the moment, rebuilds the glyphs, and sets the
    // viewport, projection, light and view. A rectangle without area changes nothing.
    void Resize(const QRect& rect);
    // Moves the eye and loads the view looking at the fixed point; refuses an eye on the
    // vertical line through that point. Draws nothing.
    void SetEye(float x, float y, float z);
    // Draws one frame and presents it, unless it would show exactly the last one: the same
    // clock text, eye and backdrop, and no resize or show since.
    void RenderFrame(bool bTextOnly);
    // Makes the next RenderFrame draw even an unchanged picture.
    void MarkStale() { m_bStale = true; }

    // The clock that the text shows; tests put their own.
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    // The text for the clock's time now, as a screen reader reads it.
    QString ClockText() const;

    // State for the frame and for tests.
    bool IsBuilt() const { return m_bBuilt; }
    std::array<float, 3> Eye() const { return {m_fEyeX, m_fEyeY, m_fEyeZ}; }
    int FontHeight() const { return m_nFontHeight; }
    long FramesDrawn() const { return m_nFramesDrawn; }
    int Samples() const { return m_pSmooth ? m_pSmooth->format().samples() : 0; }
    // Where the text stands on the plate, in the text's own frame.
    const TextPlacement& Placement() const { return m_placement; }

  protected:
    void initializeGL() override;
    void paintGL() override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void ApplyResize();
    void LoadView();
    // The text's box on the screen, in framebuffer pixels; empty when it cannot be placed.
    QRect TextRect();
    // Moves the eye for the mouse and shows it at once, not on the next tick.
    void MoveEye(const EyePoint& eye);
    void DrawTimeText(GLuint listBase, const SceneMaterial& material);
    void DrawModelList(GLuint list, const SceneMaterial& material);

    // The first tick puts the eye on the fly-in path; until then it waits at its start.
    float m_fEyeX = g_FlyInPath[0][0];
    float m_fEyeY = g_FlyInPath[0][1];
    float m_fEyeZ = g_FlyInPath[0][2];
    std::unique_ptr<glyph::CGlyphFont> m_pFont;
    GLuint m_nFontListBase = 0;
    std::array<GLuint, kModelPartCount> m_nModelList{};

    // Frames are drawn here with 4 samples and copied into Qt's framebuffer only where they
    // changed: Qt's own multisampling resolves the whole view on every frame, which costs
    // several times the drawing on a software renderer.
    std::unique_ptr<QOpenGLFramebufferObject> m_pSmooth;
    TextPlacement m_placement;
    TextBox m_placedInk; // the placed text's box in the text frame
    QPointF m_dragFrom;

    Clock m_clock;
    QRect m_rcDrawing;     // the last rectangle with area
    QRect m_rcViewport;    // x, y, width, height as given to glViewport
    int m_nFontHeight = 0; // fitted at the last resize
    bool m_bBuilt = false; // the context exists and the lists are allocated
    long m_nFramesDrawn = 0;
    // What the last frame showed; a frame that would show the same is not drawn again.
    struct Picture {
        std::string text;
        std::array<float, 3> eye{};
        bool textOnly = false;
        bool operator==(const Picture&) const = default;
    };
    Picture m_shown;
    bool m_bStale = true;
};
