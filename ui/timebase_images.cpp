#include "ui/timebase_images.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

const QColor kPlate(18, 32, 72);
const QColor kGold(222, 184, 84);
const QColor kWhite(244, 244, 248);

// A gold ring with twelve hour marks around a five-pointed star.
void PaintEmblem(QPainter& painter, const QRectF& box) {
    const QPointF centre = box.center();
    const qreal radius = box.width() / 2;
    painter.setPen(QPen(kGold, 2.0));
    painter.setBrush(kPlate.lighter(140));
    painter.drawEllipse(centre, radius - 1, radius - 1);
    painter.setPen(QPen(kGold, 1.2));
    for (int hour = 0; hour < 12; ++hour) {
        const qreal angle = qDegreesToRadians(30.0 * hour);
        const QPointF direction(qSin(angle), -qCos(angle));
        painter.drawLine(centre + direction * (radius - 5), centre + direction * (radius - 2.5));
    }
    QPainterPath star;
    const qreal outer = radius * 0.55;
    const qreal inner = outer * 0.42;
    for (int point = 0; point < 10; ++point) {
        const qreal angle = qDegreesToRadians(36.0 * point);
        const qreal r = point % 2 == 0 ? outer : inner;
        const QPointF corner = centre + QPointF(r * qSin(angle), -r * qCos(angle));
        point == 0 ? star.moveTo(corner) : star.lineTo(corner);
    }
    star.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kWhite);
    painter.drawPath(star);
}

// The largest pixel size up to maxPixels at which text fits width.
QFont FittingFont(const QString& text, int width, int maxPixels, bool bold) {
    QFont font;
    font.setBold(bold);
    for (int pixels = maxPixels; pixels > 6; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(text) <= width) {
            break;
        }
    }
    return font;
}

} // namespace

QPixmap PaintTimebaseImage(const QString& label, const QString& hostName) {
    QPixmap image(kTimebaseImageSize);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF plate = QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(kGold, 1.0));
    painter.setBrush(kPlate);
    painter.drawRoundedRect(plate, 4, 4);

    const qreal emblemSize = kTimebaseImageSize.height() - 8;
    PaintEmblem(painter, QRectF(4, 4, emblemSize, emblemSize));

    const int textLeft = 4 + int(emblemSize) + 4;
    const int textWidth = kTimebaseImageSize.width() - textLeft - 4;
    painter.setPen(kGold);
    painter.setFont(FittingFont(label, textWidth, 11, true));
    painter.drawText(QRect(textLeft, 4, textWidth, 16), Qt::AlignLeft | Qt::AlignVCenter, label);
    painter.setPen(kWhite);
    painter.setFont(FittingFont(hostName, textWidth, 12, false));
    painter.drawText(QRect(textLeft, 21, textWidth, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     hostName);
    return image;
}
