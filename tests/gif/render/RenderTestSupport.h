#pragma once

#include "gif/GIFImage.h"
#include "gif/render/Drawing.h"
#include "support/gif/GifBuilder.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Helpers for the renderer's tests: pictures built by the test writer and
// read back, canvases, and pixels read out of images.
namespace ostra::test {

// Reads a picture from GIF bytes (GifBuilder().....build()).
std::unique_ptr<TGIFImage> LoadPicture(const std::vector<std::uint8_t>& bytes);

QRgb ToQRgb(const Rgb& color);

// A canvas of the given size filled with one colour.
QImage Canvas(int width, int height, QRgb fill);

// The colour of every pixel, rows from top to bottom.
std::vector<QRgb> Pixels(const QImage& image);
// One row of colours.
std::vector<QRgb> Row(const QImage& image, int y);
// The index of every pixel of an indexed image, rows from top to bottom.
std::vector<std::uint8_t> Indices(const QImage& indexed);
// 1 where a mask bit is set, rows from top to bottom.
std::vector<int> MaskBits(const QImage& mask);

// Colours that are easy to tell apart in failure messages.
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr QRgb kPaper = 0xFFFF00FF; // what canvases start as

// The same colours as canvas pixels, one letter each, so that expected rows
// of pixels read like the pictures they describe.
inline constexpr QRgb R = 0xFFFF0000;
inline constexpr QRgb G = 0xFF00FF00;
inline constexpr QRgb B = 0xFF0000FF;
inline constexpr QRgb W = 0xFFFFFFFF;
inline constexpr QRgb P = kPaper;

} // namespace ostra::test
