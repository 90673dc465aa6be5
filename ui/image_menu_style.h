#pragma once

#include <QProxyStyle>

#include <QSet>

class QIcon;
class QStyleOptionMenuItem;

// Lets a menu show an item as a picture at its full size, the way the menu bar shows
// the Primary and Backup Timebases: an item whose icon was added here is drawn as that
// icon's image, with the selection showing as a frame around it and, when the item is
// checkable, its mark before it. The item keeps its text, which a screen reader reads as
// the item's name.
class CImageMenuStyle : public QProxyStyle {
    Q_OBJECT
  public:
    CImageMenuStyle();

    void AddImage(const QIcon& icon);

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;

  private:
    const QStyleOptionMenuItem* ImageItem(const QStyleOption* option) const;

    QSet<qint64> m_images; // the icons' cache keys
};
