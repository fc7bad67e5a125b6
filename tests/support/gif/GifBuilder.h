#pragma once

#include "support/gif/LzwEncoder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Builds whole GIF files for tests, block by block, in the order the calls
// are made:
//
//   GifBuilder().screen(4, 2).globalColors(4)
//       .graphicControl({.transparentIndex = 3})
//       .frame({.width = 4, .height = 2, .pixels = {0, 1, 2, 3, 3, 2, 1, 0}})
//       .build();
//
// Every field of Frame and GraphicControl has a default, so designated
// initializers name only what a test cares about.
//
// The header (signature, logical screen descriptor, global colour table) is
// written first whatever the call order; build() ends with the trailer
// unless noTrailer() was called.
namespace ostra::test {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// A palette of n distinct, easily told apart colours.
std::vector<Rgb> TestPalette(int n);

struct Frame {
    std::uint16_t left = 0;
    std::uint16_t top = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    // Width x height colour indices, rows from top to bottom; an interlaced
    // frame is reordered into the interlace passes by the writer.
    std::vector<std::uint8_t> pixels = {};
    bool interlaced = false;
    // A local colour table when not empty (padded with black to a power of two).
    std::vector<Rgb> localColors = {};
    LzwOptions lzw = {};
    // When set, written as the image data instead of encoding the pixels
    // (minimum code size byte, sub-blocks, terminator: whatever a test needs).
    std::optional<std::vector<std::uint8_t>> imageData = {};
};

struct GraphicControl {
    int disposal = 0;
    bool userInput = false;
    std::optional<std::uint8_t> transparentIndex = {};
    std::uint16_t delay = 0;
};

class GifBuilder {
public:
    GifBuilder& signature(std::string text); // six bytes, "GIF89a" by default
    GifBuilder& screen(std::uint16_t width, std::uint16_t height);
    GifBuilder& globalColors(int count); // TestPalette(count)
    GifBuilder& globalColorTable(std::vector<Rgb> colors);
    GifBuilder& background(std::uint8_t index);
    GifBuilder& aspectRatio(std::uint8_t value);

    GifBuilder& graphicControl(const GraphicControl& control);
    GifBuilder& comment(const std::string& text); // cut into sub-blocks of 255
    GifBuilder& loop(std::uint16_t loops);        // "NETSCAPE2.0" looping extension
    GifBuilder& application(const std::string& identifier, const std::vector<std::vector<std::uint8_t>>& subBlocks);
    // Any extension: introducer, label, the given sub-blocks, terminator.
    GifBuilder& extension(std::uint8_t label, const std::vector<std::vector<std::uint8_t>>& subBlocks);
    GifBuilder& frame(const Frame& frame);
    GifBuilder& raw(const std::vector<std::uint8_t>& bytes);
    GifBuilder& noTrailer();

    std::vector<std::uint8_t> build() const;

private:
    std::vector<std::uint8_t> header() const;

    std::string signature_ = "GIF89a";
    std::uint16_t screenWidth_ = 0;
    std::uint16_t screenHeight_ = 0;
    std::vector<Rgb> globalColors_;
    std::uint8_t background_ = 0;
    std::uint8_t aspectRatio_ = 0;
    bool trailer_ = true;
    std::vector<std::uint8_t> body_;
};

// Rows of a frame in the order an interlaced GIF stores them.
std::vector<std::uint8_t> InterlaceRows(const std::vector<std::uint8_t>& pixels, int width, int height);

} // namespace ostra::test
