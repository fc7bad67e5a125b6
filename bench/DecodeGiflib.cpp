#include "bench/Decoders.h"

#include <gif_lib.h>

#include "support/gif/GiflibMemoryReader.h"

namespace ostra::bench {
namespace {

// DGifSlurp reads every frame (and puts interlaced rows in order); each
// frame's pixels go to visit. False when the file does not decode.
template <class Visit>
bool decode(std::span<const std::uint8_t> file, Visit visit)
{
    test::GiflibMemoryReader reader{file};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, test::ReadGiflibMemory, &error);
    if (gif == nullptr) {
        return false;
    }
    const bool ok = DGifSlurp(gif) == GIF_OK;
    if (ok) {
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& image = gif->SavedImages[i];
            visit(image.RasterBits, static_cast<std::size_t>(image.ImageDesc.Width) * image.ImageDesc.Height);
        }
    }
    DGifCloseFile(gif, &error);
    return ok;
}

} // namespace

std::uint64_t DecodeWithGiflib(std::span<const std::uint8_t> file)
{
    std::uint64_t sum = 0;
    decode(file, [&](const std::uint8_t* pixels, std::size_t count) { sum += SampleSum(pixels, count); });
    return sum;
}

Frames FramesWithGiflib(std::span<const std::uint8_t> file)
{
    Frames frames;
    if (!decode(file, [&](const std::uint8_t* pixels, std::size_t count) { frames.emplace_back(pixels, pixels + count); })) {
        frames.clear();
    }
    return frames;
}

} // namespace ostra::bench
