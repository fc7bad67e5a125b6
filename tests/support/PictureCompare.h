#pragma once

#include <QImage>

#include <optional>
#include <string>

namespace ostra::test {

// Qt's raster engine rounds anti-aliased edges, alpha blending and
// premultiplication differently from one processor to the next (its
// vector code paths differ), so a picture drawn that way is only alike,
// never bit-identical, across machines. Two units a channel covers that
// rounding; a real change of the drawing moves far more.
constexpr int kDrawingTolerance = 2;

// Compares two drawn pictures as pictures: the same size; every channel
// (premultiplied, so the colour of a nearly transparent pixel cannot weigh
// more than it shows) within `tolerance`; and exactly the same pixels
// fully transparent and fully opaque, since a shape's edge must not move.
// Answers nothing when they are alike, else how many pixels differ and
// the worst of them with both values.
std::optional<std::string> pictureDifference(const QImage& expected, const QImage& actual,
                                             int tolerance = kDrawingTolerance);

} // namespace ostra::test
