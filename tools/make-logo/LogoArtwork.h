#pragma once

#include <QImage>

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

} // namespace ostra::logo
