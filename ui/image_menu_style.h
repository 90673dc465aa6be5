#pragma once

#include <QProxyStyle>

// Lets a menu show an item as a picture at its full size, the way the menu bar shows
// the Primary and Backup Timebases: an item with an icon and no text is drawn as that
// icon's image, with the selection showing as a frame around it and, when the item is
// checkable, its mark before it.
class CImageMenuStyle : public QProxyStyle {
    Q_OBJECT
  public:
    CImageMenuStyle();

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};
