#include "scene/gl_scene.h"

#include "scene/clock_text.h"
#include "scene/clock_view_accessible.h"
#include "scene/font_fit.h"
#include "scene/font_locator.h"
#include "scene/glyph_font.h"
#include "scene/glyph_lists.h"
#include "scene/viewpoint.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QAccessible>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QSurfaceFormat>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

CGLScene::CGLScene(QWidget* parent)
    : QOpenGLWidget(parent), m_clock([] { return std::time(nullptr); }) {
    setObjectName("scene");
    // The frame keeps the keyboard focus for the viewpoint keys.
    setFocusPolicy(Qt::NoFocus);
    // Named "Clock" with the time as its text, read on demand: no event each second.
    // Installed before anything makes Qt create the view's accessible interface.
    QAccessible::installFactory(ClockViewAccessible);
    setAccessibleDescription(QStringLiteral("The time of this computer's clock, drawn in 3D"));

    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setDepthBufferSize(16);
    setFormat(format);
    // Frames are drawn on the tick, outside Qt's paint pass; Qt must keep them.
    setUpdateBehavior(QOpenGLWidget::PartialUpdate);

    m_pFont = OpenClockFont();
    if (m_pFont) {
        const TextBox ink = ClockInkBox(*m_pFont);
        m_placement = PlaceOnPlate(ink, PlateBox());
        const double s = m_placement.scale;
        m_placedInk = {m_placement.x + s * ink.left, m_placement.x + s * ink.right,
                       m_placement.y + s * ink.bottom, m_placement.y + s * ink.top};
    }
    // The context comes with the first show of the window; initializeGL builds the rest.
}

CGLScene::~CGLScene() {
    if (m_pSmooth) {
        makeCurrent(); // the framebuffer belongs to the view's context
        m_pSmooth.reset();
        doneCurrent();
    }
}

QString CGLScene::ClockText() const {
    return QString::fromStdString(FormatClockText(m_clock()));
}

void CGLScene::initializeGL() {
    // A new context (first show, or the widget moved to another window) starts empty.
    m_nFontListBase = glGenLists(kGlyphListCount);
    for (int part = 0; part < kModelPartCount; ++part) {
        m_nModelList[part] = glGenLists(1);
    }
    for (int part = 0; part < kModelPartCount; ++part) {
        BuildModelList(m_nModelList[part], part);
    }
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    m_bBuilt = true;
    if (m_rcDrawing.isValid()) {
        ApplyResize();
    }
}

void CGLScene::Resize(const QRect& rect) {
    if (rect.isEmpty()) {
        return;
    }
    m_rcDrawing = rect;
    const bool built = m_bBuilt;
    // On the first show this creates the context, whose set-up applies the rectangle.
    setGeometry(rect);
    if (built) {
        makeCurrent();
        ApplyResize();
    }
}

void CGLScene::ApplyResize() {
    m_bStale = true; // a new framebuffer holds no picture yet
    const QRect& rect = m_rcDrawing;
    if (m_pFont) {
        const std::string text = FormatClockText(m_clock());
        m_nFontHeight = glyph::FitFontHeight(glyph::TextAdvances(*m_pFont, text),
                                             m_pFont->CellUnits(), rect.width(), rect.height());
        const double deviationPixels = kGlyphDeviationPixels / devicePixelRatioF();
        CompileGlyphLists(*m_pFont, m_nFontListBase,
                          glyph::DeviationInEms(*m_pFont, m_nFontHeight, deviationPixels),
                          kGlyphExtrusion);
    }

    // The viewport reaches from the window's lower-left corner to the rectangle's right and
    // bottom edges, so the strip above the rectangle counts as part of the view.
    const int right = rect.x() + rect.width();
    const int bottom = rect.y() + rect.height();
    const qreal scale = devicePixelRatioF(); // the framebuffer counts device pixels
    m_rcViewport = QRect(0, 0, qRound(right * scale), qRound(bottom * scale));
    // Smooth edges; a driver without multisampling gives fewer samples and no error, and
    // without such framebuffers the frames go straight to Qt's.
    QOpenGLFramebufferObjectFormat smooth;
    smooth.setSamples(kSmoothSamples);
    smooth.setAttachment(QOpenGLFramebufferObject::Depth);
    m_pSmooth = std::make_unique<QOpenGLFramebufferObject>(size() * scale, smooth);
    if (!m_pSmooth->isValid()) {
        m_pSmooth.reset();
    }
    glViewport(0, 0, m_rcViewport.width(), m_rcViewport.height());
    const double aspect = static_cast<double>(right) / static_cast<double>(bottom);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FieldOfViewFor(aspect, m_placedInk), aspect, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // With the identity loaded the light's position is in eye coordinates.
    glLightfv(GL_LIGHT0, GL_AMBIENT, kLightAmbient.data());
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition.data());
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse.data());
    glLightfv(GL_LIGHT0, GL_SPECULAR, kLightSpecular.data());
    LoadView();
}

void CGLScene::SetEye(float x, float y, float z) {
    if (!IsUsableEye(x, y, z)) {
        return;
    }
    m_fEyeX = x;
    m_fEyeY = y;
    m_fEyeZ = z;
    if (m_bBuilt) {
        makeCurrent();
        LoadView();
    }
}

void CGLScene::LoadView() {
    glLoadIdentity();
    gluLookAt(static_cast<double>(m_fEyeX), static_cast<double>(m_fEyeY),
              static_cast<double>(m_fEyeZ), kLookAtX, kLookAtY, kLookAtZ, kUpX, kUpY, kUpZ);
}

void CGLScene::RenderFrame(bool bTextOnly) {
    if (!m_bBuilt) {
        return;
    }
    // Formatted afresh for every tick, so the text follows the clock even right after the
    // clock was corrected.
    Picture picture{FormatClockText(m_clock()), Eye(), bTextOnly};
    if (!m_bStale && picture == m_shown) {
        return;
    }
    const bool onlyText =
        !m_bStale && picture.eye == m_shown.eye && picture.textOnly == m_shown.textOnly;
    m_shown = std::move(picture);
    m_bStale = false;
    makeCurrent();
    // Qt sets its own viewport whenever it paints the widget; put ours back.
    if (m_rcViewport.isValid()) {
        glViewport(m_rcViewport.x(), m_rcViewport.y(), m_rcViewport.width(), m_rcViewport.height());
    }
    if (m_pSmooth) {
        m_pSmooth->bind();
    }
    // A new second changes only the text: redraw just its box, the rest stays as it was.
    const QRect changed = onlyText ? TextRect() : QRect();
    if (!changed.isEmpty()) {
        glScissor(changed.x(), changed.y(), changed.width(), changed.height());
        glEnable(GL_SCISSOR_TEST);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glPushMatrix();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glRotatef(kTextTurnDegrees, 0.0f, 1.0f, 0.0f);
    glTranslatef(kTextOffset[0], kTextOffset[1], kTextOffset[2]);
    glTranslated(m_placement.x, m_placement.y, 0.0);
    glScaled(m_placement.scale, m_placement.scale, m_placement.scale);
    DrawTimeText(m_nFontListBase, kTextMaterial);
    glPopAttrib();
    glPopMatrix();

    if (!bTextOnly) {
        glPushMatrix();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glRotatef(kModelTiltXDegrees, 1.0f, 0.0f, 0.0f);
        glRotatef(kModelTurnZDegrees, 0.0f, 0.0f, 1.0f);
        glScalef(kModelScale, kModelScale, kModelScale);
        for (const ModelPartPass& pass : kModelPasses) {
            DrawModelList(m_nModelList[pass.part], pass.material);
        }
        glPopAttrib();
        glPopMatrix();
    }

    glDisable(GL_SCISSOR_TEST); // the copies below and Qt's must see all of the frame
    if (m_pSmooth) {
        const QRect all(QPoint(0, 0), m_pSmooth->size());
        const QRect copied = changed.isEmpty() ? all : changed & all;
        QOpenGLExtraFunctions* gl = context()->extraFunctions();
        gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, m_pSmooth->handle());
        gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, defaultFramebufferObject());
        const int x1 = copied.x() + copied.width(), y1 = copied.y() + copied.height();
        gl->glBlitFramebuffer(copied.x(), copied.y(), x1, y1, copied.x(), copied.y(), x1, y1,
                              GL_COLOR_BUFFER_BIT, GL_NEAREST);
        gl->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    }
    glFinish();
    // Presenting: Qt composes the finished frame into the window on its next pass.
    update();
    ++m_nFramesDrawn;
}

QRect CGLScene::TextRect() {
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glPushMatrix();
    glRotatef(kTextTurnDegrees, 0.0f, 1.0f, 0.0f);
    glTranslatef(kTextOffset[0], kTextOffset[1], kTextOffset[2]);
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glPopMatrix();
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const TextBox& ink = m_placedInk;
    const double depth = kGlyphExtrusion * m_placement.scale;
    double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
    for (const double u : {ink.left, ink.right}) {
        for (const double v : {ink.bottom, ink.top}) {
            for (const double w : {0.0, -depth}) {
                double x = 0, y = 0, z = 0;
                // A corner behind the eye has no place on the screen: draw everything.
                if (gluProject(u, v, w, model, projection, viewport, &x, &y, &z) != GL_TRUE ||
                    z < 0 || z > 1) {
                    return {};
                }
                left = std::min(left, x), right = std::max(right, x);
                bottom = std::min(bottom, y), top = std::max(top, y);
            }
        }
    }
    constexpr int kMargin = 2; // the smoothed edges reach past the corners
    const int x = static_cast<int>(std::floor(left)) - kMargin;
    const int y = static_cast<int>(std::floor(bottom)) - kMargin;
    return QRect(x, y, static_cast<int>(std::ceil(right)) + kMargin - x,
                 static_cast<int>(std::ceil(top)) + kMargin - y);
}

void CGLScene::DrawTimeText(GLuint listBase, const SceneMaterial& material) {
    glPushMatrix();
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material.ambient.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material.diffuse.data());
    const std::string& text = m_shown.text;
    glListBase(listBase);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
    glPopMatrix();
}

void CGLScene::DrawModelList(GLuint list, const SceneMaterial& material) {
    glPushMatrix();
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material.ambient.data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material.diffuse.data());
    glCallList(list);
    glPopMatrix();
}

void CGLScene::showEvent(QShowEvent* event) {
    QOpenGLWidget::showEvent(event);
    m_bStale = true; // back from the tray or a minimised state: draw afresh
}

void CGLScene::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore(); // the frame's popup and clicks stay the frame's
        return;
    }
    m_dragFrom = event->position();
}

void CGLScene::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    const QPointF by = event->position() - m_dragFrom;
    m_dragFrom = event->position();
    MoveEye(DraggedEye(Eye(), by.x(), by.y()));
}

void CGLScene::wheelEvent(QWheelEvent* event) {
    MoveEye(WheeledEye(Eye(), event->angleDelta().y() / kWheelNotch));
}

void CGLScene::MoveEye(const EyePoint& eye) {
    SetEye(eye[0], eye[1], eye[2]);
    RenderFrame(m_shown.textOnly);
}

void CGLScene::paintGL() {
    // Nothing: the tick draws the frames, and Qt keeps the last one for its repaints.
}
