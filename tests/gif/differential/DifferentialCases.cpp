#include "gif/differential/DifferentialCases.h"

#include "support/gif/GifBuilder.h"
#include "support/gif/PixelPatterns.h"

#include <random>

namespace ostra::test {
namespace {

std::string size(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

const char* patternName(Pattern pattern)
{
    switch (pattern) {
    case Pattern::Noise: return "Noise";
    case Pattern::PhotoLike: return "Photo";
    case Pattern::Flat: return "Flat";
    }
    return "";
}

std::vector<std::uint8_t> pixelsFor(const FrameSpec& frame)
{
    switch (frame.pattern) {
    case Pattern::Noise: return NoisePixels(frame.width, frame.height, frame.colors, frame.seed);
    case Pattern::PhotoLike: return PhotoLikePixels(frame.width, frame.height, frame.colors, frame.seed);
    case Pattern::Flat: return FlatPixels(frame.width, frame.height, frame.colors, frame.seed);
    }
    return {};
}

// One frame filling the screen, with the palette's full code size.
PictureSpec singleFrame(std::string name, std::uint16_t width, std::uint16_t height, int codeSize, Pattern pattern,
                        unsigned seed)
{
    FrameSpec frame{.width = width, .height = height, .pattern = pattern, .colors = 1 << codeSize, .seed = seed};
    frame.lzw.minimumCodeSize = codeSize;
    return {.name = std::move(name), .screenWidth = width, .screenHeight = height, .globalColors = 1 << codeSize,
            .frames = {frame}};
}

std::vector<int> randomSubBlockSizes(std::mt19937& random)
{
    std::vector<int> sizes;
    const int count = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < count; ++i) {
        sizes.push_back(1 + static_cast<int>(random() % 255));
    }
    return sizes;
}

LzwOptions randomLzw(std::mt19937& random, int codeSize)
{
    LzwOptions lzw;
    lzw.minimumCodeSize = codeSize;
    lzw.leadingClear = random() % 4 != 0;
    if (random() % 3 == 0) {
        lzw.fullTable = FullTablePolicy::DeferredClear;
        if (random() % 2 == 0) {
            lzw.deferredCodes = 1 + static_cast<int>(random() % 2000);
        }
    }
    if (random() % 3 == 0) {
        lzw.subBlockSizes = randomSubBlockSizes(random);
    }
    return lzw;
}

std::uint16_t randomLength(std::mt19937& random, int largest)
{
    // Half small (edges come from small sizes), half up to the largest.
    const int limit = random() % 2 == 0 ? largest : 24;
    return static_cast<std::uint16_t>(1 + random() % static_cast<unsigned>(limit));
}

FrameSpec randomFrame(std::mt19937& random, std::uint16_t screenWidth, std::uint16_t screenHeight, int codeSize)
{
    FrameSpec frame;
    frame.width = static_cast<std::uint16_t>(1 + random() % screenWidth);
    frame.height = static_cast<std::uint16_t>(1 + random() % screenHeight);
    frame.left = static_cast<std::uint16_t>(random() % static_cast<unsigned>(screenWidth - frame.width + 1));
    frame.top = static_cast<std::uint16_t>(random() % static_cast<unsigned>(screenHeight - frame.height + 1));
    frame.pattern = static_cast<Pattern>(random() % 3);
    frame.colors = 1 << codeSize;
    frame.interlaced = random() % 3 == 0;
    frame.localTable = random() % 2 == 0;
    if (random() % 3 == 0) {
        frame.transparentIndex = static_cast<std::uint8_t>(random() % static_cast<unsigned>(frame.colors));
    }
    frame.lzw = randomLzw(random, codeSize);
    frame.seed = static_cast<unsigned>(random());
    return frame;
}

} // namespace

BuiltPicture BuildPicture(const PictureSpec& recipe)
{
    GifBuilder builder;
    builder.screen(recipe.screenWidth, recipe.screenHeight).globalColors(recipe.globalColors);
    if (recipe.loopExtension) {
        builder.loop(0);
    }
    BuiltPicture built;
    for (const FrameSpec& frame : recipe.frames) {
        if (frame.transparentIndex) {
            builder.graphicControl({.disposal = 1, .transparentIndex = frame.transparentIndex, .delay = 4});
        }
        Frame written{.left = frame.left, .top = frame.top, .width = frame.width, .height = frame.height,
                      .pixels = pixelsFor(frame), .interlaced = frame.interlaced, .lzw = frame.lzw};
        if (frame.localTable) {
            written.localColors = TestPalette(frame.colors);
        }
        builder.frame(written);
        built.framePixels.push_back(std::move(written.pixels));
    }
    if (!recipe.comment.empty()) {
        builder.comment(recipe.comment);
    }
    built.file = builder.build();
    return built;
}

// Every code size from 2 to 8 at sizes from a single pixel to large.
std::vector<PictureSpec> CodeSizeAndSizeCases()
{
    struct Size {
        std::uint16_t width, height;
    };
    const Size sizes[] = {{1, 1}, {1, 7}, {13, 1}, {5, 3}, {64, 48}, {333, 211}};
    std::vector<PictureSpec> cases;
    unsigned seed = 100;
    for (int codeSize = 2; codeSize <= 8; ++codeSize) {
        for (const Size& s : sizes) {
            const auto pattern = static_cast<Pattern>(seed % 3);
            cases.push_back(singleFrame("CodeSize" + std::to_string(codeSize) + "_" + size(s.width, s.height) + "_" +
                                            patternName(pattern),
                                        s.width, s.height, codeSize, pattern, seed++));
        }
    }
    for (const int codeSize : {2, 5, 8}) {
        cases.push_back(singleFrame("Large_CodeSize" + std::to_string(codeSize), 1280, 960, codeSize, Pattern::PhotoLike, seed++));
    }
    cases.push_back(singleFrame("Large_Flat", 1600, 1200, 8, Pattern::Flat, seed++));
    return cases;
}

// Heights 1 to 9 write every pass in its shortest forms; a tall one all passes in full.
std::vector<PictureSpec> InterlacedCases()
{
    std::vector<PictureSpec> cases;
    unsigned seed = 200;
    for (int height = 1; height <= 9; ++height) {
        for (const std::uint16_t width : {1, 7, 64}) {
            const int codeSize = 2 + static_cast<int>(seed % 7);
            PictureSpec recipe = singleFrame("Interlaced_" + size(width, height) + "_CodeSize" + std::to_string(codeSize), width,
                                           static_cast<std::uint16_t>(height), codeSize, static_cast<Pattern>(seed % 3), seed);
            recipe.frames[0].interlaced = true;
            cases.push_back(recipe);
            ++seed;
        }
    }
    PictureSpec tall = singleFrame("Interlaced_300x517", 300, 517, 8, Pattern::PhotoLike, seed);
    tall.frames[0].interlaced = true;
    cases.push_back(tall);
    return cases;
}

// Noise fills the 4096-entry table many times: cleared at once, never, or late.
std::vector<PictureSpec> FullTableCases()
{
    struct Policy {
        const char* name;
        FullTablePolicy policy;
        std::optional<int> deferredCodes;
    };
    const Policy policies[] = {{"ClearAtOnce", FullTablePolicy::Clear, {}},
                               {"DeferredNeverCleared", FullTablePolicy::DeferredClear, {}},
                               {"DeferredOneCode", FullTablePolicy::DeferredClear, 1},
                               {"Deferred777Codes", FullTablePolicy::DeferredClear, 777}};
    std::vector<PictureSpec> cases;
    unsigned seed = 300;
    for (int codeSize = 2; codeSize <= 8; ++codeSize) {
        for (const Policy& p : policies) {
            PictureSpec recipe = singleFrame(std::string("FullTable_") + p.name + "_CodeSize" + std::to_string(codeSize), 256,
                                           codeSize <= 4 ? 512 : 200, codeSize, Pattern::Noise, seed++);
            recipe.frames[0].lzw.fullTable = p.policy;
            recipe.frames[0].lzw.deferredCodes = p.deferredCodes;
            cases.push_back(recipe);
        }
    }
    return cases;
}

// Codes split across one-byte sub-blocks, maximal sub-blocks and odd mixes.
std::vector<PictureSpec> SubBlockCases()
{
    const std::pair<const char*, std::vector<int>> layouts[] = {
        {"OneByte", {1}}, {"Maximal", {255}}, {"OneThenMaximal", {1, 255}}, {"TwoAndThree", {2, 3}}};
    std::vector<PictureSpec> cases;
    unsigned seed = 400;
    for (int codeSize = 2; codeSize <= 8; ++codeSize) {
        for (const auto& [name, sizes] : layouts) {
            PictureSpec recipe = singleFrame(std::string("SubBlocks_") + name + "_CodeSize" + std::to_string(codeSize), 97, 61,
                                           codeSize, static_cast<Pattern>(seed % 3), seed);
            recipe.frames[0].lzw.subBlockSizes = sizes;
            cases.push_back(recipe);
            ++seed;
        }
    }
    return cases;
}

// Data without a leading clear code, and data without an end code.
std::vector<PictureSpec> ClearAndEndCodeCases()
{
    std::vector<PictureSpec> cases;
    unsigned seed = 500;
    for (int codeSize = 2; codeSize <= 8; ++codeSize) {
        for (const Pattern pattern : {Pattern::Noise, Pattern::Flat}) {
            PictureSpec recipe = singleFrame(std::string("NoLeadingClear_") + patternName(pattern) + "_CodeSize" +
                                               std::to_string(codeSize),
                                           120, 90, codeSize, pattern, seed++);
            recipe.frames[0].lzw.leadingClear = false;
            cases.push_back(recipe);
        }
        PictureSpec noEnd = singleFrame("NoEndCode_CodeSize" + std::to_string(codeSize), 77, 33, codeSize, Pattern::PhotoLike, seed++);
        noEnd.frames[0].lzw.endCode = false;
        noEnd.wellFormed = false;
        cases.push_back(noEnd);
    }
    return cases;
}

// Several frames with local tables, positions, transparency, loops and comments.
std::vector<PictureSpec> MultiFrameCases()
{
    std::mt19937 random(600);
    std::vector<PictureSpec> cases;
    for (int i = 0; i < 30; ++i) {
        PictureSpec recipe;
        recipe.screenWidth = randomLength(random, 200);
        recipe.screenHeight = randomLength(random, 200);
        recipe.globalColors = 1 << (1 + random() % 8);
        recipe.loopExtension = random() % 2 == 0;
        recipe.comment = random() % 2 == 0 ? std::string(random() % 600, 'c') : std::string();
        const int frames = 2 + static_cast<int>(random() % 5);
        for (int f = 0; f < frames; ++f) {
            recipe.frames.push_back(randomFrame(random, recipe.screenWidth, recipe.screenHeight, 2 + static_cast<int>(random() % 7)));
        }
        recipe.name = "MultiFrame" + std::to_string(i) + "_" + std::to_string(frames) + "Frames_" +
                    size(recipe.screenWidth, recipe.screenHeight);
        cases.push_back(recipe);
    }
    return cases;
}

// Every option of the writer drawn at random, one frame each.
std::vector<PictureSpec> RandomCases()
{
    std::mt19937 random(700);
    std::vector<PictureSpec> cases;
    for (int i = 0; i < 120; ++i) {
        PictureSpec recipe;
        recipe.screenWidth = randomLength(random, 400);
        recipe.screenHeight = randomLength(random, 400);
        recipe.globalColors = 256;
        recipe.frames.push_back(randomFrame(random, recipe.screenWidth, recipe.screenHeight, 2 + static_cast<int>(random() % 7)));
        recipe.name = "Random" + std::to_string(i) + "_" + size(recipe.frames[0].width, recipe.frames[0].height) + "_CodeSize" +
                    std::to_string(*recipe.frames[0].lzw.minimumCodeSize);
        cases.push_back(recipe);
    }
    return cases;
}

} // namespace ostra::test
