#include "bench/Decoders.h"

#include "gif/GIFImage.h"

namespace ostra::bench {
namespace {

// Loads the file and hands each frame's pixels to visit; false when the load fails.
template <class Visit>
bool decode(std::span<const std::uint8_t> file, Visit visit)
{
    TGIFImage picture;
    TMemoryStream stream(file);
    try {
        picture.LoadFromStream(stream);
    } catch (const GIFException&) {
        return false;
    }
    for (const TGIFSubImage& frame : picture.Frames) {
        visit(frame.PixelData.data(), frame.PixelData.size());
    }
    return true;
}

} // namespace

std::uint64_t DecodeWithOstra(std::span<const std::uint8_t> file)
{
    std::uint64_t sum = 0;
    decode(file, [&](const std::uint8_t* pixels, std::size_t count) { sum += SampleSum(pixels, count); });
    return sum;
}

Frames FramesWithOstra(std::span<const std::uint8_t> file)
{
    Frames frames;
    if (!decode(file, [&](const std::uint8_t* pixels, std::size_t count) { frames.emplace_back(pixels, pixels + count); })) {
        frames.clear();
    }
    return frames;
}

} // namespace ostra::bench
