#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ostra::bench {

// One large single-frame GIF file, made in memory by the test writer.
struct BenchPicture {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> file;

    double megapixels() const { return static_cast<double>(width) * height / 1e6; }
};

// The benchmark set: photograph-like and flat-colour pictures with 256 and
// with few colours, one of them interlaced, and a screenshot of 8 colours;
// one and a half to four megapixels each.
std::vector<BenchPicture> MakeBenchPictures();

} // namespace ostra::bench
