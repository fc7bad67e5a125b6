#pragma once

#include "gif/GIFImage.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Helpers for tests that read small GIF pictures written out byte by byte.
namespace ostra::test {

using Bytes = std::vector<std::uint8_t>;

// Concatenates byte pieces: Join({header, frame, {0x3B}}).
Bytes Join(std::initializer_list<Bytes> pieces);

struct Warning {
    int Severity;
    std::string Message;
    friend bool operator==(const Warning&, const Warning&) = default;
};

// What one load of a picture left behind.
struct LoadResult {
    std::string Error; // empty when the load succeeded
    std::vector<Warning> Warnings;
    std::int64_t Position = 0; // of the stream after the load
};

// Loads bytes into picture, collecting warnings and the error text.
LoadResult Load(TGIFImage& picture, const Bytes& bytes);

// Only the warning texts, in order.
std::vector<std::string> Texts(const std::vector<Warning>& warnings);

// ---- Pieces of pictures used by several test files ----

// "GIF89a", screen width x height, global table of 2^(n+1) grey entries
// (no table when tableBits < 0).
Bytes Header(std::uint16_t width, std::uint16_t height, int tableBits = 1);

// Image descriptor at (0, 0) with no local table.
Bytes ImageDescriptor(std::uint16_t width, std::uint16_t height, std::uint8_t packed = 0);

// LZW codes packed least significant bit first: {value, width in bits}.
struct Code {
    int Value;
    int Width;
};
Bytes PackCodes(const std::vector<Code>& codes);

// Data cut into sub-blocks of at most size bytes, then the terminator.
Bytes SubBlocks(const Bytes& data, std::size_t size);

// A picture of one frame of the given size (screen of the same size, 4
// grey global colours), its image data as given, and the trailer.
Bytes OneFramePicture(std::uint16_t width, std::uint16_t height, const Bytes& imageData, std::uint8_t packed = 0);

// Image data of a 2 x 2 frame holding 0 1 / 2 3: minimum code size 2, the
// codes clear, 0, 1, 2, 3, end in one sub-block, the terminator.
Bytes TwoByTwoImageData();

} // namespace ostra::test
