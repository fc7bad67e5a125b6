#include "IconArtwork.h"

#include "LogoArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ostra::logo {

namespace {

// Proportions of the icon's side.
constexpr qreal kCornerRadius = 0.2;
constexpr qreal kRimWidth = 1.0 / 24;
// The chevrons' height, centre line to centre line.
constexpr qreal kEmblemHeight = 0.5;

void paintPlate(QPainter& painter, const QRectF& plate, qreal side)
{
    QPainterPath path;
    path.addRoundedRect(plate, kCornerRadius * side, kCornerRadius * side);
    QLinearGradient shade(0, plate.top(), 0, plate.bottom());
    shade.setColorAt(0, kTopBlue);
    shade.setColorAt(1, kBottomBlue);
    painter.fillPath(path, shade);
    // The badge's soft highlight across the upper half.
    QPainterPath upperHalf;
    upperHalf.addRect(QRectF(plate.left(), plate.top(), plate.width(), plate.height() / 2));
    painter.fillPath(path.intersected(upperHalf), QColor(255, 255, 255, 28));
    painter.setPen(QPen(kRim, std::max<qreal>(1, kRimWidth * side)));
    painter.drawPath(path);
}

// The badge's emblem, moved and scaled so that its chevrons sit in the
// middle of the plate.
void paintEmblem(QPainter& painter, const QRectF& plate)
{
    const qreal scale = kEmblemHeight * plate.height() / kEmblemBox.height();
    painter.save();
    painter.translate(plate.center());
    painter.scale(scale, scale);
    painter.translate(-kEmblemBox.center());
    PaintEmblem(painter);
    painter.restore();
}

} // namespace

QImage DrawIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    // The rim's centre line lies half a rim inside the picture's edge.
    const qreal inset = std::max<qreal>(1, kRimWidth * size) / 2;
    const QRectF plate = QRectF(0, 0, size, size).adjusted(inset, inset, -inset, -inset);
    paintPlate(painter, plate, size);
    paintEmblem(painter, plate);
    painter.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

} // namespace ostra::logo
