#pragma once

#include <cstdint>
#include <vector>

// Reproducible pictures (width x height colour indices below `colors`,
// rows top to bottom) for the writer's users. The same seed gives the same
// pixels on every machine: only std::mt19937's raw output is used.
namespace ostra::test {

// Every pixel independent: the worst case for LZW, lots of short strings.
std::vector<std::uint8_t> NoisePixels(int width, int height, int colors, unsigned seed);

// Smooth shading with a little ordered noise, like a dithered photograph
// reduced to a palette: medium-length strings.
std::vector<std::uint8_t> PhotoLikePixels(int width, int height, int colors, unsigned seed);

// Large rectangles of flat colour, like a diagram or a logo: long runs that
// fill the string table with long strings.
std::vector<std::uint8_t> FlatPixels(int width, int height, int colors, unsigned seed);

} // namespace ostra::test
