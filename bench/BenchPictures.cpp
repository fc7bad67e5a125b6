#include "bench/BenchPictures.h"

#include "support/gif/GifBuilder.h"
#include "support/gif/PixelPatterns.h"

#include <algorithm>
#include <array>
#include <random>

namespace ostra::bench {
namespace {

enum class Pattern { PhotoLike, Flat, Screenshot };

struct PictureSpec {
    const char* name;
    Pattern pattern;
    std::uint16_t width;
    std::uint16_t height;
    int colors;
    bool interlaced;
};

constexpr PictureSpec kPictures[] = {
    {"photo-256", Pattern::PhotoLike, 2048, 1536, 256, false},
    {"photo-16", Pattern::PhotoLike, 2048, 1536, 16, false},
    {"photo-256-interlaced", Pattern::PhotoLike, 2048, 1536, 256, true},
    {"flat-256", Pattern::Flat, 2560, 1600, 256, false},
    {"flat-4", Pattern::Flat, 2560, 1600, 4, false},
    {"screenshot-8", Pattern::Screenshot, 1920, 1080, 8, false},
    {"photo-256-1500x1000", Pattern::PhotoLike, 1500, 1000, 256, false},
};

// Colours of the screenshot.
enum ScreenColor : std::uint8_t { Desktop, Window, TitleBar, Border, Text, Button, Selection, Icon };

using Pixels = std::vector<std::uint8_t>;

void fillRectangle(Pixels& pixels, int width, int left, int top, int right, int bottom, std::uint8_t color)
{
    for (int y = top; y < bottom; ++y)
        std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(y) * width + left, right - left, color);
}

// A 5 x 9 glyph, one bit per pixel, row by row.
using Glyph = std::array<std::uint8_t, 9>;

// Lines of words in one font of 26 glyphs, 7 pixels a letter, 16 pixels a line.
void drawText(Pixels& pixels, int width, int left, int top, int right, int bottom, const std::array<Glyph, 26>& font,
              std::mt19937& random)
{
    for (int line = top; line + 9 <= bottom; line += 16) {
        int x = left + static_cast<int>(random() % 8);
        for (int letters = 2 + static_cast<int>(random() % 9); x + 7 * letters <= right;
             letters = 2 + static_cast<int>(random() % 9)) {
            for (int i = 0; i < letters; ++i, x += 7) {
                const Glyph& glyph = font[random() % font.size()];
                for (int row = 0; row < 9; ++row)
                    for (int column = 0; column < 5; ++column)
                        if ((glyph[row] >> column & 1) != 0)
                            pixels[static_cast<std::size_t>(line + row) * width + x + column] = Text;
            }
            x += 7;
        }
    }
}

// A desktop with overlapping windows: title bars, borders, buttons, a
// selected line and text. Long runs of few colours, and the repeats of text.
Pixels screenshotPixels(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    std::array<Glyph, 26> font{};
    for (Glyph& glyph : font)
        for (std::uint8_t& row : glyph)
            row = static_cast<std::uint8_t>(random() & 0x1F);
    Pixels pixels(static_cast<std::size_t>(width) * height, Desktop);
    fillRectangle(pixels, width, 0, height - 40, width, height, TitleBar); // task bar
    for (int icon = 0; icon < 8; ++icon)
        fillRectangle(pixels, width, 24, 24 + icon * 96, 72, 72 + icon * 96, Icon);
    for (int window = 0; window < 6; ++window) {
        const int left = 100 + static_cast<int>(random() % static_cast<unsigned>(width / 2));
        const int top = static_cast<int>(random() % static_cast<unsigned>(height / 2));
        const int right = std::min(width - 1, left + 300 + static_cast<int>(random() % static_cast<unsigned>(width / 2)));
        const int bottom = std::min(height - 41, top + 200 + static_cast<int>(random() % static_cast<unsigned>(height / 2)));
        fillRectangle(pixels, width, left, top, right, bottom, Border);
        fillRectangle(pixels, width, left + 1, top + 1, right - 1, top + 25, TitleBar);
        fillRectangle(pixels, width, left + 1, top + 25, right - 1, bottom - 1, Window);
        fillRectangle(pixels, width, right - 70, top + 5, right - 50, top + 21, Button);
        fillRectangle(pixels, width, right - 45, top + 5, right - 25, top + 21, Button);
        fillRectangle(pixels, width, left + 1, top + 61, right - 1, top + 77, Selection);
        drawText(pixels, width, left + 8, top + 32, right - 8, bottom - 8, font, random);
    }
    return pixels;
}

// The code size an encoder picks for the palette, not for the colours used.
int codeSizeFor(int colors)
{
    int size = 2;
    while ((1 << size) < colors) {
        ++size;
    }
    return size;
}

BenchPicture makePicture(const PictureSpec& recipe, unsigned seed)
{
    Pixels pixels;
    switch (recipe.pattern) {
    case Pattern::PhotoLike:
        pixels = test::PhotoLikePixels(recipe.width, recipe.height, recipe.colors, seed);
        break;
    case Pattern::Flat:
        pixels = test::FlatPixels(recipe.width, recipe.height, recipe.colors, seed);
        break;
    case Pattern::Screenshot:
        pixels = screenshotPixels(recipe.width, recipe.height, seed);
        break;
    }
    test::LzwOptions lzw;
    lzw.minimumCodeSize = codeSizeFor(recipe.colors);
    auto file = test::GifBuilder()
                    .screen(recipe.width, recipe.height)
                    .globalColors(recipe.colors)
                    .frame({.width = recipe.width, .height = recipe.height, .pixels = std::move(pixels),
                            .interlaced = recipe.interlaced, .lzw = lzw})
                    .build();
    return {recipe.name, recipe.width, recipe.height, std::move(file)};
}

} // namespace

std::vector<BenchPicture> MakeBenchPictures()
{
    std::vector<BenchPicture> pictures;
    unsigned seed = 1;
    for (const PictureSpec& recipe : kPictures) {
        pictures.push_back(makePicture(recipe, seed++));
    }
    return pictures;
}

} // namespace ostra::bench
