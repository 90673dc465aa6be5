#include "ui/image_menu_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionMenuItem>

namespace {

constexpr int kSelectionFrame = 3;

QSize ImageSize(const QStyleOptionMenuItem& item) {
    return item.icon.availableSizes().constFirst();
}

// A checkable image gets its mark in a column of its own before the image.
int MarkColumn(const QStyleOptionMenuItem& item, const QStyle& style) {
    return item.checkType == QStyleOptionMenuItem::NotCheckable
               ? 0
               : style.pixelMetric(QStyle::PM_IndicatorWidth) + 2 * kSelectionFrame;
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
            return ImageSize(*item) +
                   QSize(2 * kSelectionFrame + MarkColumn(*item, *this), 2 * kSelectionFrame);
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
    background.checkType = QStyleOptionMenuItem::NotCheckable;
    QProxyStyle::drawControl(element, &background, painter, widget);

    const int markColumn = MarkColumn(*item, *this);
    if (markColumn > 0) {
        QStyleOptionButton mark;
        mark.QStyleOption::operator=(*item);
        const int size = pixelMetric(PM_IndicatorWidth);
        mark.rect = QRect(item->rect.left() + 2 * kSelectionFrame,
                          item->rect.center().y() - size / 2, size, size);
        mark.state = (item->state & State_Enabled) | (item->checked ? State_On : State_Off);
        drawPrimitive(item->checkType == QStyleOptionMenuItem::Exclusive ? PE_IndicatorRadioButton
                                                                         : PE_IndicatorCheckBox,
                      &mark, painter, widget);
    }
    const QSize imageSize = ImageSize(*item);
    const QRect target(QPoint(item->rect.left() + kSelectionFrame + markColumn,
                              item->rect.center().y() - imageSize.height() / 2 + 1),
                       imageSize);
    const QIcon::Mode mode = item->state & State_Enabled ? QIcon::Normal : QIcon::Disabled;
    painter->drawPixmap(target, item->icon.pixmap(imageSize, 1.0, mode));
}
