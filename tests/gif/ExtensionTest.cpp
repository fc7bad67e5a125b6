// Extension blocks: graphic control, comment, plain text, application
// extensions and the class look-up that picks a reader for each.
#include "gif/GIFExtensionRegistry.h"
#include "gif/GifBytes.h"

#include <gtest/gtest.h>

#include <ostream>

namespace ostra::test {
namespace {

using Strings = std::vector<std::string>;

// The picture: header, the given extension bytes, a 2 x 2 frame, trailer.
Bytes withExtensions(const Bytes& extensions)
{
    return Join({Header(2, 2), extensions, ImageDescriptor(2, 2), TwoByTwoImageData(), {0x3B}});
}

template <class T>
T& extensionOf(TGIFImage& picture, std::size_t index)
{
    return dynamic_cast<T&>(picture.Frames[0].Extensions[index]);
}

TEST(GraphicControlTest, FirstIsTheControlAndEitherTransparentBitCounts)
{
    const Bytes bytes = withExtensions({
        0x21, 0xF9, 0x04, 0x08, 0x00, 0x00, 0x07, 0x00, // disposal 2, no transparency
        0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x02, 0x00, // transparent index 2
    });
    TGIFImage picture;
    ASSERT_EQ(Load(picture, bytes).Error, "");
    TGIFSubImage& frame = picture.Frames[0];
    ASSERT_EQ(frame.Extensions.Count(), 2u);
    EXPECT_EQ(frame.GraphicControl, &frame.Extensions[0]);
    EXPECT_EQ(frame.GraphicControl->Disposal(), 2);
    EXPECT_TRUE(frame.Transparent);
    // The fill value comes from the first control, whose index is 7; the
    // data covers every pixel, so it shows nowhere here.
    EXPECT_EQ(frame.PixelData, (Bytes{0, 1, 2, 3}));
}

TEST(GraphicControlTest, FreeingControlsClearsTheFrameState)
{
    const Bytes bytes = withExtensions({
        0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x02, 0x00, // transparent index 2
        0x21, 0xFE, 0x01, 'c', 0x00,                    // comment
    });
    for (const bool oneByOne : {false, true}) {
        TGIFImage picture;
        ASSERT_EQ(Load(picture, bytes).Error, "");
        TGIFSubImage& frame = picture.Frames[0];
        ASSERT_TRUE(frame.Transparent);
        if (oneByOne) {
            frame.Extensions.Delete(1);
            EXPECT_TRUE(frame.Transparent) << "the comment leaves the control alone";
            ASSERT_EQ(frame.Extensions.Count(), 1u);
            EXPECT_EQ(frame.GraphicControl, &frame.Extensions[0]);
            frame.Extensions.Delete(0);
        } else {
            frame.Extensions.Clear();
        }
        EXPECT_TRUE(frame.Extensions.IsEmpty());
        EXPECT_FALSE(frame.Transparent) << (oneByOne ? "deleted one by one" : "cleared");
        EXPECT_EQ(frame.GraphicControl, nullptr);
    }
}

TEST(GraphicControlTest, BlockSizeAndTerminatorAreNotChecked)
{
    // Block size 9 and a terminator of 0x55: still 6 bytes, still read.
    const Bytes bytes = withExtensions({0x21, 0xF9, 0x09, 0x00, 0x05, 0x00, 0x00, 0x55});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_TRUE(result.Warnings.empty());
    EXPECT_EQ(picture.Frames[0].GraphicControl->BlockSize, 9);
    EXPECT_EQ(picture.Frames[0].GraphicControl->Delay, 5);
    EXPECT_EQ(picture.Frames[0].GraphicControl->Terminator, 0x55);
}

TEST(GraphicControlTest, CutOffControlWarnsAndReadingGoesOn)
{
    // 3 of the 6 bytes, then the stream ends: the picture holds one frame
    // without an image.
    const Bytes bytes = Join({Header(2, 2), {0x21, 0xF9, 0x04, 0x01, 0x00}});
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_EQ(Texts(result.Warnings), Strings{"Premature end of data"});
    ASSERT_EQ(picture.Frames.Count(), 1u);
    EXPECT_FALSE(picture.Frames[0].Transparent); // the record was incomplete
    EXPECT_EQ(picture.Frames[0].GraphicControl->PackedFields, 0x01);
}

TEST(CommentTest, OneLinePerSubBlockEndingAtAZeroByte)
{
    const Bytes bytes = withExtensions({
        0x21, 0xFE,
        0x05, 'a', 'b', 0x00, 'c', 'd', // line "ab"
        0x02, 'e', 'f',                 // line "ef"
        0x00,
    });
    TGIFImage picture;
    ASSERT_EQ(Load(picture, bytes).Error, "");
    EXPECT_EQ(extensionOf<TGIFCommentExtension>(picture, 0).Text, (Strings{"ab", "ef"}));
}

TEST(PlainTextTest, ReadsTheRecordAndTheLines)
{
    const Bytes bytes = withExtensions({
        0x21, 0x01,
        0x0C,                   // block size 12
        0x01, 0x00, 0x02, 0x00, // left 1, top 2
        0x30, 0x00, 0x10, 0x00, // width 48, height 16
        0x08, 0x10,             // cell 8 x 16
        0x01, 0x00,             // foreground 1, background 0
        0x03, 'T', 'x', 't',
        0x00,
    });
    TGIFImage picture;
    ASSERT_EQ(Load(picture, bytes).Error, "");
    auto& text = extensionOf<TGIFTextExtension>(picture, 0);
    EXPECT_EQ(text.Left, 1);
    EXPECT_EQ(text.Top, 2);
    EXPECT_EQ(text.Width, 48);
    EXPECT_EQ(text.Height, 16);
    EXPECT_EQ(text.CellWidth, 8);
    EXPECT_EQ(text.CellHeight, 16);
    EXPECT_EQ(text.ForegroundColorIndex, 1);
    EXPECT_EQ(text.Text, Strings{"Txt"});
}

TEST(PlainTextTest, ShortRecordIsPrematureEnd)
{
    TGIFImage picture;
    EXPECT_EQ(Load(picture, Join({Header(2, 2), {0x21, 0x01, 0x0C, 0x01, 0x00}})).Error, "Premature end of data");
}

TEST(LoopingExtensionTest, ReadsLoopsAndBufferSize)
{
    const Bytes bytes = withExtensions({
        0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
        0x03, 0x01, 0x05, 0x00,             // loop count 5
        0x05, 0x02, 0x00, 0x10, 0x00, 0x00, // buffer size 4096
        0x04, 0x07, 0xAA, 0xBB, 0xCC,       // unknown sub-block, skipped
        0x00,
    });
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    auto& loop = extensionOf<TGIFAppExtNSLoop>(picture, 0);
    EXPECT_EQ(loop.Loops, 5);
    EXPECT_EQ(loop.BufferSize, 4096u);
    EXPECT_EQ(loop.IdentifierText(), "NETSCAPE2.0");
    EXPECT_EQ(picture.Frames[0].PixelData, (Bytes{0, 1, 2, 3}));
}

TEST(LoopingExtensionTest, AnimExtsIsALoopToo)
{
    const Bytes bytes = withExtensions({0x21, 0xFF, 0x0B, 'A', 'N', 'I', 'M', 'E', 'X', 'T', 'S', '1', '.', '0',
                                        0x03, 0x01, 0x00, 0x00, 0x00});
    TGIFImage picture;
    ASSERT_EQ(Load(picture, bytes).Error, "");
    EXPECT_EQ(extensionOf<TGIFAppExtNSLoop>(picture, 0).Loops, 0);
}

struct ShortLoopCase {
    const char* Name;
    Bytes SubBlock;
};

// Test listings name the case, not its bytes.
void PrintTo(const ShortLoopCase& row, std::ostream* out)
{
    *out << row.Name;
}

class ShortLoopTest : public testing::TestWithParam<ShortLoopCase> {};

TEST_P(ShortLoopTest, SubBlockTooShortForItsValueIsInvalidData)
{
    const Bytes bytes = withExtensions(Join({{0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'},
                                             GetParam().SubBlock,
                                             {0x00}}));
    TGIFImage picture;
    EXPECT_EQ(Load(picture, bytes).Error, "Invalid GIF data");
}

INSTANTIATE_TEST_SUITE_P(Loops, ShortLoopTest,
                         testing::Values(ShortLoopCase{"LoopCountInTwoBytes", {0x02, 0x01, 0x05}},
                                         ShortLoopCase{"BufferSizeInFourBytes", {0x04, 0x02, 0x00, 0x10, 0x00}},
                                         // Identifier 9 & 7 = 1: a loop count as well.
                                         ShortLoopCase{"LoopIdentifierHighBits", {0x01, 0x09}}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ApplicationExtensionTest, UnregisteredIdentifierKeepsItsBlocks)
{
    const Bytes bytes = withExtensions({
        0x21, 0xFF, 0x0B, 'X', 'M', 'P', ' ', 'D', 'a', 't', 'a', 'X', 'M', 'P',
        0x02, 0x10, 0x20,
        0x01, 0x30,
        0x00,
    });
    TGIFImage picture;
    ASSERT_EQ(Load(picture, bytes).Error, "");
    auto& app = extensionOf<TGIFUnknownAppExtension>(picture, 0);
    EXPECT_EQ(app.IdentifierText(), "XMP DataXMP");
    ASSERT_EQ(app.Blocks.size(), 2u);
    EXPECT_EQ(app.Blocks[0].Size, 2);
    EXPECT_EQ(app.Blocks[0].Data, (Bytes{0x10, 0x20}));
    EXPECT_EQ(app.Blocks[1].Data, Bytes{0x30});
}

TEST(ApplicationExtensionTest, BlockOfTenIsUnknownWithAZeroLastIdentifierByte)
{
    const Bytes bytes = withExtensions({0x21, 0xFF, 0x0A, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', '1', '2',
                                        0x01, 0x77, 0x00});
    TGIFImage picture;
    ASSERT_EQ(Load(picture, bytes).Error, "");
    auto& app = extensionOf<TGIFUnknownAppExtension>(picture, 0);
    EXPECT_EQ(app.IdentifierText(), std::string("ABCDEFGH12\0", 11));
    EXPECT_EQ(app.Blocks.size(), 1u);
}

TEST(ApplicationExtensionTest, BlockOfTwelveOrMoreIsUnknownAndItsDataKept)
{
    const Bytes bytes = withExtensions({
        0x21, 0xFF, 0x0D, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0xEE, 0xEE, // 13 bytes
        0x03, 0x01, 0x05, 0x00,
        0x00,
    });
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    auto& app = extensionOf<TGIFUnknownAppExtension>(picture, 0);
    EXPECT_EQ(app.IdentifierText(), "NETSCAPE2.0");
    ASSERT_EQ(app.Blocks.size(), 1u);
    EXPECT_EQ(app.Blocks[0].Data, (Bytes{0x01, 0x05, 0x00}));
    EXPECT_EQ(picture.Frames[0].PixelData, (Bytes{0, 1, 2, 3}));
}

struct RefusedExtensionCase {
    const char* Name;
    Bytes Extension;
    const char* Error;
    bool AtTheEnd = false; // the stream ends with the extension
};

// Test listings name the case, not its bytes.
void PrintTo(const RefusedExtensionCase& row, std::ostream* out)
{
    *out << row.Name;
}

class RefusedExtensionTest : public testing::TestWithParam<RefusedExtensionCase> {};

TEST_P(RefusedExtensionTest, LoadFails)
{
    TGIFImage picture;
    const RefusedExtensionCase& c = GetParam();
    EXPECT_EQ(Load(picture, c.AtTheEnd ? Join({Header(2, 2), c.Extension}) : withExtensions(c.Extension)).Error,
              c.Error);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, RefusedExtensionTest,
    testing::Values(
        RefusedExtensionCase{"UnknownLabel", {0x21, 0x02, 0x01, 0x00, 0x00}, "Unknown extension type"},
        RefusedExtensionCase{"ApplicationBlockOfNine",
                             {0x21, 0xFF, 0x09, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', '1', 0x00},
                             "Unsupported Application Extension block size"},
        RefusedExtensionCase{"ApplicationBlockOfZero", {0x21, 0xFF, 0x00, 0x00},
                             "Unsupported Application Extension block size"},
        // Ten announced, fewer there: no class can be told.
        RefusedExtensionCase{"ApplicationBlockOfTenCutShort", {0x21, 0xFF, 0x0A, 'A', 'B'}, "Unknown extension type", true},
        RefusedExtensionCase{"ApplicationIdentifierCutShort", {0x21, 0xFF, 0x0B, 'N', 'E', 'T'},
                             "Premature end of data", true},
        RefusedExtensionCase{"CommentSubBlockCutShort", {0x21, 0xFE, 0x05, 'a', 'b'}, "Premature end of data", true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ExtensionTest, LabelMissingAtTheEndIsUnknownType)
{
    TGIFImage picture;
    EXPECT_EQ(Load(picture, Join({Header(2, 2), {0x21}})).Error, "Unknown extension type");
}

TEST(ExtensionTest, ReadingAnExtensionChecksIntroducerAndLabel)
{
    TGIFImage picture;
    TGIFSubImage frame(&picture);
    struct Case {
        Bytes Data;
        const char* Error;
    };
    const Case cases[] = {
        {{0x22, 0xFE, 0x00}, "Invalid extension introducer"},
        {{0x21, 0xF9, 0x00}, "Internal error: Extension Instance does not match Extension Label"},
        {{0x21}, "Premature end of data"},
    };
    for (const Case& c : cases) {
        TGIFCommentExtension comment(frame);
        TMemoryStream stream{std::span<const std::uint8_t>(c.Data)};
        try {
            comment.LoadFromStream(stream);
            ADD_FAILURE() << c.Error;
        } catch (const GIFException& e) {
            EXPECT_EQ(e.Message, c.Error);
        }
    }
}

// A registry answers the most recent registration of a key.
TEST(ExtensionRegistryTest, LaterRegistrationWinsUntilShutDown)
{
    EXPECT_EQ(TExtensionList::Find(0xFE), &TGIFCommentExtension::Class());
    EXPECT_EQ(TExtensionList::Find(0x02), nullptr);
    TExtensionList::Register(0xFE, TGIFTextExtension::Class());
    EXPECT_EQ(TExtensionList::Find(0xFE), &TGIFTextExtension::Class());

    TGIFApplicationExtension::TIdentifier id{};
    std::copy_n("NETSCAPE2.0", 11, id.begin());
    EXPECT_EQ(TAppExtensionList::Find(id), &TGIFAppExtNSLoop::Class());
    TAppExtensionList::Register(id, TGIFUnknownAppExtension::Class());
    EXPECT_EQ(TAppExtensionList::Find(id), &TGIFUnknownAppExtension::Class());

    FreeExtensionRegistries();
    EXPECT_EQ(TExtensionList::Find(0xFE), &TGIFCommentExtension::Class());
    EXPECT_EQ(TAppExtensionList::Find(id), &TGIFAppExtNSLoop::Class());
}

TEST(ExtensionRegistryTest, FindingTheClassLeavesTheStreamAfterTheIntroducer)
{
    const Bytes bytes = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 0x03, 0x01, 0, 0, 0};
    TMemoryStream stream{std::span<const std::uint8_t>(bytes)};
    stream.SetPosition(1);
    EXPECT_EQ(FindExtensionClass(stream), &TGIFAppExtNSLoop::Class());
    EXPECT_EQ(stream.Position(), 1);
}

} // namespace
} // namespace ostra::test
