#include "bench/Decoders.h"

#include <stb/stb_image.h>

namespace ostra::bench {

// stb_image decodes the first frame to RGBA, as a program displaying it would.
std::uint64_t DecodeWithStb(std::span<const std::uint8_t> file)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &channels, 0);
    if (pixels == nullptr) {
        return 0;
    }
    const std::uint64_t sum = SampleSum(pixels, static_cast<std::size_t>(width) * height * channels);
    stbi_image_free(pixels);
    return sum;
}

} // namespace ostra::bench
