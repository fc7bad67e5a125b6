#include "support/gif/PixelPatterns.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace ostra::test {
namespace {

// A 4x4 Bayer matrix, in sixteenths, for the photograph-like dither.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

std::size_t pixelCount(int width, int height) { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }

} // namespace

std::vector<std::uint8_t> NoisePixels(int width, int height, int colors, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> pixels(pixelCount(width, height));
    for (auto& pixel : pixels) {
        pixel = static_cast<std::uint8_t>(random() % static_cast<unsigned>(colors));
    }
    return pixels;
}

std::vector<std::uint8_t> PhotoLikePixels(int width, int height, int colors, unsigned seed)
{
    std::mt19937 random(seed);
    // A few random waves make a smooth brightness field in [0, 1].
    double wave[3][3];
    for (auto& w : wave) {
        w[0] = 2.0 + static_cast<double>(random() % 1000) / 100.0;
        w[1] = 2.0 + static_cast<double>(random() % 1000) / 100.0;
        w[2] = static_cast<double>(random() % 628) / 100.0;
    }
    // Film grain: a few palette steps with many colours, under one with few.
    const double grain = std::max(0.5, colors / 64.0);
    std::vector<std::uint8_t> pixels(pixelCount(width, height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double u = static_cast<double>(x) / width;
            const double v = static_cast<double>(y) / height;
            double field = 0;
            for (const auto& w : wave) {
                field += std::sin(w[0] * u + w[2]) * std::cos(w[1] * v - w[2]);
            }
            const double level = (field / 3.0 + 1.0) / 2.0 * (colors - 1);
            const double noise = (static_cast<double>(random() % 1024) / 1023.0 - 0.5) * grain;
            const double dither = (kBayer[y % 4][x % 4] + 0.5) / 16.0 - 0.5 + noise;
            const int index = static_cast<int>(std::lround(level + dither));
            pixels[static_cast<std::size_t>(y) * width + x] = static_cast<std::uint8_t>(std::clamp(index, 0, colors - 1));
        }
    }
    return pixels;
}

std::vector<std::uint8_t> FlatPixels(int width, int height, int colors, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> pixels(pixelCount(width, height), 0);
    if (pixels.empty()) {
        return pixels;
    }
    const int rectangles = 8 + static_cast<int>(random() % 24);
    for (int r = 0; r < rectangles; ++r) {
        const int left = static_cast<int>(random() % static_cast<unsigned>(width));
        const int top = static_cast<int>(random() % static_cast<unsigned>(height));
        const int right = std::min(width, left + 1 + static_cast<int>(random() % static_cast<unsigned>(width)));
        const int bottom = std::min(height, top + 1 + static_cast<int>(random() % static_cast<unsigned>(height)));
        const auto color = static_cast<std::uint8_t>(random() % static_cast<unsigned>(colors));
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                pixels[static_cast<std::size_t>(y) * width + x] = color;
            }
        }
    }
    return pixels;
}

} // namespace ostra::test
