#include "RenderTestSupport.h"

#include "gif/Stream.h"

namespace ostra::test {

std::unique_ptr<TGIFImage> LoadPicture(const std::vector<std::uint8_t>& bytes)
{
    auto picture = std::make_unique<TGIFImage>();
    TMemoryStream stream(bytes);
    picture->LoadFromStream(stream);
    return picture;
}

QRgb ToQRgb(const Rgb& color)
{
    return qRgb(color.r, color.g, color.b);
}

QImage Canvas(int width, int height, QRgb fill)
{
    QImage canvas(width, height, QImage::Format_ARGB32);
    canvas.fill(fill);
    return canvas;
}

std::vector<QRgb> Pixels(const QImage& image)
{
    std::vector<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (QRgb pixel : Row(image, y))
            pixels.push_back(pixel);
    return pixels;
}

std::vector<QRgb> Row(const QImage& image, int y)
{
    std::vector<QRgb> row;
    for (int x = 0; x < image.width(); ++x)
        row.push_back(image.pixel(x, y));
    return row;
}

std::vector<std::uint8_t> Indices(const QImage& indexed)
{
    std::vector<std::uint8_t> indices;
    for (int y = 0; y < indexed.height(); ++y)
        for (int x = 0; x < indexed.width(); ++x)
            indices.push_back(static_cast<std::uint8_t>(indexed.pixelIndex(x, y)));
    return indices;
}

std::vector<int> MaskBits(const QImage& mask)
{
    std::vector<int> bits;
    for (int y = 0; y < mask.height(); ++y) {
        const uchar* line = mask.constScanLine(y);
        for (int x = 0; x < mask.width(); ++x)
            bits.push_back((line[x >> 3] >> (7 - (x & 7))) & 1);
    }
    return bits;
}

} // namespace ostra::test
