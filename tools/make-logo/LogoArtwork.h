#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>

#include <vector>

namespace ostra::logo {

inline constexpr int kWidth = 204;
inline constexpr int kHeight = 42;

// The badge as drawn, before colour reduction: an opaque true-colour
// picture, and which pixels lie outside the badge (its rounded-off corners
// and the whole bottom row), one flag per pixel, rows top to bottom.
struct Artwork {
    QImage Picture;
    std::vector<bool> Outside;
};

// Draws the maker's badge. Needs a QGuiApplication for the fonts.
Artwork DrawBadge();

// The badge's colours, which the application icon shares.
inline const QColor kTopBlue(0x2B, 0x57, 0xA3);
inline const QColor kBottomBlue(0x0C, 0x20, 0x4D);
inline const QColor kRim(0x06, 0x12, 0x30);
inline const QColor kAccent(0xF2, 0x8C, 0x1C);

// The badge's emblem, three chevrons pointing right (the selector switching
// sources), painted in the badge's own pixel coordinates. kEmblemBox holds
// the chevrons' centre lines, each kChevronDepth wide; the strokes reach
// kEmblemStroke / 2 beyond.
inline const QRectF kEmblemBox(11, 13, 18, 15);
inline constexpr qreal kChevronDepth = 6;
inline constexpr qreal kEmblemStroke = 3;
void PaintEmblem(QPainter& painter);

} // namespace ostra::logo
