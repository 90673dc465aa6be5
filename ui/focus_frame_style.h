#pragma once

#include <QProxyStyle>

// The desktop's own look, with a focused push button framed in the highlight colour:
// the base style's faint tint alone does not show where the keyboard is.
class CFocusFrameStyle : public QProxyStyle {
    Q_OBJECT
  public:
    CFocusFrameStyle();

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};
