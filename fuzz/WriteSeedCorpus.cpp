// Writes the GIF fuzzer's seed corpus: small pictures from the test writer
// that between them reach every block kind and every shape of LZW data.
//
//   ostra-gif-fuzz-seeds <directory>
#include "support/gif/GifBuilder.h"
#include "support/gif/PixelPatterns.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace ostra::test;
using Bytes = std::vector<std::uint8_t>;

Frame noiseFrame(std::uint16_t width, std::uint16_t height, int colors, LzwOptions lzw = {})
{
    return {.width = width, .height = height, .pixels = NoisePixels(width, height, colors, width * 31u + height),
            .lzw = std::move(lzw)};
}

Bytes deferredClear()
{
    LzwOptions lzw;
    lzw.fullTable = FullTablePolicy::DeferredClear;
    lzw.deferredCodes = 40;
    return GifBuilder().screen(72, 60).globalColors(256).frame(noiseFrame(72, 60, 256, lzw)).build();
}

Bytes oddLzwShapes()
{
    LzwOptions bare;
    bare.leadingClear = false;
    bare.endCode = false;
    bare.subBlockSizes = {1, 2, 255};
    LzwOptions tiny;
    tiny.subBlockSizes = {1};
    tiny.minimumCodeSize = 8;
    return GifBuilder().screen(12, 9).globalColors(8).frame(noiseFrame(12, 9, 8, bare)).frame(noiseFrame(5, 4, 2, tiny)).build();
}

Bytes animation()
{
    Frame interlaced{.left = 2, .top = 1, .width = 9, .height = 9, .pixels = PhotoLikePixels(9, 9, 16, 3),
                     .interlaced = true, .localColors = TestPalette(16)};
    return GifBuilder()
        .screen(16, 12)
        .globalColors(4)
        .loop(0)
        .comment("seed")
        .graphicControl({.disposal = 1, .transparentIndex = 2, .delay = 5})
        .frame(noiseFrame(16, 12, 4))
        .graphicControl({.disposal = 2, .userInput = true, .delay = 7})
        .frame(interlaced)
        .comment("before the trailer")
        .build();
}

Bytes oddBlocks()
{
    const std::vector<std::vector<std::uint8_t>> text = {{0, 0, 0, 0, 8, 0, 8, 0, 4, 4, 1, 0}, {'h', 'i'}};
    return GifBuilder()
        .signature("GIF87a")
        .screen(4, 4)
        .globalColors(2)
        .application("ANIMEXTS1.0", {{1, 3, 0}, {2, 0, 16, 0, 0}})
        .application("XMPDataXMP", {{'x'}})
        .extension(0x01, text)
        .raw({0, 0})
        .frame({.width = 0, .height = 4, .imageData = Bytes{2, 2, 0x44, 0x01, 0}})
        .build();
}

Bytes truncated()
{
    Bytes file = GifBuilder().screen(30, 20).globalColors(64).frame(noiseFrame(30, 20, 64)).build();
    file.resize(file.size() * 2 / 3);
    return file;
}

Bytes prefixed()
{
    Bytes file{'J', 'U', 'N', 'K'};
    const Bytes gif = GifBuilder().screen(1, 1).globalColors(2).frame(noiseFrame(1, 1, 2)).build();
    file.insert(file.end(), gif.begin(), gif.end());
    return file;
}

const std::vector<std::pair<std::string, std::function<Bytes()>>> kSeeds = {
    {"one-pixel.gif", [] { return GifBuilder().screen(1, 1).globalColors(2).frame(noiseFrame(1, 1, 2)).build(); }},
    {"photo-256.gif", [] { return GifBuilder().screen(40, 30).globalColors(256).frame({.width = 40, .height = 30, .pixels = PhotoLikePixels(40, 30, 256, 1)}).build(); }},
    {"deferred-clear.gif", deferredClear},
    {"odd-lzw-shapes.gif", oddLzwShapes},
    {"animation.gif", animation},
    {"odd-blocks.gif", oddBlocks},
    {"truncated.gif", truncated},
    {"prefixed.gif", prefixed},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <directory>\n", argv[0]);
        return 2;
    }
    for (const auto& [name, make] : kSeeds) {
        const Bytes bytes = make();
        std::ofstream out(std::string(argv[1]) + "/" + name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
