#include "bench/Decoders.h"

#include <gif_lib.h>

#include "tests/support/gif/GiflibMemoryReader.h"

namespace ostra::bench {

std::uint64_t DecodeWithGiflib(std::span<const std::uint8_t> file)
{
    test::GiflibMemoryReader reader{file};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader, test::ReadGiflibMemory, &error);
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
