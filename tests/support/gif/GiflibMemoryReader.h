#pragma once

#include <gif_lib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

// Feeds giflib's DGifOpen from a GIF file held in memory:
//
//   GiflibMemoryReader reader{bytes};
//   GifFileType* gif = DGifOpen(&reader, ReadGiflibMemory, &error);
namespace ostra::test {

struct GiflibMemoryReader {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
};

inline int ReadGiflibMemory(GifFileType* file, GifByteType* out, int wanted)
{
    auto* reader = static_cast<GiflibMemoryReader*>(file->UserData);
    const std::size_t count = std::min(static_cast<std::size_t>(wanted), reader->bytes.size() - reader->position);
    std::memcpy(out, reader->bytes.data() + reader->position, count);
    reader->position += count;
    return static_cast<int>(count);
}

} // namespace ostra::test
