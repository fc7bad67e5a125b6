// How the reader walks the blocks of a stream: frames, padding, the
// extension-list end rules, frames without an image, the trailer.
#include "gif/GifBytes.h"

#include <gtest/gtest.h>

#include <ostream>

namespace ostra::test {
namespace {

using Strings = std::vector<std::string>;

// A graphic control extension: transparent index 3, delay 0x0102.
const Bytes kTransparentControl = {0x21, 0xF9, 0x04, 0x01, 0x02, 0x01, 0x03, 0x00};

// A comment extension holding "hi".
const Bytes kComment = {0x21, 0xFE, 0x02, 'h', 'i', 0x00};

// A 2 x 2 frame holding 0 1 / 2 3.
Bytes twoByTwoFrame()
{
    return Join({ImageDescriptor(2, 2), TwoByTwoImageData()});
}

TEST(BlockStructureTest, ControlledFrameLikeTheLogo)
{
    const Bytes bytes = Join({Header(2, 2, 1), kTransparentControl, twoByTwoFrame(), {0x3B}});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_TRUE(result.Warnings.empty());
    EXPECT_EQ(result.Position, static_cast<std::int64_t>(bytes.size()));
    ASSERT_EQ(picture.Frames.Count(), 1u);
    TGIFSubImage& frame = picture.Frames[0];
    EXPECT_EQ(frame.PixelData, (Bytes{0, 1, 2, 3}));
    ASSERT_EQ(frame.Extensions.Count(), 1u);
    EXPECT_EQ(frame.GraphicControl, &frame.Extensions[0]);
    EXPECT_TRUE(frame.Transparent);
    EXPECT_EQ(frame.GraphicControl->TransparentColorIndex, 3);
    EXPECT_EQ(frame.GraphicControl->Delay, 0x0102);
    EXPECT_EQ(frame.GraphicControl->BlockSize, 4);
    EXPECT_EQ(&frame.ActiveColorMap(), &picture.Header.GlobalColorMap);
    EXPECT_EQ(frame.RequiredVersion(), 2);
}

TEST(BlockStructureTest, ZeroBytesBetweenFramesArePadding)
{
    const Bytes bytes = Join({Header(2, 2), {0x00, 0x00}, twoByTwoFrame(), {0x00}, twoByTwoFrame(), {0x00, 0x3B}});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_TRUE(result.Warnings.empty());
    EXPECT_EQ(picture.Frames.Count(), 2u);
    EXPECT_EQ(result.Position, static_cast<std::int64_t>(bytes.size()));
}

TEST(BlockStructureTest, ZeroAfterExtensionEndsTheFrameWithoutImage)
{
    // The 0 ends the extension list; the comment makes a frame of its own and
    // the image descriptor after the 0 starts the next frame.
    const Bytes bytes = Join({Header(2, 2), kComment, {0x00}, twoByTwoFrame(), {0x3B}});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_EQ(Texts(result.Warnings), Strings{"Invalid extension introducer"});
    EXPECT_EQ(result.Warnings[0].Severity, 1);
    ASSERT_EQ(picture.Frames.Count(), 2u);
    EXPECT_EQ(picture.Frames[0].Extensions.Count(), 1u);
    EXPECT_TRUE(picture.Frames[0].Empty());
    EXPECT_EQ(picture.Frames[0].Width, 0);
    EXPECT_EQ(picture.Frames[1].PixelData, (Bytes{0, 1, 2, 3}));
    EXPECT_TRUE(picture.Frames[1].Extensions.IsEmpty());
}

TEST(BlockStructureTest, ExtensionsBeforeTheTrailerMakeAFrameWithoutImage)
{
    const Bytes bytes = Join({Header(2, 2), twoByTwoFrame(), kComment, {0x3B}});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_TRUE(result.Warnings.empty());
    ASSERT_EQ(picture.Frames.Count(), 2u);
    ASSERT_EQ(picture.Frames[1].Extensions.Count(), 1u);
    auto& comment = dynamic_cast<TGIFCommentExtension&>(picture.Frames[1].Extensions[0]);
    EXPECT_EQ(comment.Text, Strings{"hi"});
    EXPECT_TRUE(picture.Frames[1].Empty());
}

TEST(BlockStructureTest, ExtensionsAtTheEndOfTheDataMakeAFrameWithoutImage)
{
    const Bytes bytes = Join({Header(2, 2), twoByTwoFrame(), kComment});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_TRUE(result.Warnings.empty());
    EXPECT_EQ(picture.Frames.Count(), 2u);
}

TEST(BlockStructureTest, MissingTrailerIsNotReported)
{
    const Bytes bytes = Join({Header(2, 2), twoByTwoFrame()});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_TRUE(result.Warnings.empty());
    EXPECT_EQ(picture.Frames.Count(), 1u);
    EXPECT_EQ(result.Position, static_cast<std::int64_t>(bytes.size()));
}

TEST(BlockStructureTest, UnknownBlockEndsTheFramesAndIsNoTrailer)
{
    const Bytes bytes = Join({Header(2, 2), twoByTwoFrame(), {0x2D}, twoByTwoFrame(), {0x3B}});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_EQ(Texts(result.Warnings), (Strings{"Unknown GIF block type", "Invalid Image trailer"}));
    EXPECT_EQ(picture.Frames.Count(), 1u);
    // The trailer's read took the unknown byte; nothing after it is read.
    EXPECT_EQ(result.Position, static_cast<std::int64_t>(Header(2, 2).size() + twoByTwoFrame().size() + 1));
}

TEST(BlockStructureTest, BytesAfterTheTrailerAreNotRead)
{
    const Bytes bytes = Join({Header(2, 2), twoByTwoFrame(), {0x3B, 'x', 'y'}});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_TRUE(result.Warnings.empty());
    EXPECT_EQ(result.Position, static_cast<std::int64_t>(bytes.size() - 2));
}

TEST(BlockStructureTest, OtherByteAfterExtensionIsTakenForAnImageSeparator)
{
    // 0x2D after an extension ends the list with a warning; the frame then
    // reads it as the first byte of an image descriptor.
    Bytes descriptor = ImageDescriptor(2, 2);
    descriptor[0] = 0x2D;
    const Bytes bytes = Join({Header(2, 2), kComment, descriptor, TwoByTwoImageData(), {0x3B}});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_EQ(Texts(result.Warnings), Strings{"Invalid extension introducer"});
    ASSERT_EQ(picture.Frames.Count(), 1u);
    EXPECT_EQ(picture.Frames[0].Separator, 0x2D);
    EXPECT_EQ(picture.Frames[0].PixelData, (Bytes{0, 1, 2, 3}));
}

struct FrameSizeCase {
    const char* Name;
    std::uint16_t Width;
    std::uint16_t Height;
    std::uint16_t ExpectedWidth;
    std::uint16_t ExpectedHeight;
    bool Warned;
};

// Test listings name the case, not its bytes.
void PrintTo(const FrameSizeCase& row, std::ostream* out)
{
    *out << row.Name;
}

class FrameSizeTest : public testing::TestWithParam<FrameSizeCase> {};

// A frame without an area takes the logical screen's size (both sides);
// one larger than the screen is read as it is.
TEST_P(FrameSizeTest, ZeroSideTakesTheScreenSize)
{
    const FrameSizeCase& c = GetParam();
    // The data holds a single pixel 1 and ends; the rest keeps the fill value 0.
    const Bytes data = {0x02, 0x02, 0x4C, 0x01, 0x00};
    const Bytes bytes = Join({Header(3, 2), ImageDescriptor(c.Width, c.Height), data, {0x3B}});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_EQ(Texts(result.Warnings),
              c.Warned ? Strings{"Image exceeds Logical Screen size"} : Strings{});
    ASSERT_EQ(picture.Frames.Count(), 1u);
    const TGIFSubImage& frame = picture.Frames[0];
    EXPECT_EQ(frame.Width, c.ExpectedWidth);
    EXPECT_EQ(frame.Height, c.ExpectedHeight);
    ASSERT_EQ(frame.PixelData.size(), std::size_t{c.ExpectedWidth} * c.ExpectedHeight);
    EXPECT_EQ(frame.PixelData[0], 1);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FrameSizeTest,
                         testing::Values(FrameSizeCase{"ZeroWidth", 0, 5, 3, 2, true},
                                         FrameSizeCase{"ZeroHeight", 7, 0, 3, 2, true},
                                         FrameSizeCase{"BothZero", 0, 0, 3, 2, true},
                                         FrameSizeCase{"LargerThanScreen", 5, 4, 5, 4, false}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(BlockStructureTest, LocalColorTableIsTheActiveMap)
{
    const Bytes bytes = Join({Header(2, 2),
                              ImageDescriptor(2, 2, 0x80), // local table of 2 entries
                              {0x11, 0x22, 0x33, 0x44, 0x55, 0x66},
                              TwoByTwoImageData(),
                              {0x3B}});
    TGIFImage picture;
    ASSERT_EQ(Load(picture, bytes).Error, "");
    TGIFSubImage& frame = picture.Frames[0];
    EXPECT_EQ(frame.LocalColorMap.Count(), 2);
    EXPECT_EQ(&frame.ActiveColorMap(), &frame.LocalColorMap);
    EXPECT_EQ(frame.ActiveColorMap().ColorAt(1), 0x665544u);
    EXPECT_EQ(frame.PixelData, (Bytes{0, 1, 2, 3}));
}

TEST(BlockStructureTest, FrameWithoutAnyTableHasTheEmptyLocalMapActive)
{
    const Bytes bytes = Join({Header(2, 2, -1), twoByTwoFrame(), {0x3B}});
    TGIFImage picture;
    ASSERT_EQ(Load(picture, bytes).Error, "");
    EXPECT_EQ(&picture.Frames[0].ActiveColorMap(), &picture.Frames[0].LocalColorMap);
    EXPECT_EQ(picture.Frames[0].ActiveColorMap().Count(), 0);
}

TEST(BlockStructureTest, WarningsComeFromTheReportingObject)
{
    const Bytes bytes = Join({Header(2, 2), kComment, {0x00}, twoByTwoFrame(), {0x2D}});
    TGIFImage picture;
    std::vector<const TPersistent*> senders;
    picture.WarningHandler = [&](TPersistent& sender, int severity, const std::string&) {
        EXPECT_EQ(severity, 1);
        senders.push_back(&sender);
    };
    TMemoryStream stream{std::span<const std::uint8_t>(bytes)};
    picture.LoadFromStream(stream);
    ASSERT_EQ(senders.size(), 3u); // extension list, frame list, trailer
    EXPECT_EQ(senders[0], &picture.Frames[0].Extensions);
    EXPECT_EQ(senders[1], &picture.Frames);
}

TEST(BlockStructureTest, LoadReplacesThePreviousPicture)
{
    TGIFImage picture;
    ASSERT_EQ(Load(picture, Join({Header(2, 2), twoByTwoFrame(), twoByTwoFrame(), {0x3B}})).Error, "");
    ASSERT_EQ(picture.Frames.Count(), 2u);
    ASSERT_EQ(Load(picture, Join({Header(5, 1, -1), {0x3B}})).Error, "");
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Header.GlobalColorMap.Count(), 0);
}

} // namespace
} // namespace ostra::test
