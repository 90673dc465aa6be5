#include "ui/image_menu_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionMenuItem>

namespace {

constexpr int kSelectionFrame = 3;

QSize ImageSize(const QStyleOptionMenuItem& item) {
    return item.icon.availableSizes().constFirst();
}

} // namespace

CImageMenuStyle::CImageMenuStyle() : QProxyStyle(QApplication::style()->name()) {}

void CImageMenuStyle::AddImage(const QIcon& icon) {
    m_images.insert(icon.cacheKey());
}

const QStyleOptionMenuItem* CImageMenuStyle::ImageItem(const QStyleOption* option) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item && item->menuItemType == QStyleOptionMenuItem::Normal &&
        m_images.contains(item->icon.cacheKey()) && !item->icon.availableSizes().isEmpty()) {
        return item;
    }
    return nullptr;
}

QSize CImageMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                        const QSize& size, const QWidget* widget) const {
    if (type == CT_MenuItem) {
        if (const QStyleOptionMenuItem* item = ImageItem(option)) {
            return ImageSize(*item) + QSize(2 * kSelectionFrame, 2 * kSelectionFrame);
        }
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}

void CImageMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    const QStyleOptionMenuItem* item = element == CE_MenuItem ? ImageItem(option) : nullptr;
    if (!item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    // The base style paints the background and, when selected, the highlight.
    QStyleOptionMenuItem background = *item;
    background.icon = QIcon();
    background.text.clear(); // the item's name, which the image shows
    QProxyStyle::drawControl(element, &background, painter, widget);

    const QSize imageSize = ImageSize(*item);
    const QRect target(QPoint(item->rect.left() + kSelectionFrame,
                              item->rect.center().y() - imageSize.height() / 2 + 1),
                       imageSize);
    const QIcon::Mode mode = item->state & State_Enabled ? QIcon::Normal : QIcon::Disabled;
    painter->drawPixmap(target, item->icon.pixmap(imageSize, 1.0, mode));
}
