#pragma once

// Draws the backdrop model's display lists with the scene's model pass (projection,
// light, turn, scale and materials) into an offscreen image, without the main window.
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QVector3D>
#include <memory>

class QOpenGLFramebufferObject;

class ModelView {
  public:
    ModelView(int width, int height);
    ~ModelView();
    ModelView(const ModelView&) = delete;
    ModelView& operator=(const ModelView&) = delete;

    // False when no OpenGL context could be made.
    bool Ready() const { return m_ready; }
    // Compiles the ten lists with BuildModelList, in part order.
    void BuildLists();
    // One frame from `eye`, looking at the scene's fixed point. With `cullInside`, faces
    // seen from behind are not drawn, which hides nothing of a closed, outward-facing model.
    QImage Render(QVector3D eye, bool cullInside = false);

  private:
    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_target;
    unsigned int m_firstList = 0;
    bool m_ready = false;
};
