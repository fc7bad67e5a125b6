#include "bench/BenchPictures.h"

#include "support/gif/GifBuilder.h"
#include "support/gif/PixelPatterns.h"

namespace ostra::bench {
namespace {

enum class Pattern { PhotoLike, Flat };

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
};

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
    std::vector<std::uint8_t> pixels = recipe.pattern == Pattern::PhotoLike
                                           ? test::PhotoLikePixels(recipe.width, recipe.height, recipe.colors, seed)
                                           : test::FlatPixels(recipe.width, recipe.height, recipe.colors, seed);
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
