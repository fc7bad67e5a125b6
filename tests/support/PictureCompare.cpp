#include "support/PictureCompare.h"

#include <QString>

#include <algorithm>
#include <cstdlib>

namespace ostra::test {
namespace {

enum class Coverage { Clear, Partial, Opaque };

Coverage coverageOf(QRgb pixel)
{
    const int alpha = qAlpha(pixel);
    return alpha == 0 ? Coverage::Clear : alpha == 255 ? Coverage::Opaque : Coverage::Partial;
}

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qAlpha(a) - qAlpha(b)), std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QString hex(QRgb pixel)
{
    return QStringLiteral("%1").arg(pixel, 8, 16, QLatin1Char('0'));
}

// A pixel whose coverage class changed ranks above any channel difference.
constexpr int kCoverageChanged = 1000;

} // namespace

std::optional<std::string> pictureDifference(const QImage& expected, const QImage& actual, int tolerance)
{
    if (expected.size() != actual.size())
        return QStringLiteral("sizes differ: %1x%2 expected, %3x%4 drawn")
            .arg(expected.width())
            .arg(expected.height())
            .arg(actual.width())
            .arg(actual.height())
            .toStdString();
    const QImage want = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage got = actual.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int differing = 0;
    int worst = 0;
    QPoint worstAt;
    for (int y = 0; y < want.height(); ++y) {
        const auto* wantRow = reinterpret_cast<const QRgb*>(want.constScanLine(y));
        const auto* gotRow = reinterpret_cast<const QRgb*>(got.constScanLine(y));
        for (int x = 0; x < want.width(); ++x) {
            int distance = channelDistance(wantRow[x], gotRow[x]);
            if (coverageOf(wantRow[x]) != coverageOf(gotRow[x]))
                distance += kCoverageChanged;
            else if (distance <= tolerance)
                continue;
            ++differing;
            if (distance > worst) {
                worst = distance;
                worstAt = QPoint(x, y);
            }
        }
    }
    if (differing == 0)
        return std::nullopt;
    const QRgb wantPixel = reinterpret_cast<const QRgb*>(want.constScanLine(worstAt.y()))[worstAt.x()];
    const QRgb gotPixel = reinterpret_cast<const QRgb*>(got.constScanLine(worstAt.y()))[worstAt.x()];
    return QStringLiteral("%1 pixels differ beyond %2 units a channel or in coverage; the worst at (%3, %4): "
                          "%5 expected, %6 drawn (premultiplied ARGB)%7")
        .arg(differing)
        .arg(tolerance)
        .arg(worstAt.x())
        .arg(worstAt.y())
        .arg(hex(wantPixel), hex(gotPixel),
             coverageOf(wantPixel) != coverageOf(gotPixel) ? QStringLiteral(", fully clear or opaque in one only")
                                                           : QString())
        .toStdString();
}

} // namespace ostra::test
