#include "tests/support/model_view.h"

#include "scene/model_list.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QOpenGLFramebufferObject>

namespace {

struct Material {
    int part;
    float ambient[4];
    float diffuse[4];
};

// The model pass's order and materials.
constexpr Material kMaterials[] = {
    {0, {0.1f, 0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f, 1.0f}},
    {1, {0.03f, 0.03f, 0.0f, 0.1f}, {0.3f, 0.3f, 1.0f, 1.0f}},
    {2, {0.1f, 0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f, 1.0f}},
    {3, {0.03f, 0.03f, 0.0f, 0.1f}, {0.3f, 0.3f, 1.0f, 1.0f}},
    {4, {0.03f, 0.03f, 0.1f, 1.0f}, {0.3f, 0.3f, 1.0f, 1.0f}},
    {6, {0.08f, 0.08f, 0.08f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}},
    {5, {0.08f, 0.08f, 0.08f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}},
    {7, {0.045f, 0.045f, 0.045f, 1.0f}, {0.45f, 0.45f, 0.45f, 1.0f}},
    {8, {0.08f, 0.08f, 0.08f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}},
    {9, {0.08f, 0.08f, 0.08f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}},
};

} // namespace

ModelView::ModelView(int width, int height) : m_width(width), m_height(height) {
    QSurfaceFormat format;
    format.setDepthBufferSize(24);
    m_surface.setFormat(format);
    m_surface.create();
    m_context.setFormat(format);
    m_ready = m_context.create() && m_context.makeCurrent(&m_surface);
    if (m_ready) {
        m_target = std::make_unique<QOpenGLFramebufferObject>(
            width, height, QOpenGLFramebufferObject::CombinedDepthStencil);
    }
}

ModelView::~ModelView() {
    if (m_ready) {
        m_context.makeCurrent(&m_surface);
        m_target.reset();
        m_context.doneCurrent();
    }
}

void ModelView::BuildLists() {
    for (int part = 0; part < kModelPartCount; ++part) {
        m_lists[static_cast<size_t>(part)] = glGenLists(1);
    }
    for (int part = 0; part < kModelPartCount; ++part) {
        BuildModelList(m_lists[static_cast<size_t>(part)], part);
    }
}

QImage ModelView::Render(QVector3D eye, bool cullInside, QVector3D centre) {
    m_target->bind();
    glViewport(0, 0, m_width, m_height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(18.0, double(m_width) / m_height, 1.0, 500.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float ambient[] = {0.75f, 0.75f, 0.75f, 1.0f};
    const float position[] = {0.0f, -2.5f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, ambient);
    glLightfv(GL_LIGHT0, GL_SPECULAR, ambient);
    gluLookAt(eye.x(), eye.y(), eye.z(), centre.x(), centre.y(), centre.z(), 0.0, 1.0, 0.0);
    if (cullInside) {
        // The tables' corners run clockwise seen from outside.
        glEnable(GL_CULL_FACE);
        glFrontFace(GL_CW);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(20.0f, 0.0f, 0.0f, 1.0f);
    glScalef(0.05f, 0.05f, 0.05f);
    for (const Material& m : kMaterials) {
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.ambient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, m.diffuse);
        glCallList(List(m.part));
    }
    glPopMatrix();
    glDisable(GL_CULL_FACE);
    glFinish();
    QImage image = m_target->toImage();
    m_target->release();
    return image;
}
