#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace ostra::bench {

// One GIF decoder under test. decode() reads a whole file held in memory
// and answers a checksum of the decoded pixels, so that the work cannot be
// optimised away and a decoder that silently fails shows up.
struct Decoder {
    std::string_view name;
    std::uint64_t (*decode)(std::span<const std::uint8_t> file);
};

std::uint64_t DecodeWithOstra(std::span<const std::uint8_t> file);   // TGIFImage::LoadFromStream
std::uint64_t DecodeWithGiflib(std::span<const std::uint8_t> file);  // DGifSlurp
std::uint64_t DecodeWithStb(std::span<const std::uint8_t> file);     // stbi_load_from_memory
std::uint64_t DecodeWithQt(std::span<const std::uint8_t> file);      // QImageReader

// Every frame's colour indices, rows top to bottom, for the comparison of
// every output byte; empty when the file does not decode.
using Frames = std::vector<std::vector<std::uint8_t>>;
Frames FramesWithOstra(std::span<const std::uint8_t> file);
Frames FramesWithGiflib(std::span<const std::uint8_t> file);

// Ours first, giflib second: the report compares the first with the second.
inline constexpr Decoder kDecoders[] = {
    {"ostra", DecodeWithOstra},
    {"giflib", DecodeWithGiflib},
    {"stb_image", DecodeWithStb},
    {"Qt", DecodeWithQt},
};

// A cheap checksum that touches one byte in 64 (every decoder pays the same),
// only there to keep the work from being optimised away.
inline std::uint64_t SampleSum(const std::uint8_t* bytes, std::size_t count)
{
    std::uint64_t sum = count;
    for (std::size_t i = 0; i < count; i += 64) {
        sum += bytes[i];
    }
    return sum;
}

} // namespace ostra::bench
