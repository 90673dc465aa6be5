#pragma once

// Draws the backdrop model's display lists with the scene's model pass (projection,
// light, turn, scale and materials) into an offscreen image, without the main window.
#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QVector3D>

#include <array>
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
    unsigned int List(int part) const { return m_lists[static_cast<size_t>(part)]; }
    // One frame from `eye`, looking at the scene's fixed point. With `cullInside`, faces
    // seen from behind are not drawn, which hides nothing of a closed, outward-facing model.
    QImage Render(QVector3D eye, bool cullInside = false);

  private:
    QOffscreenSurface m_surface;
    QOpenGLContext m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_target;
    std::array<unsigned int, 10> m_lists{};
    int m_width;
    int m_height;
    bool m_ready = false;
};
