#include "bench/Decoders.h"

#include "gif/GIFImage.h"

namespace ostra::bench {

std::uint64_t DecodeWithOstra(std::span<const std::uint8_t> file)
{
    TGIFImage picture;
    TMemoryStream stream(file);
    try {
        picture.LoadFromStream(stream);
    } catch (const GIFException&) {
        return 0;
    }
    std::uint64_t sum = 0;
    for (const TGIFSubImage& frame : picture.Frames) {
        sum += SampleSum(frame.PixelData.data(), frame.PixelData.size());
    }
    return sum;
}

} // namespace ostra::bench
