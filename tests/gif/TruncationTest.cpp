// A small complete picture cut off at every offset: no crash, the right
// error or warning, and the frames read before the cut.
#include "gif/GifBytes.h"

#include <gtest/gtest.h>

#include <ostream>

#include <set>

namespace ostra::test {
namespace {

using Strings = std::vector<std::string>;

// Offsets of the blocks of the picture, for the table below.
const Bytes kPicture = Join({
    Header(2, 2, 1),                                  //  0..24  signature, screen, 4 colours
    {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x03, 0x00}, // 25..32  control: transparent index 3
    {0x21, 0xFF, 0x0B,                                // 33..51  looping extension
     'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
     0x03, 0x01, 0x05, 0x00, 0x00},
    ImageDescriptor(2, 2),                            // 52..61
    TwoByTwoImageData(),                              // 62..67  02 | 03 44 34 05 | 00
    {0x21, 0xFE, 0x02, 'h', 'i', 0x00},               // 68..73  comment
    ImageDescriptor(2, 2, 0x40),                      // 74..83  interlaced
    TwoByTwoImageData(),                              // 84..89
    {0x3B},                                           // 90
});

// An error frees the frame being read, with the extensions before it.
struct CutCase {
    std::size_t Length; // bytes kept
    const char* Error;
    Strings Warnings;
    std::size_t Frames;
    Bytes FirstPixels; // of frame 0 when it has an image
};

void PrintTo(const CutCase& cut, std::ostream* out)
{
    *out << "the first " << cut.Length << " bytes";
}

class TruncationTest : public testing::TestWithParam<CutCase> {};

TEST_P(TruncationTest, ReportsTheCut)
{
    const CutCase& c = GetParam();
    ASSERT_EQ(kPicture.size(), 91u);
    TGIFImage picture;
    const LoadResult result = Load(picture, Bytes(kPicture.begin(), kPicture.begin() + static_cast<long>(c.Length)));
    EXPECT_EQ(result.Error, c.Error);
    EXPECT_EQ(Texts(result.Warnings), c.Warnings);
    EXPECT_EQ(picture.Frames.Count(), c.Frames);
    if (!c.FirstPixels.empty() && picture.Frames.Count() > 0) {
        EXPECT_EQ(picture.Frames[0].PixelData, c.FirstPixels);
    }
}

const char* const kShort = "Premature end of data";

INSTANTIATE_TEST_SUITE_P(
    Cuts, TruncationTest,
    testing::Values(
        CutCase{0, kShort, {}, 0, {}},
        CutCase{5, kShort, {}, 0, {}},       // inside the signature
        CutCase{12, kShort, {}, 0, {}},      // inside the screen descriptor
        CutCase{24, kShort, {}, 0, {}},      // inside the global table
        CutCase{25, "", {}, 0, {}},          // the header alone
        CutCase{26, "Unknown extension type", {}, 0, {}}, // "!" without a label
        CutCase{27, "", {kShort}, 1, {}},    // control without its record
        CutCase{30, "", {kShort}, 1, {}},    // control cut after 3 of 6 bytes
        CutCase{33, "", {}, 1, {}},          // extensions only: a frame without an image
        CutCase{35, "Unknown extension type", {}, 0, {}}, // application label without block size
        CutCase{40, kShort, {}, 0, {}},      // inside the identifier
        CutCase{47, "Unknown extension type", {}, 0, {}}, // identifier without sub-blocks
        CutCase{48, "", {}, 1, {}},          // sub-block size only: its rest counts as 0
        CutCase{50, kShort, {}, 0, {}},      // loop count cut in half
        CutCase{51, "", {}, 1, {}},
        CutCase{55, kShort, {}, 0, {}},      // inside the image descriptor
        CutCase{62, "", {}, 1, {3, 3, 3, 3}},   // no minimum code size: the fill value
        CutCase{63, "", {}, 1, {3, 3, 3, 3}},   // no sub-block
        CutCase{64, "", {kShort}, 1, {0, 3, 3, 3}}, // sub-block of 3 with none of its bytes
        CutCase{67, "", {}, 1, {0, 1, 2, 3}},   // data complete but for its terminator
        CutCase{68, "", {}, 1, {0, 1, 2, 3}},
        CutCase{70, "", {}, 2, {0, 1, 2, 3}},   // comment without its sub-blocks
        CutCase{84, "", {}, 2, {0, 1, 2, 3}},   // second frame without data
        CutCase{90, "", {}, 2, {0, 1, 2, 3}},   // no trailer
        CutCase{91, "", {}, 2, {0, 1, 2, 3}}),
    [](const auto& info) { return "Length" + std::to_string(info.param.Length); });

TEST(TruncationTest, EveryCutFailsCleanlyOrKeepsWhatWasRead)
{
    const std::set<std::string> errors = {"", "Premature end of data", "Unknown extension type"};
    const std::set<std::string> warnings = {"Premature end of data", "Decoder bit buffer under-run"};
    for (std::size_t length = 0; length <= kPicture.size(); ++length) {
        TGIFImage picture;
        const LoadResult result = Load(picture, Bytes(kPicture.begin(), kPicture.begin() + static_cast<long>(length)));
        EXPECT_TRUE(errors.contains(result.Error)) << length << ": " << result.Error;
        for (const Warning& w : result.Warnings)
            EXPECT_TRUE(warnings.contains(w.Message)) << length << ": " << w.Message;
        // After an error the stream is back at the start; after success all
        // was read (skipping a sub-block's missing rest may pass the end).
        if (!result.Error.empty())
            EXPECT_EQ(result.Position, 0) << length;
        else
            EXPECT_GE(result.Position, static_cast<std::int64_t>(length)) << length;
        EXPECT_LE(picture.Frames.Count(), 2u);
        for (const TGIFSubImage& frame : picture.Frames)
            EXPECT_EQ(frame.PixelData.size(), frame.Empty() ? 0u : 4u) << length;
    }
}

} // namespace
} // namespace ostra::test
