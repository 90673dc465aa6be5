#include "ui/focus_frame_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionButton>

namespace {
constexpr int kFrameWidth = 2;
} // namespace

CFocusFrameStyle::CFocusFrameStyle() : QProxyStyle(QApplication::style()->name()) {}

void CFocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus)) {
        return;
    }
    painter->save();
    painter->setPen(QPen(option->palette.color(QPalette::Highlight), kFrameWidth));
    painter->setBrush(Qt::NoBrush);
    const int inset = kFrameWidth / 2 + 1;
    painter->drawRect(option->rect.adjusted(inset, inset, -inset, -inset));
    painter->restore();
}
