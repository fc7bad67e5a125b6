#pragma once

#include "support/gif/LzwEncoder.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// The pictures of the differential test, described by small specs (cheap to
// list, built only when a test runs). Every list is reproducible: the
// random ones come from fixed seeds.
namespace ostra::test {

enum class Pattern { Noise, PhotoLike, Flat };

struct FrameSpec {
    std::uint16_t left = 0;
    std::uint16_t top = 0;
    std::uint16_t width = 1;
    std::uint16_t height = 1;
    Pattern pattern = Pattern::Noise;
    int colors = 4; // pixel values stay below this
    bool interlaced = false;
    bool localTable = false;
    std::optional<std::uint8_t> transparentIndex = {};
    LzwOptions lzw = {};
    unsigned seed = 1;
};

struct PictureSpec {
    std::string name; // letters, digits and underscores: a test name
    std::uint16_t screenWidth = 1;
    std::uint16_t screenHeight = 1;
    int globalColors = 4;
    bool loopExtension = false;
    std::string comment = {};
    std::vector<FrameSpec> frames = {};
    // Data without an end code is legal but leaves the reader one code
    // short at the end; only the pixels are compared for it.
    bool wellFormed = true;
};

inline void PrintTo(const PictureSpec& recipe, std::ostream* out) { *out << recipe.name; }

struct BuiltPicture {
    std::vector<std::uint8_t> file;
    std::vector<std::vector<std::uint8_t>> framePixels; // as written, rows top to bottom
};

BuiltPicture BuildPicture(const PictureSpec& recipe);

std::vector<PictureSpec> CodeSizeAndSizeCases();
std::vector<PictureSpec> InterlacedCases();
std::vector<PictureSpec> FullTableCases();
std::vector<PictureSpec> SubBlockCases();
std::vector<PictureSpec> ClearAndEndCodeCases();
std::vector<PictureSpec> MultiFrameCases();
std::vector<PictureSpec> RandomCases();

} // namespace ostra::test
