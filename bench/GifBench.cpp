// Decoding speed of the product's GIF reader against its peers (giflib,
// stb_image, Qt) on the same large pictures. The decoders take turns
// picture by picture and round by round, so that a busy machine slows them
// all alike; each figure is the median of its rounds.
//
//   ostra-gif-bench [rounds]        (default 9)
#include "bench/BenchPictures.h"
#include "bench/Decoders.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <vector>

namespace ostra::bench {
namespace {

constexpr std::size_t kDecoderCount = std::size(kDecoders);
constexpr double kOverallTarget = 1.5; // ours over giflib, whole set
constexpr double kPictureTarget = 1.0; // ours over giflib, every picture

using Seconds = std::vector<double>; // one entry per round

double timeOneDecode(const Decoder& decoder, const BenchPicture& picture)
{
    const auto start = std::chrono::steady_clock::now();
    const std::uint64_t sum = decoder.decode(picture.file);
    const auto stop = std::chrono::steady_clock::now();
    if (sum == 0) {
        std::fprintf(stderr, "%s could not decode %s\n", decoder.name.data(), picture.name.c_str());
        std::exit(2);
    }
    return std::chrono::duration<double>(stop - start).count();
}

double median(Seconds values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// times[picture][decoder]: the medians of all rounds.
std::vector<std::vector<double>> measure(const std::vector<BenchPicture>& pictures, int rounds)
{
    std::vector<std::vector<Seconds>> samples(pictures.size(), std::vector<Seconds>(kDecoderCount));
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t p = 0; p < pictures.size(); ++p) {
            for (std::size_t turn = 0; turn < kDecoderCount; ++turn) {
                const std::size_t d = (turn + static_cast<std::size_t>(round)) % kDecoderCount;
                samples[p][d].push_back(timeOneDecode(kDecoders[d], pictures[p]));
            }
        }
    }
    std::vector<std::vector<double>> medians(pictures.size());
    for (std::size_t p = 0; p < pictures.size(); ++p) {
        for (const Seconds& s : samples[p]) {
            medians[p].push_back(median(s));
        }
    }
    return medians;
}

// Our reader and giflib must agree on the pixels before their speed means anything.
bool decodersAgree(const std::vector<BenchPicture>& pictures)
{
    bool agree = true;
    for (const BenchPicture& picture : pictures) {
        if (DecodeWithOstra(picture.file) != DecodeWithGiflib(picture.file)) {
            std::fprintf(stderr, "ostra and giflib decode %s differently\n", picture.name.c_str());
            agree = false;
        }
    }
    return agree;
}

void printHeading()
{
    std::printf("%-22s %6s %8s", "picture", "MP", "KiB");
    for (const Decoder& decoder : kDecoders) {
        std::printf(" %10.*s", static_cast<int>(decoder.name.size()), decoder.name.data());
    }
    std::printf(" %13s\n", "ostra/giflib");
}

void printRow(const char* name, double megapixels, double kib, const std::vector<double>& seconds)
{
    std::printf("%-22s %6.2f %8.0f", name, megapixels, kib);
    for (const double s : seconds) {
        std::printf(" %10.1f", megapixels / s);
    }
    std::printf(" %13.2f\n", seconds[1] / seconds[0]);
}

// Prints MP/s per decoder and picture, then over the whole set; answers
// whether our reader met its targets against giflib.
bool report(const std::vector<BenchPicture>& pictures, const std::vector<std::vector<double>>& times)
{
    std::printf("Decoded megapixels per second (median of the rounds)\n");
    printHeading();
    std::vector<double> totalSeconds(kDecoderCount, 0.0);
    double totalMegapixels = 0;
    double totalKib = 0;
    double worstRatio = 1e9;
    for (std::size_t p = 0; p < pictures.size(); ++p) {
        const double kib = static_cast<double>(pictures[p].file.size()) / 1024.0;
        printRow(pictures[p].name.c_str(), pictures[p].megapixels(), kib, times[p]);
        for (std::size_t d = 0; d < kDecoderCount; ++d) {
            totalSeconds[d] += times[p][d];
        }
        totalMegapixels += pictures[p].megapixels();
        totalKib += kib;
        worstRatio = std::min(worstRatio, times[p][1] / times[p][0]);
    }
    printRow("whole set", totalMegapixels, totalKib, totalSeconds);
    const double overall = totalSeconds[1] / totalSeconds[0];
    const bool met = overall >= kOverallTarget && worstRatio >= kPictureTarget;
    std::printf("ostra/giflib: %.2f over the set (target %.1f), %.2f on the worst picture (target %.1f): %s\n", overall,
                kOverallTarget, worstRatio, kPictureTarget, met ? "target met" : "below target");
    return met;
}

} // namespace
} // namespace ostra::bench

int main(int argc, char** argv)
{
    using namespace ostra::bench;
    QCoreApplication app(argc, argv); // lets QImageReader find its GIF plug-in
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    const std::vector<BenchPicture> pictures = MakeBenchPictures();
    if (!decodersAgree(pictures)) {
        return 2;
    }
    const auto times = measure(pictures, rounds);
    return report(pictures, times) ? 0 : 1;
}
