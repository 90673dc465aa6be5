#include "scene/gl_scene.h"

#include <QOpenGLFunctions>

CGLScene::CGLScene(QWidget* parent) : QOpenGLWidget(parent) {
    setObjectName("scene");
    // The frame keeps the keyboard focus for the viewpoint keys.
    setFocusPolicy(Qt::NoFocus);
}

CGLScene::~CGLScene() = default;

void CGLScene::Resize(const QRect& rect) {
    if (rect.width() <= 0 || rect.height() <= 0) {
        return;
    }
    setGeometry(rect);
}

void CGLScene::RenderFrame() {
    update();
}

void CGLScene::paintGL() {
    QOpenGLFunctions* gl = context()->functions();
    gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
