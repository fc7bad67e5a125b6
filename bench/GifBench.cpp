// Decoding speed of the product's GIF reader against its peers (giflib,
// stb_image, Qt) on the same large pictures. The decoders take turns
// picture by picture and round by round, so that a busy machine slows them
// all alike; each figure is the median of its rounds. A decode is timed by
// the processor time of its thread: on a shared machine, time spent waiting
// for a processor would otherwise land on whichever decoder was running.
//
// Before any timing, our reader's output is compared with giflib's byte for
// byte, every frame of every picture; then the peak heap use of one decode
// is measured for each decoder.
//
//   ostra-gif-bench [rounds]        (default 9)
#include "bench/AllocationCount.h"
#include "bench/BenchPictures.h"
#include "bench/Decoders.h"

#include "gif/LZWDecoder.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <string>
#include <vector>

namespace ostra::bench {
namespace {

constexpr std::size_t kDecoderCount = std::size(kDecoders);
constexpr double kOverallTarget = 3.5; // ours over giflib, whole set
constexpr double kPictureTarget = 2.5; // ours over giflib, every picture

using Seconds = std::vector<double>; // one entry per round

double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void failToDecode(const Decoder& decoder, const BenchPicture& picture)
{
    std::fprintf(stderr, "%s could not decode %s\n", decoder.name.data(), picture.name.c_str());
    std::exit(2);
}

double timeOneDecode(const Decoder& decoder, const BenchPicture& picture)
{
    const double start = threadSeconds();
    const std::uint64_t sum = decoder.decode(picture.file);
    const double stop = threadSeconds();
    if (sum == 0) {
        failToDecode(decoder, picture);
    }
    return stop - start;
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

// "" when equal, else where the first difference lies.
std::string firstDifference(const Frames& ours, const Frames& theirs)
{
    if (ours.size() != theirs.size()) {
        return std::to_string(ours.size()) + " frames instead of " + std::to_string(theirs.size());
    }
    for (std::size_t f = 0; f < ours.size(); ++f) {
        if (ours[f].size() != theirs[f].size()) {
            return "frame " + std::to_string(f) + ": " + std::to_string(ours[f].size()) + " bytes instead of " +
                   std::to_string(theirs[f].size());
        }
        const auto [mine, peer] = std::mismatch(ours[f].begin(), ours[f].end(), theirs[f].begin());
        if (mine != ours[f].end()) {
            return "frame " + std::to_string(f) + ", byte " + std::to_string(mine - ours[f].begin()) + ": " +
                   std::to_string(*mine) + " instead of " + std::to_string(*peer);
        }
    }
    return "";
}

// Our reader and giflib must agree on every output byte before their speed
// means anything.
bool decodersAgree(const std::vector<BenchPicture>& pictures)
{
    bool agree = true;
    std::size_t bytes = 0;
    for (const BenchPicture& picture : pictures) {
        const Frames ours = FramesWithOstra(picture.file);
        const Frames theirs = FramesWithGiflib(picture.file);
        const std::string difference = theirs.empty() ? "giflib could not decode it" : firstDifference(ours, theirs);
        if (!difference.empty()) {
            std::fprintf(stderr, "ostra and giflib decode %s differently: %s\n", picture.name.c_str(), difference.c_str());
            agree = false;
        }
        for (const auto& frame : theirs) {
            bytes += frame.size();
        }
    }
    if (agree) {
        std::printf("ostra and giflib agree on all %zu output bytes\n\n", bytes);
    }
    return agree;
}

// The heap high-water mark of one decode, above what was in use before it,
// for each decoder and picture. Our decoder's state (sizeof(TLZWDecoder))
// lives on the stack instead and is printed apart.
void reportPeakMemory(const std::vector<BenchPicture>& pictures)
{
    std::printf("Peak heap use of one decode, KiB (ostra's decoder state: %zu KiB more, on the stack)\n",
                sizeof(TLZWDecoder) / 1024);
    std::printf("%-22s %8s", "picture", "pixels");
    for (const Decoder& decoder : kDecoders) {
        std::printf(" %10.*s", static_cast<int>(decoder.name.size()), decoder.name.data());
    }
    std::printf("\n");
    for (const BenchPicture& picture : pictures) {
        std::printf("%-22s %8.0f", picture.name.c_str(), static_cast<double>(picture.width) * picture.height / 1024.0);
        for (const Decoder& decoder : kDecoders) {
            const std::int64_t before = StartPeakCount();
            if (decoder.decode(picture.file) == 0) {
                failToDecode(decoder, picture);
            }
            std::printf(" %10.0f", static_cast<double>(PeakBytesSince(before)) / 1024.0);
        }
        std::printf("\n");
    }
    std::printf("\n");
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
    std::printf("Decoded megapixels per processor second (median of the rounds)\n");
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
    reportPeakMemory(pictures);
    const auto times = measure(pictures, rounds);
    return report(pictures, times) ? 0 : 1;
}
