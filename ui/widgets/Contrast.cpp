#include "ui/widgets/Contrast.h"

#include <algorithm>
#include <cmath>

namespace ostra {

namespace {

double linearChannel(double channel)
{
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linearChannel(rgb.redF()) + 0.7152 * linearChannel(rgb.greenF()) +
           0.0722 * linearChannel(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor MixedColour(const QColor& from, const QColor& towards, double share)
{
    const auto channel = [share](double a, double b) { return static_cast<float>(a + (b - a) * share); };
    return QColor::fromRgbF(channel(from.redF(), towards.redF()), channel(from.greenF(), towards.greenF()),
                            channel(from.blueF(), towards.blueF()));
}

QColor LegibleAgainst(const QColor& from, const QColor& towards, const QColor& against, double ratio)
{
    // Sixty-four steps are finer than a channel's rounding matters for here.
    constexpr int kSteps = 64;
    for (int step = 0; step < kSteps; ++step) {
        const QColor candidate = MixedColour(from, towards, static_cast<double>(step) / kSteps);
        if (ContrastRatio(candidate, against) >= ratio)
            return candidate;
    }
    return towards;
}

} // namespace ostra
