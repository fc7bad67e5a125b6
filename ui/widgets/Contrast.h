#pragma once

#include <QColor>

namespace ostra {

// WCAG 2.1's relative luminance of an sRGB colour: 0 for black, 1 for white.
double RelativeLuminance(const QColor& colour);

// WCAG 2.1's contrast ratio of two colours, from 1:1 to 21:1; the order
// does not matter.
double ContrastRatio(const QColor& a, const QColor& b);

// The colour `share` (0 to 1) of the way from `from` to `towards`.
QColor MixedColour(const QColor& from, const QColor& towards, double share);

// The first colour on the straight way from `from` to `towards` that stands
// out from `against` by at least `ratio`; `towards` when none does.
QColor LegibleAgainst(const QColor& from, const QColor& towards, const QColor& against, double ratio);

} // namespace ostra
