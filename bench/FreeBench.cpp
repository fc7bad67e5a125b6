// Loading and freeing a picture of many extensions: both should grow
// linearly with their number, and freeing should cost about what loading
// does. Each picture is a screen descriptor, n empty comment extensions
// (21 FE 00, three bytes each) and the trailer; they make one frame
// without an image. Each figure is the median of its rounds.
//
//   ostra-gif-free-bench [rounds]        (default 5)
#include "gif/GIFImage.h"
#include "gif/Stream.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

namespace ostra::bench {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::uint8_t> commentsPicture(std::size_t comments)
{
    std::vector<std::uint8_t> bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0};
    bytes.reserve(bytes.size() + 3 * comments + 1);
    for (std::size_t i = 0; i < comments; ++i)
        bytes.insert(bytes.end(), {0x21, 0xFE, 0x00});
    bytes.push_back(0x3B);
    return bytes;
}

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Timing {
    double load;
    double free;
};

Timing timeOnce(const std::vector<std::uint8_t>& file, std::size_t comments)
{
    auto picture = std::make_unique<TGIFImage>();
    TMemoryStream stream{std::span<const std::uint8_t>(file)};
    const Clock::time_point loadStart = Clock::now();
    picture->LoadFromStream(stream);
    const double load = millisecondsSince(loadStart);
    if (picture->Frames.Count() != 1 || picture->Frames[0].Extensions.Count() != comments) {
        std::fprintf(stderr, "the picture did not load as %zu comments\n", comments);
        std::exit(2);
    }
    const Clock::time_point freeStart = Clock::now();
    picture.reset();
    return {load, millisecondsSince(freeStart)};
}

} // namespace
} // namespace ostra::bench

int main(int argc, char** argv)
{
    using namespace ostra::bench;
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::printf("%10s %10s %10s %10s %8s\n", "comments", "bytes", "load ms", "free ms", "free/load");
    for (const std::size_t comments : {50'000u, 100'000u, 200'000u, 400'000u}) {
        const std::vector<std::uint8_t> file = commentsPicture(comments);
        std::vector<double> loads;
        std::vector<double> frees;
        for (int round = 0; round < rounds; ++round) {
            const Timing t = timeOnce(file, comments);
            loads.push_back(t.load);
            frees.push_back(t.free);
        }
        const double load = median(loads);
        const double free = median(frees);
        std::printf("%10zu %10zu %10.2f %10.2f %8.2f\n", comments, file.size(), load, free, free / load);
    }
    return 0;
}
