// The test GIF writer checked against giflib: whatever shape of data the
// writer produces, giflib must read back the very pixels it was given.
// The other GIF tests trust the writer, so it is checked on its own here.
#include "gif/differential/GiflibDecoder.h"
#include "support/gif/GifBuilder.h"
#include "support/gif/PixelPatterns.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace ostra::test {
namespace {

// The codes of an LZW stream, read with the usual GIF width rule, so that
// the tests can see where the writer put its clear and end codes.
std::vector<int> ListCodes(const std::vector<std::uint8_t>& imageData)
{
    const int minimumCodeSize = imageData.at(0);
    std::vector<std::uint8_t> bytes;
    for (std::size_t at = 1; at < imageData.size() && imageData[at] != 0; at += imageData[at] + 1u) {
        bytes.insert(bytes.end(), imageData.begin() + static_cast<std::ptrdiff_t>(at + 1),
                     imageData.begin() + static_cast<std::ptrdiff_t>(at + 1 + imageData[at]));
    }
    const int clearCode = 1 << minimumCodeSize;
    int width = minimumCodeSize + 1;
    int nextFree = clearCode + 2;
    bool first = true;
    std::vector<int> codes;
    for (std::size_t bit = 0; bit + static_cast<std::size_t>(width) <= bytes.size() * 8;) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit) {
            code |= ((bytes[bit / 8] >> (bit % 8)) & 1) << i;
        }
        codes.push_back(code);
        if (code == clearCode + 1) {
            break;
        }
        if (code == clearCode) {
            width = minimumCodeSize + 1;
            nextFree = clearCode + 2;
            first = true;
            continue;
        }
        if (!first && nextFree < 4096 && ++nextFree == (1 << width) && width < 12) {
            ++width;
        }
        first = false;
    }
    return codes;
}

std::vector<int> SubBlockSizes(const std::vector<std::uint8_t>& imageData)
{
    std::vector<int> sizes;
    for (std::size_t at = 1; at < imageData.size() && imageData[at] != 0; at += imageData[at] + 1u) {
        sizes.push_back(imageData[at]);
    }
    return sizes;
}

void ExpectGiflibReads(const std::vector<std::uint8_t>& file, const std::vector<std::vector<std::uint8_t>>& framePixels)
{
    const GiflibPicture picture = DecodeWithGiflib(file);
    ASSERT_TRUE(picture.ok) << picture.error;
    ASSERT_EQ(picture.frames.size(), framePixels.size());
    for (std::size_t i = 0; i < framePixels.size(); ++i) {
        EXPECT_EQ(picture.frames[i].pixels, framePixels[i]) << "frame " << i;
    }
}

struct Shape {
    std::string name;
    LzwOptions lzw;
};

// Keeps test listings readable (and stable): the shape's name, not its bytes.
void PrintTo(const Shape& shape, std::ostream* out)
{
    *out << shape.name;
}

std::vector<Shape> Shapes()
{
    LzwOptions noLeadingClear;
    noLeadingClear.leadingClear = false;
    LzwOptions deferred;
    deferred.fullTable = FullTablePolicy::DeferredClear;
    LzwOptions deferredThenClear = deferred;
    deferredThenClear.deferredCodes = 300;
    LzwOptions tinyBlocks;
    tinyBlocks.subBlockSizes = {1};
    LzwOptions mixedBlocks;
    mixedBlocks.subBlockSizes = {1, 255, 2, 77, 3};
    return {{"Plain", {}},
            {"NoLeadingClear", noLeadingClear},
            {"DeferredClear", deferred},
            {"DeferredThenClear", deferredThenClear},
            {"OneByteSubBlocks", tinyBlocks},
            {"MixedSubBlocks", mixedBlocks}};
}

class WriterSelfCheck : public ::testing::TestWithParam<std::tuple<Shape, int>> {};

// Noise fills the string table several times over at every code size.
TEST_P(WriterSelfCheck, GiflibReadsBackEveryPixel)
{
    const auto& [shape, codeSize] = GetParam();
    const int colors = 1 << codeSize;
    const std::uint16_t width = 211;
    const std::uint16_t height = codeSize <= 3 ? 400 : 150;
    std::vector<std::uint8_t> noise = NoisePixels(width, height, colors, 7u + static_cast<unsigned>(codeSize));
    std::vector<std::uint8_t> photo = PhotoLikePixels(width, height, colors, 11u);
    Frame noiseFrame{.width = width, .height = height, .pixels = noise, .lzw = shape.lzw};
    Frame photoFrame{.width = width, .height = height, .pixels = photo, .interlaced = true, .lzw = shape.lzw};
    const auto file =
        GifBuilder().screen(width, height).globalColors(colors).frame(noiseFrame).frame(photoFrame).build();
    ExpectGiflibReads(file, {noise, photo});
}

INSTANTIATE_TEST_SUITE_P(ShapesAndCodeSizes, WriterSelfCheck,
                         ::testing::Combine(::testing::ValuesIn(Shapes()), ::testing::Range(2, 9)),
                         [](const auto& info) {
                             return std::get<0>(info.param).name + "_" + std::to_string(std::get<1>(info.param));
                         });

TEST(WriterShape, LeadingClearAndEndCodeAreWhereAsked)
{
    const std::vector<std::uint8_t> pixels = NoisePixels(10, 10, 4, 1);
    LzwOptions bare;
    bare.leadingClear = false;
    bare.endCode = false;
    const std::vector<int> withBoth = ListCodes(EncodeImageData(pixels, {}));
    const std::vector<int> withNeither = ListCodes(EncodeImageData(pixels, bare));
    EXPECT_EQ(withBoth.front(), 4);
    EXPECT_EQ(withBoth.back(), 5);
    EXPECT_LT(withNeither.front(), 4);
    EXPECT_NE(withNeither.back(), 5);
}

// Noise of 256 colours fills the 3838 free entries after about as many codes.
TEST(WriterShape, FullTableClearsAtOnceOrLater)
{
    const std::vector<std::uint8_t> pixels = NoisePixels(100, 100, 256, 3);
    auto clearPositions = [&](const LzwOptions& options) {
        std::vector<std::size_t> at;
        const std::vector<int> codes = ListCodes(EncodeImageData(pixels, options));
        for (std::size_t i = 0; i < codes.size(); ++i) {
            if (codes[i] == 256) {
                at.push_back(i);
            }
        }
        return at;
    };
    LzwOptions deferred;
    deferred.fullTable = FullTablePolicy::DeferredClear;
    LzwOptions deferredThenClear = deferred;
    deferredThenClear.deferredCodes = 500;

    const auto prompt = clearPositions({});
    ASSERT_GE(prompt.size(), 2u);
    EXPECT_EQ(prompt[1] - prompt[0], 4096u - 258u + 1u); // first literal, then one entry per code
    EXPECT_EQ(clearPositions(deferred).size(), 1u);
    const auto late = clearPositions(deferredThenClear);
    ASSERT_GE(late.size(), 2u);
    EXPECT_EQ(late[1] - late[0], prompt[1] - prompt[0] + 500u);
}

TEST(WriterShape, SubBlockSizesAreUsedInTurn)
{
    LzwOptions options;
    options.subBlockSizes = {1, 3};
    const std::vector<int> sizes = SubBlockSizes(EncodeImageData(NoisePixels(30, 1, 16, 5), options));
    ASSERT_GE(sizes.size(), 4u);
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i) {
        EXPECT_EQ(sizes[i], i % 2 == 0 ? 1 : 3) << "sub-block " << i;
    }
    options.subBlockSizes = {255};
    const std::vector<int> maximal = SubBlockSizes(EncodeImageData(NoisePixels(100, 100, 256, 5), options));
    EXPECT_EQ(maximal.front(), 255);
}

// giflib stores interlaced rows in picture order, so a frame whose rows all
// differ shows whether the writer put each row into the right pass.
TEST(WriterShape, InterlacedFramesOfEveryHeightReadBack)
{
    for (int height = 1; height <= 17; ++height) {
        std::vector<std::uint8_t> rows;
        for (int y = 0; y < height; ++y) {
            rows.insert(rows.end(), 3, static_cast<std::uint8_t>(y));
        }
        const auto rowCount = static_cast<std::uint16_t>(height);
        const auto file = GifBuilder().screen(3, rowCount).globalColors(32)
                              .frame({.width = 3, .height = rowCount, .pixels = rows, .interlaced = true})
                              .build();
        SCOPED_TRACE("height " + std::to_string(height));
        ExpectGiflibReads(file, {rows});
    }
}

TEST(WriterShape, ExtensionsLocalTablesAndPositionsReadBack)
{
    const std::vector<std::uint8_t> first = FlatPixels(8, 5, 4, 1);
    const std::vector<std::uint8_t> second = NoisePixels(3, 2, 128, 2);
    const auto file = GifBuilder()
                          .screen(20, 10)
                          .globalColors(4)
                          .loop(7)
                          .comment(std::string(300, 'c'))
                          .graphicControl({.disposal = 2, .transparentIndex = 3, .delay = 10})
                          .frame({.width = 8, .height = 5, .pixels = first})
                          .frame({.left = 11, .top = 6, .width = 3, .height = 2, .pixels = second, .localColors = TestPalette(128)})
                          .build();
    const GiflibPicture picture = DecodeWithGiflib(file);
    ASSERT_TRUE(picture.ok) << picture.error;
    ASSERT_EQ(picture.frames.size(), 2u);
    EXPECT_EQ(picture.frames[0].pixels, first);
    EXPECT_EQ(picture.frames[1].pixels, second);
    EXPECT_EQ(picture.frames[1].left, 11);
    EXPECT_EQ(picture.frames[1].top, 6);
}

TEST(WriterShape, RefusesPixelsTooLargeForTheCodeSize)
{
    LzwOptions options;
    options.minimumCodeSize = 2;
    EXPECT_THROW(EncodeImageData(std::vector<std::uint8_t>{0, 4}, options), std::invalid_argument);
    EXPECT_EQ(MinimumCodeSizeFor(std::vector<std::uint8_t>{0, 4}), 3);
    EXPECT_EQ(MinimumCodeSizeFor(std::vector<std::uint8_t>{1}), 2);
}

} // namespace
} // namespace ostra::test
