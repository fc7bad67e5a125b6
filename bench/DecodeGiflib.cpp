#include "bench/Decoders.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace ostra::bench {
namespace {

struct MemoryReader {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
};

int readFromMemory(GifFileType* file, GifByteType* out, int wanted)
{
    auto* reader = static_cast<MemoryReader*>(file->UserData);
    const std::size_t count = std::min(static_cast<std::size_t>(wanted), reader->bytes.size() - reader->position);
    std::memcpy(out, reader->bytes.data() + reader->position, count);
    reader->position += count;
    return static_cast<int>(count);
}

} // namespace

std::uint64_t DecodeWithGiflib(std::span<const std::uint8_t> file)
{
    MemoryReader reader{file};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, readFromMemory, &error);
    if (gif == nullptr) {
        return 0;
    }
    std::uint64_t sum = 0;
    if (DGifSlurp(gif) == GIF_OK) {
        for (int i = 0; i < gif->ImageCount; ++i) {
            const SavedImage& image = gif->SavedImages[i];
            sum += SampleSum(image.RasterBits, static_cast<std::size_t>(image.ImageDesc.Width) * image.ImageDesc.Height);
        }
    }
    DGifCloseFile(gif, &error);
    return sum;
}

} // namespace ostra::bench
