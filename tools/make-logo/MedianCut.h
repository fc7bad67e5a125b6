#pragma once

#include <QRgb>

#include <cstdint>
#include <span>
#include <vector>

namespace ostra::logo {

// Median-cut colour reduction, deterministic: the same colours in give the
// same palette out. Splits the box with the widest channel range at the
// median of that channel until there are `count` boxes or no box holds two
// distinct colours; each box gives the rounded mean of its pixels. The
// palette is sorted by brightness.
std::vector<QRgb> MedianCutPalette(std::span<const QRgb> pixels, int count);

// The index of the palette colour nearest to `color` (squared distance in
// RGB; the lowest index among equals).
std::uint8_t NearestIndex(const std::vector<QRgb>& palette, QRgb color);

} // namespace ostra::logo
