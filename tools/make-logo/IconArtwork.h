#pragma once

#include <QImage>

#include <array>

namespace ostra::logo {

// The sizes of the application icon, in pixels square: the usual sizes of
// a desktop's icon theme, from menus and title bars up to launchers.
inline constexpr std::array<int, 7> kIconSizes{16, 24, 32, 48, 64, 128, 256};

// Draws the application icon at size x size pixels: the badge's rounded
// blue plate with its chevrons, transparent around the rounded corners.
// Drawn afresh for each size rather than scaled from one master, so small
// sizes stay sharp. Uses no fonts: the same Qt gives the same pixels.
QImage DrawIcon(int size);

} // namespace ostra::logo
