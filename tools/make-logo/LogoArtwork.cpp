#include "LogoArtwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ostra::logo {

namespace {

// The badge stops one row short of the picture: the bottom row belongs to
// the window, like the corners.
const QRectF kBadge(0, 0, kWidth, kHeight - 1);
constexpr qreal kCornerRadius = 7;

const QColor kTagText(0xC8, 0xD6, 0xF0);

QPainterPath badgePath()
{
    QPainterPath path;
    path.addRoundedRect(kBadge, kCornerRadius, kCornerRadius);
    return path;
}

QFont badgeFont(int pixelSize, qreal letterSpacing)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

void paintBackground(QPainter& painter)
{
    QLinearGradient shade(0, 0, 0, kBadge.height());
    shade.setColorAt(0, kTopBlue);
    shade.setColorAt(1, kBottomBlue);
    painter.fillRect(QRectF(0, 0, kWidth, kHeight), shade);
    // A soft highlight across the upper half.
    painter.fillRect(QRectF(0, 0, kWidth, kBadge.height() / 2), QColor(255, 255, 255, 28));
    painter.setPen(QPen(kRim, 1.5));
    painter.drawPath(badgePath());
}

void paintTexts(QPainter& painter)
{
    painter.setFont(badgeFont(24, 2));
    painter.setPen(Qt::white);
    painter.drawText(QPointF(37, 30), QStringLiteral("OSTRA"));
    painter.setPen(QPen(kTagText, 1));
    painter.drawLine(QPointF(137.5, 9), QPointF(137.5, 32));
    painter.setFont(badgeFont(9, 1));
    painter.drawText(QPointF(143, 19), QStringLiteral("HD VIDEO"));
    painter.drawText(QPointF(143, 31), QStringLiteral("SYSTEMS"));
}

// A pixel is outside when its centre is.
std::vector<bool> outsidePixels()
{
    const QPainterPath badge = badgePath();
    std::vector<bool> outside(static_cast<std::size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            outside[static_cast<std::size_t>(y) * kWidth + x] = !badge.contains(QPointF(x + 0.5, y + 0.5));
    return outside;
}

} // namespace

void PaintEmblem(QPainter& painter)
{
    painter.setPen(QPen(kAccent, kEmblemStroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    const qreal step = (kEmblemBox.width() - kChevronDepth) / 2;
    for (int i = 0; i < 3; ++i) {
        const qreal x = kEmblemBox.left() + step * i;
        painter.drawPolyline(QPolygonF({{x, kEmblemBox.top()},
                                        {x + kChevronDepth, kEmblemBox.center().y()},
                                        {x, kEmblemBox.bottom()}}));
    }
}

Artwork DrawBadge()
{
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(kBottomBlue);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintBackground(painter);
    PaintEmblem(painter);
    paintTexts(painter);
    painter.end();
    return {picture, outsidePixels()};
}

} // namespace ostra::logo
