#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// giflib (5.2) as the trusted peer: decodes a whole GIF file held in memory
// with DGifSlurp.
namespace ostra::test {

struct GiflibFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool interlaced = false;
    std::vector<std::uint8_t> pixels; // rows top to bottom
};

struct GiflibPicture {
    bool ok = false;
    std::string error; // giflib's error text when not ok
    int screenWidth = 0;
    int screenHeight = 0;
    std::vector<GiflibFrame> frames;
};

GiflibPicture DecodeWithGiflib(std::span<const std::uint8_t> bytes);

} // namespace ostra::test
