#include "ImageCompare.h"

#include <array>
#include <cstdio>

namespace ostra::conformance {

namespace {

using Pixel = std::array<int, 4>;

std::string hex(const Pixel& p, int channels)
{
    char text[10];
    if (channels == 4)
        std::snprintf(text, sizeof text, "#%02x%02x%02x%02x", p[0], p[1], p[2], p[3]);
    else
        std::snprintf(text, sizeof text, "#%02x%02x%02x", p[0], p[1], p[2]);
    return text;
}

bool samePixel(const Pixel& a, const Pixel& b, int channels)
{
    if (channels == 4 && a[3] == 0 && b[3] == 0)
        return true;
    for (int c = 0; c < channels; ++c)
        if (a[c] != b[c])
            return false;
    return true;
}

std::optional<std::string> compare(const QImage& canvas, const QByteArray& expected, int channels)
{
    const QImage image = canvas.convertToFormat(QImage::Format_ARGB32);
    const qsizetype size = static_cast<qsizetype>(image.width()) * image.height() * channels;
    if (expected.size() != size)
        return "expected " + std::to_string(expected.size()) + " bytes of pixels, the canvas makes " +
               std::to_string(size);
    int differing = 0;
    std::string first;
    const auto* bytes = reinterpret_cast<const unsigned char*>(expected.constData());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb got = image.pixel(x, y);
            const Pixel ours{qRed(got), qGreen(got), qBlue(got), qAlpha(got)};
            const unsigned char* e = bytes + (static_cast<qsizetype>(y) * image.width() + x) * channels;
            const Pixel theirs{e[0], e[1], e[2], channels == 4 ? e[3] : 255};
            if (samePixel(ours, theirs, channels))
                continue;
            if (differing++ == 0)
                first = "(" + std::to_string(x) + "," + std::to_string(y) + ") is " + hex(ours, channels) +
                        ", expected " + hex(theirs, channels);
        }
    if (differing == 0)
        return std::nullopt;
    return std::to_string(differing) + " pixels differ, first " + first;
}

} // namespace

std::optional<std::string> CompareRgba(const QImage& canvas, const QByteArray& expected)
{
    return compare(canvas, expected, 4);
}

std::optional<std::string> CompareRgb(const QImage& canvas, const QByteArray& expected)
{
    return compare(canvas, expected, 3);
}

} // namespace ostra::conformance
