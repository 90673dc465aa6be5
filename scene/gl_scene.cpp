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
#include <QSurfaceFormat>

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
    // The context comes with the first show of the window; initializeGL builds the rest.
}

CGLScene::~CGLScene() = default;

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
    glViewport(0, 0, m_rcViewport.width(), m_rcViewport.height());
    const double aspect = static_cast<double>(right) / static_cast<double>(bottom);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewDegrees, aspect, kNearPlane, kFarPlane);
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
    m_shown = std::move(picture);
    m_bStale = false;
    makeCurrent();
    // Qt sets its own viewport whenever it paints the widget; put ours back.
    if (m_rcViewport.isValid()) {
        glViewport(m_rcViewport.x(), m_rcViewport.y(), m_rcViewport.width(), m_rcViewport.height());
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glPushMatrix();
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glRotatef(kTextTurnDegrees, 0.0f, 1.0f, 0.0f);
    glTranslatef(kTextOffset[0], kTextOffset[1], kTextOffset[2]);
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

    glFinish();
    // Presenting: Qt composes the finished frame into the window on its next pass.
    update();
    ++m_nFramesDrawn;
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

void CGLScene::paintGL() {
    // Nothing: the tick draws the frames, and Qt keeps the last one for its repaints.
}
