// The LZW decoder: code widths, the string table, interlacing, and what
// happens when the data ends early or runs on.
#include "gif/GifBytes.h"
#include "gif/LZWDecoder.h"
#include "gif/SubBlockReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <ostream>

namespace ostra::test {
namespace {

using Strings = std::vector<std::string>;

// Minimum code size byte, the codes in sub-blocks of at most blockSize bytes, terminator.
Bytes imageData(int minimumCodeSize, const std::vector<Code>& codes, std::size_t blockSize = 255)
{
    return Join({{static_cast<std::uint8_t>(minimumCodeSize)}, SubBlocks(PackCodes(codes), blockSize)});
}

// Decodes a one-frame picture and answers the frame's pixels; fails the
// test on a load error.
Bytes decode(std::uint16_t width, std::uint16_t height, const Bytes& data, std::uint8_t packed = 0,
             std::vector<std::string>* warnings = nullptr)
{
    TGIFImage picture;
    const LoadResult result = Load(picture, OneFramePicture(width, height, data, packed));
    EXPECT_EQ(result.Error, "");
    if (warnings != nullptr)
        *warnings = Texts(result.Warnings);
    if (picture.Frames.Count() != 1)
        return {};
    return picture.Frames[0].PixelData;
}

std::string loadError(const Bytes& bytes)
{
    TGIFImage picture;
    return Load(picture, bytes).Error;
}

TEST(LZWDecoderTest, DataWithoutLeadingClearDecodesAlike)
{
    // Minimum code size 2: clear 4, end 5; the width grows to 4 bits once
    // entry 7 is added (while the code for 2 is decoded).
    const Bytes withClear = imageData(2, {{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {5, 4}});
    const Bytes withoutClear = imageData(2, {{0, 3}, {1, 3}, {2, 3}, {3, 4}, {5, 4}});
    const Bytes runOfClears = imageData(2, {{4, 3}, {4, 3}, {4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {5, 4}});
    EXPECT_EQ(decode(2, 2, withClear), (Bytes{0, 1, 2, 3}));
    EXPECT_EQ(decode(2, 2, withoutClear), (Bytes{0, 1, 2, 3}));
    EXPECT_EQ(decode(2, 2, runOfClears), (Bytes{0, 1, 2, 3}));
}

TEST(LZWDecoderTest, CodeNotYetInTheTableRepeatsThePreviousString)
{
    // clear, 1, then 6 while entry 6 is the next free one: "1" + "1".
    EXPECT_EQ(decode(3, 1, imageData(2, {{4, 3}, {1, 3}, {6, 3}, {5, 3}})), (Bytes{1, 1, 1}));
    // A code beyond the next free entry is taken for the next free entry.
    EXPECT_EQ(decode(3, 1, imageData(2, {{4, 3}, {1, 3}, {7, 3}, {5, 3}})), (Bytes{1, 1, 1}));
    // Longer: 2, 3 add entry 6 = "2 3"; 7 (next free) = "3" + "3".
    EXPECT_EQ(decode(6, 1, imageData(2, {{4, 3}, {2, 3}, {3, 3}, {6, 3}, {8, 4}, {5, 4}})),
              (Bytes{2, 3, 2, 3, 2, 3}));
}

TEST(LZWDecoderTest, WidthGrowsRightAfterEntry63ForMinimumCodeSize5)
{
    // 6-bit codes: clear 32, then 31 literals (the first adds no entry, the
    // other 30 add entries 34 to 63); from there on codes have 7 bits.
    std::vector<Code> codes{{32, 6}};
    for (int value = 0; value <= 30; ++value)
        codes.push_back({value, 6});
    codes.push_back({31, 7});
    codes.push_back({64, 7}); // entry 64 = "30 31", added with the code for 31
    codes.push_back({33, 7}); // end
    Bytes expected(32);
    std::iota(expected.begin(), expected.end(), 0);
    expected.push_back(30);
    expected.push_back(31);
    EXPECT_EQ(decode(34, 1, imageData(5, codes)), expected);
}

// Codes for minimum code size 2 that fill the whole table with literals
// cycling 0 1 2 3; widths grow from 3 to 12 bits as entries are added.
std::vector<Code> codesFillingTheTable(Bytes& pixels)
{
    std::vector<Code> codes{{4, 3}};
    int nextFree = 6;
    int width = 3;
    for (int i = 0; nextFree < 4096 || i == 0; ++i) {
        codes.push_back({i % 4, width});
        pixels.push_back(static_cast<std::uint8_t>(i % 4));
        if (i > 0 && ++nextFree == (1 << width) && width < 12)
            ++width;
    }
    return codes;
}

TEST(LZWDecoderTest, FullTableKeepsDecoding12BitCodesUntilAClearCode)
{
    Bytes expected;
    std::vector<Code> codes = codesFillingTheTable(expected);
    ASSERT_EQ(expected.size(), 4091u); // the first literal plus one per entry 6 to 4095
    const std::uint8_t last = expected[4090];
    const std::uint8_t beforeLast = expected[4089];
    // Still 12 bits with the table full: the last entry and the first one.
    codes.push_back({4095, 12});
    codes.push_back({6, 12});
    expected.insert(expected.end(), {beforeLast, last, 0, 1});
    // A deferred clear starts a new table with 3-bit codes.
    codes.insert(codes.end(), {{4, 12}, {3, 3}, {2, 3}, {6, 3}, {5, 4}});
    expected.insert(expected.end(), {3, 2, 3, 2});
    EXPECT_EQ(decode(static_cast<std::uint16_t>(expected.size()), 1, imageData(2, codes)), expected);
}

TEST(LZWDecoderTest, OneByteSubBlocksWithWideCodes)
{
    // Minimum code size 11: 12-bit codes from the start. One-byte
    // sub-blocks leave fewer bits than a code needs after a single refill.
    std::vector<Code> codes{{2048, 12}};
    Bytes expected;
    for (int value = 1; value <= 12; ++value) {
        codes.push_back({value * 3, 12});
        expected.push_back(static_cast<std::uint8_t>(value * 3));
    }
    codes.push_back({2049, 12});
    for (const std::size_t blockSize : {1u, 2u, 3u, 5u, 255u})
        EXPECT_EQ(decode(12, 1, imageData(11, codes, blockSize)), expected) << "sub-blocks of " << blockSize;
}

struct CodeSizeCase {
    int MinimumCodeSize;
    std::vector<Code> Codes;
    Bytes Pixels;
};

TEST(LZWDecoderTest, UnusualMinimumCodeSizesDecode)
{
    const CodeSizeCase cases[] = {
        // clear 1, end 2; 1-bit codes until entry 3 is added.
        {0, {{1, 1}, {0, 1}, {0, 1}, {2, 2}}, {0, 0}},
        // clear 2, end 3; 2-bit codes until entry 4 is added.
        {1, {{2, 2}, {1, 2}, {0, 2}, {3, 3}}, {1, 0}},
        // clear 2048, end 2049: literals above 255 keep their low 8 bits.
        {11, {{2048, 12}, {0x105, 12}, {7, 12}, {2049, 12}}, {0x05, 7}},
    };
    for (const CodeSizeCase& c : cases)
        EXPECT_EQ(decode(2, 1, imageData(c.MinimumCodeSize, c.Codes)), c.Pixels) << c.MinimumCodeSize;
}

TEST(LZWDecoderTest, AClearCodeForgetsEveryEntry)
{
    // Minimum code size 3 (clear 8, end 9, 4-bit codes). Before the clear,
    // 1 2 3 4 5 define entries 10 to 13 (12 = "3 4"). After it: 1; 12, a
    // code beyond the table, repeats "1" + "1" and becomes the old code;
    // 2 adds entry 11 = 12's string + 2; 11 then expands through 12, no
    // longer defined, which reads as 0 0.
    const std::vector<Code> codes{{8, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4},
                                  {8, 4}, {1, 4}, {12, 4}, {2, 4}, {11, 4}, {9, 4}};
    EXPECT_EQ(decode(12, 1, imageData(3, codes)), (Bytes{1, 2, 3, 4, 5, 1, 1, 1, 2, 0, 0, 2}));
}

// Minimum code sizes 9 to 11: literals above 255 come whole from
// NextPixelValue, also out of table entries; the frame keeps their low 8 bits.
TEST(LZWDecoderTest, ValuesAbove255ComeWholeFromNextPixelValue)
{
    for (const int minimumCodeSize : {9, 10, 11}) {
        const int clear = 1 << minimumCodeSize;
        const int width = minimumCodeSize + 1;
        const int a = clear - 1;
        const int b = clear / 2 + 44;
        // a, b; entry clear + 2 = "a b"; then clear + 4, the next free
        // entry at that point: "a b" + "a".
        const std::vector<Code> codes{{clear, width}, {a, width}, {b, width}, {clear + 2, width},
                                      {clear + 4, width}, {clear + 1, width}};
        const Bytes data = imageData(minimumCodeSize, codes);

        TMemoryStream stream{std::span<const std::uint8_t>(data)};
        std::uint8_t codeSize = 0;
        ASSERT_TRUE(ReadByte(stream, codeSize));
        TSubBlockReader subBlocks(stream);
        TLZWDecoder decoder(subBlocks, codeSize);
        std::vector<int> values;
        for (int i = 0; i < 8; ++i)
            values.push_back(decoder.NextPixelValue());
        EXPECT_EQ(values, (std::vector<int>{a, b, a, b, a, b, a, -2})) << minimumCodeSize;

        const auto low = [](int value) { return static_cast<std::uint8_t>(value); };
        EXPECT_EQ(decode(7, 1, data), (Bytes{low(a), low(b), low(a), low(b), low(a), low(b), low(a)}))
            << minimumCodeSize;
    }
}

TEST(LZWDecoderTest, MinimumCodeSizeAbove11IsRefused)
{
    EXPECT_EQ(loadError(OneFramePicture(1, 1, imageData(12, {{4096, 13}}))), "Invalid LZW code size");
    EXPECT_EQ(loadError(OneFramePicture(1, 1, {0xFF, 0x01, 0x00, 0x00})), "Invalid LZW code size");
}

TEST(LZWDecoderTest, CircularTableEntriesAreRefused)
{
    // 7 after 1 is taken for entry 6, so the old code becomes 7 and the next
    // entry, 7, gets itself as prefix.
    const Bytes selfPrefix = imageData(2, {{4, 3}, {1, 3}, {7, 3}, {0, 3}, {7, 4}});
    EXPECT_EQ(loadError(OneFramePicture(8, 1, selfPrefix)), "Circular decoder table entry");
    // Entry 6 gets prefix 7 and entry 7 gets prefix 6: expanding either never ends.
    const Bytes cycle = imageData(2, {{4, 3}, {7, 3}, {6, 3}, {0, 3}, {6, 4}});
    EXPECT_EQ(loadError(OneFramePicture(8, 1, cycle)), "Circular decoder table entry");
}

// Row r of an interlaced frame of height h receives the value order[r]:
// the rows are stored 0, 8, 16, ...; 4, 12, ...; 2, 6, ...; 1, 3, ...
struct InterlaceCase {
    std::uint16_t Height;
    Bytes Order;
};

// Test listings name the case, not its bytes.
void PrintTo(const InterlaceCase& row, std::ostream* out)
{
    *out << "height " << row.Height;
}

class InterlaceTest : public testing::TestWithParam<InterlaceCase> {};

TEST_P(InterlaceTest, EveryRowOnceInPassOrder)
{
    const InterlaceCase& c = GetParam();
    // Minimum code size 4: the k-th stored row holds the literal k (5-bit codes).
    std::vector<Code> codes{{16, 5}};
    for (int k = 0; k < c.Height; ++k)
        codes.push_back({k, 5});
    codes.push_back({17, 5});
    EXPECT_EQ(decode(1, c.Height, imageData(4, codes), 0x40), c.Order);
}

INSTANTIATE_TEST_SUITE_P(Heights, InterlaceTest,
                         testing::Values(InterlaceCase{1, {0}},
                                         InterlaceCase{2, {0, 1}},
                                         InterlaceCase{3, {0, 2, 1}},
                                         InterlaceCase{4, {0, 2, 1, 3}},
                                         InterlaceCase{5, {0, 3, 2, 4, 1}},
                                         InterlaceCase{6, {0, 3, 2, 4, 1, 5}},
                                         InterlaceCase{7, {0, 4, 2, 5, 1, 6, 3}},
                                         InterlaceCase{8, {0, 4, 2, 5, 1, 6, 3, 7}},
                                         InterlaceCase{9, {0, 5, 3, 6, 2, 7, 4, 8, 1}}),
                         [](const auto& info) { return "Height" + std::to_string(info.param.Height); });

TEST(LZWDecoderTest, InterlacedRowsAreWholeRows)
{
    // 2 x 3, stored rows 0, 2, 1: codes for 1 1 / 2 2 / 3 3 in that order.
    const Bytes data = imageData(2, {{4, 3}, {1, 3}, {1, 3}, {3, 3}, {3, 4}, {2, 4}, {2, 4}, {5, 4}});
    EXPECT_EQ(decode(2, 3, data, 0x40), (Bytes{1, 1, 2, 2, 3, 3}));
}

// A graphic control with transparent index 7, then a 2 x 2 frame.
Bytes transparentFrame(const Bytes& data)
{
    return Join({Header(2, 2), {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x07, 0x00}, ImageDescriptor(2, 2), data});
}

TEST(LZWDecoderTest, EndCodeBeforeTheLastPixelLeavesTheFillValue)
{
    // clear, 1, end; more sub-blocks follow the end code in the same data.
    const Bytes data = Join({{0x02, 0x03}, PackCodes({{4, 3}, {1, 3}, {5, 3}}), {0xAB, 0x02, 0xCD, 0xEF, 0x00}});
    TGIFImage picture;
    const LoadResult result = Load(picture, Join({transparentFrame(data), ImageDescriptor(2, 2), TwoByTwoImageData(),
                                                  {0x3B}}));
    ASSERT_EQ(result.Error, "");
    EXPECT_TRUE(result.Warnings.empty());
    ASSERT_EQ(picture.Frames.Count(), 2u);
    EXPECT_EQ(picture.Frames[0].PixelData, (Bytes{1, 7, 7, 7}));
    // The stream stood after the first frame's terminator: the next frame reads.
    EXPECT_EQ(picture.Frames[1].PixelData, (Bytes{0, 1, 2, 3}));
}

TEST(LZWDecoderTest, CodesBeyondTheLastPixelAreSkippedToTheTerminator)
{
    // A 1 x 1 frame whose data holds four pixels, an end code and a second sub-block.
    const Bytes data = Join({{0x02}, SubBlocks(PackCodes({{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {5, 4}}), 1)});
    TGIFImage picture;
    const LoadResult result =
        Load(picture, Join({Header(2, 2), ImageDescriptor(1, 1), data, ImageDescriptor(2, 2), TwoByTwoImageData(),
                            {0x3B}}));
    ASSERT_EQ(result.Error, "");
    EXPECT_TRUE(result.Warnings.empty());
    ASSERT_EQ(picture.Frames.Count(), 2u);
    EXPECT_EQ(picture.Frames[0].PixelData, Bytes{0});
    EXPECT_EQ(picture.Frames[1].PixelData, (Bytes{0, 1, 2, 3}));
}

TEST(LZWDecoderTest, TerminatorBeforeTheLastPixelWarnsOfTheUnderRun)
{
    // Minimum code size 3 (4-bit codes): clear, 1, 2 fill 12 bits of two
    // bytes; the last 4 bits (zero) are read as one more code once the
    // terminator is found, after which the bit buffer has run dry. The
    // request after the pixel loop finds it dry as well.
    const Bytes data = {0x03, 0x02, 0x18, 0x02, 0x00};
    TGIFImage picture;
    const LoadResult result = Load(picture, Join({transparentFrame(data), {0x3B}}));
    ASSERT_EQ(result.Error, "");
    EXPECT_EQ(Texts(result.Warnings), (Strings{"Decoder bit buffer under-run", "Decoder bit buffer under-run"}));
    EXPECT_EQ(picture.Frames[0].PixelData, (Bytes{1, 2, 0, 7}));
    EXPECT_EQ(result.Position, static_cast<std::int64_t>(transparentFrame(data).size() + 1));
}

TEST(LZWDecoderTest, StreamEndingInsideTheDataKeepsTheFillValueSilently)
{
    // No terminator and no trailer: the data simply stops after clear, 1, 2.
    const Bytes data = {0x03, 0x02, 0x18, 0x02};
    TGIFImage picture;
    const LoadResult result = Load(picture, transparentFrame(data));
    ASSERT_EQ(result.Error, "");
    EXPECT_TRUE(result.Warnings.empty());
    EXPECT_EQ(picture.Frames[0].PixelData, (Bytes{1, 2, 7, 7}));
}

TEST(LZWDecoderTest, SubBlockLongerThanTheStreamWarnsAndUsesWhatIsThere)
{
    // The sub-block announces 5 bytes; the 3 left hold clear 0 1 2 3 end.
    const Bytes data = {0x02, 0x05, 0x44, 0x34, 0x05};
    TGIFImage picture;
    const LoadResult result = Load(picture, Join({Header(2, 2), ImageDescriptor(2, 2), data}));
    ASSERT_EQ(result.Error, "");
    EXPECT_EQ(Texts(result.Warnings), Strings{"Premature end of data"});
    EXPECT_EQ(picture.Frames[0].PixelData, (Bytes{0, 1, 2, 3}));
}

TEST(LZWDecoderTest, MissingMinimumCodeSizeLeavesTheFillValue)
{
    TGIFImage picture;
    const LoadResult result = Load(picture, transparentFrame({}));
    ASSERT_EQ(result.Error, "");
    EXPECT_TRUE(result.Warnings.empty());
    EXPECT_EQ(picture.Frames[0].PixelData, (Bytes{7, 7, 7, 7}));
}

// Packed codes handed to the decoder as they are, chunk bytes at a time as
// the data of sub-blocks of that size would come, then the run ends as
// given: with its terminator, with nothing more, or inside its last
// sub-block (which then comes cut).
class CodeStream final : public TSubBlockSource {
public:
    CodeStream(Bytes codes, std::size_t chunk, TSubBlockEnd ending)
        : codes_(std::move(codes)), chunk_(chunk), ending_(ending)
    {
    }

    TSubBlock NextSubBlock(std::uint8_t* out) override
    {
        const std::size_t size = std::min(chunk_, codes_.size() - position_);
        std::copy_n(codes_.begin() + static_cast<std::ptrdiff_t>(position_), size, out);
        position_ += size;
        if (size == 0)
            return {ending_ == TSubBlockEnd::Terminator ? TSubBlockEnd::Terminator : TSubBlockEnd::End, 0};
        const bool cut = ending_ == TSubBlockEnd::Cut && position_ == codes_.size();
        return {cut ? TSubBlockEnd::Cut : TSubBlockEnd::Data, size};
    }

    void SkipRest() override { position_ = codes_.size(); }

private:
    Bytes codes_;
    std::size_t chunk_;
    TSubBlockEnd ending_;
    std::size_t position_ = 0;
};

struct CodeStreamCase {
    const char* Name;
    int MinimumCodeSize;
    std::vector<Code> Codes;
    TSubBlockSource::TSubBlockEnd Ending;
    std::vector<int> Values; // from NextPixelValue: -1 data ran out, -2 end code
    Strings Warnings;
    std::vector<std::size_t> Chunks = {1, 255};
};

const CodeStreamCase kCodeStreamCases[] = {
    {"LiteralsThenTheEndCode", 2, {{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {5, 4}},
     TSubBlockSource::TSubBlockEnd::Terminator, {0, 1, 2, 3, -2, -2}, {}},
    {"StringsOfTheTable", 2, {{4, 3}, {2, 3}, {3, 3}, {6, 3}, {8, 4}, {5, 4}},
     TSubBlockSource::TSubBlockEnd::Terminator, {2, 3, 2, 3, 2, 3, 2, -2}, {}},
    {"WideLiteralsComeWhole", 11, {{2048, 12}, {3, 12}, {300, 12}, {2047, 12}, {2049, 12}},
     TSubBlockSource::TSubBlockEnd::Terminator, {3, 300, 2047, -2}, {}},
    // 4-bit codes: clear, 1, 2 fill 12 of 16 bits; the last 4 (zero) are
    // one more code once the terminator shows no more data follows.
    {"TerminatorInsideACodeWarnsOfTheUnderRun", 3, {{8, 4}, {1, 4}, {2, 4}},
     TSubBlockSource::TSubBlockEnd::Terminator, {1, 2, 0, -1, -1},
     {"Decoder bit buffer under-run", "Decoder bit buffer under-run"}},
    {"InputStoppingInsideACodeEndsSilently", 3, {{8, 4}, {1, 4}, {2, 4}}, TSubBlockSource::TSubBlockEnd::End,
     {1, 2, -1, -1}, {}},
    // 11-bit codes in one-byte sub-blocks: the second literal starts at bit
    // 6 of the third byte and the input stops one bit short of its end;
    // the bits that came, from the byte kept over from before and the one
    // just read, are taken for it.
    {"InputStoppingAfterARefillKeepsTheCodesBits", 10, {{1024, 11}, {5, 11}, {683, 10}},
     TSubBlockSource::TSubBlockEnd::End, {5, 683, -1}, {}, {1}},
    {"CutSubBlockWarnsAndIsUsed", 2, {{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {5, 4}},
     TSubBlockSource::TSubBlockEnd::Cut, {0, 1, 2, 3, -2}, {"Premature end of data"}},
};

// Raw code streams, without a picture around them, in sub-blocks of one
// byte (codes split across many refills) and of 255.
TEST(LZWDecoderTest, RawCodeStreamsDecodeWithoutAPicture)
{
    for (const CodeStreamCase& c : kCodeStreamCases) {
        for (const std::size_t chunk : c.Chunks) {
            CodeStream codes(PackCodes(c.Codes), chunk, c.Ending);
            Strings warnings;
            TLZWDecoder decoder(codes, static_cast<std::uint8_t>(c.MinimumCodeSize),
                                [&warnings](int, const char* text) { warnings.emplace_back(text); });
            std::vector<int> values;
            for (std::size_t i = 0; i < c.Values.size(); ++i)
                values.push_back(decoder.NextPixelValue());
            EXPECT_EQ(values, c.Values) << c.Name << ", sub-blocks of " << chunk;
            EXPECT_EQ(warnings, c.Warnings) << c.Name << ", sub-blocks of " << chunk;
        }
    }
}

// The decoder on its own, one value at a time, as the exact path works.
TEST(LZWDecoderTest, NextPixelValueReportsTheEndCodeAndStaysThere)
{
    const Bytes data = Join({SubBlocks(PackCodes({{4, 3}, {2, 3}, {3, 3}, {6, 3}, {5, 4}}), 255), {0x3B}});
    TMemoryStream stream{std::span<const std::uint8_t>(data)};
    TSubBlockReader subBlocks(stream);
    TLZWDecoder decoder(subBlocks, 2);
    std::vector<int> values;
    for (int i = 0; i < 6; ++i)
        values.push_back(decoder.NextPixelValue());
    EXPECT_EQ(values, (std::vector<int>{2, 3, 2, 3, -2, -2}));
    EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(data.size() - 1)); // at the trailer
}

} // namespace
} // namespace ostra::test
