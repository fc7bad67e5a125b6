#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>
#include <vector>

namespace ostra {

class TGIFSubImage;

// number * numerator / denominator, rounded to the nearest integer (halves
// away from zero); 0 when the denominator is 0.
int MulDivRound(int number, int numerator, int denominator);

// Where a frame at (left, top) of the given size lands when the logical
// screen `screen` occupies rect: each edge scaled by rect's size over the
// screen's, with rounding. Empty when the screen has no area.
QRect MapFrameRect(const QRect& frame, const QSize& screen, const QRect& rect);

// The unscaled tiles of a frame over rect: the first at rect's top left
// plus the frame's offset, then one every screen width across and every
// screen height down, while a tile's left edge is left of rect's right
// edge and its top edge above rect's bottom edge. None for a screen
// without area.
std::vector<QRect> TileRects(const QRect& frame, const QSize& screen, const QRect& rect);

// The rectangles a frame of its picture is drawn into: one mapped
// rectangle, or the tiles.
std::vector<QRect> FrameDestinationRects(const TGIFSubImage& frame, const QRect& rect, bool tile);

} // namespace ostra
