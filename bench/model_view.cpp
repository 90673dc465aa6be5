#include "bench/model_view.h"

#include "scene/model_list.h"
#include "scene/scene_values.h"
#include "scene/viewpoint.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QOpenGLFramebufferObject>

ModelView::ModelView(int width, int height) {
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
    m_firstList = glGenLists(kModelPartCount);
    for (int part = 0; part < kModelPartCount; ++part) {
        BuildModelList(m_firstList + part, part);
    }
}

QImage ModelView::Render(QVector3D eye, bool cullInside) {
    m_target->bind();
    const QSize size = m_target->size();
    glViewport(0, 0, size.width(), size.height());
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewDegrees, double(size.width()) / size.height(), kNearPlane,
                   kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_AMBIENT, kLightAmbient.data());
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition.data());
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse.data());
    glLightfv(GL_LIGHT0, GL_SPECULAR, kLightSpecular.data());
    gluLookAt(eye.x(), eye.y(), eye.z(), kLookAtX, kLookAtY, kLookAtZ, kUpX, kUpY, kUpZ);
    // The tables' corners run clockwise seen from outside.
    glFrontFace(GL_CW);
    if (cullInside) {
        glEnable(GL_CULL_FACE);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glRotatef(kModelTiltXDegrees, 1.0f, 0.0f, 0.0f);
    glRotatef(kModelTurnZDegrees, 0.0f, 0.0f, 1.0f);
    glScalef(kModelScale, kModelScale, kModelScale);
    for (const ModelPartPass& pass : kModelPasses) {
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, pass.material.ambient.data());
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, pass.material.diffuse.data());
        glCallList(m_firstList + pass.part);
    }
    glDisable(GL_CULL_FACE);
    glFinish();
    QImage image = m_target->toImage();
    m_target->release();
    return image;
}
