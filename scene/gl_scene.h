#pragma once

#include <QOpenGLWidget>
#include <QRect>

// The 3D view between the two buttons.
class CGLScene : public QOpenGLWidget {
    Q_OBJECT
  public:
    explicit CGLScene(QWidget* parent);
    ~CGLScene() override;

    // Takes the drawing rectangle in the parent's coordinates; it may be empty or inverted.
    void Resize(const QRect& rect);
    // Draws one frame now.
    void RenderFrame();

  protected:
    void paintGL() override;
};
