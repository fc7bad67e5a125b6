#pragma once

#include "gif/GIFColorMap.h"

#include <QList>
#include <QRgb>

#include <cstdint>

namespace ostra {

// A palette: colours in index order, as an indexed QImage's colour table.
using TGIFPalette = QList<QRgb>;

inline constexpr int kCubeLevels = 6;
inline constexpr int kCubeSize = kCubeLevels * kCubeLevels * kCubeLevels;
// Distance between two neighbouring levels of one channel (0, 51, ... 255).
inline constexpr int kCubeStep = 51;

// The 216-colour cube that frames are dithered to: entry 36 r + 6 g + b
// (levels 0 to 5) holds red 51 r, green 51 g, blue 51 b.
const TGIFPalette& CubePalette();

constexpr std::uint8_t CubeIndex(int redLevel, int greenLevel, int blueLevel)
{
    return static_cast<std::uint8_t>(36 * redLevel + 6 * greenLevel + blueLevel);
}

// The cube entry nearest the colour (each channel rounded to its nearest
// level), so always one of the 216.
std::uint8_t NearestCubeIndex(const TGIFColor& color);

} // namespace ostra
