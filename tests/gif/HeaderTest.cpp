// The signature, the logical screen descriptor and the colour tables.
#include "gif/GifBytes.h"

#include <gtest/gtest.h>

#include <ostream>

namespace ostra::test {
namespace {

// A 1 x 1 picture after whatever signature the case gives.
Bytes pictureWithSignature(const Bytes& signature)
{
    return Join({signature,
                 {0x01, 0x00, 0x01, 0x00, // screen 1 x 1
                  0x00, 0x00, 0x00},      // no global table, background 0, aspect 0
                 ImageDescriptor(1, 1),
                 {0x02, 0x02, 0x4C, 0x01, 0x00}, // codes clear, 1, end
                 {0x3B}});
}

struct SignatureCase {
    const char* Name;
    Bytes Signature;
    const char* Error; // "" when the picture loads
};

// Test listings name the case, not its bytes.
void PrintTo(const SignatureCase& row, std::ostream* out)
{
    *out << row.Name;
}

class SignatureTest : public testing::TestWithParam<SignatureCase> {};

TEST_P(SignatureTest, AcceptsOrRefuses)
{
    TGIFImage picture;
    const LoadResult result = Load(picture, pictureWithSignature(GetParam().Signature));
    EXPECT_EQ(result.Error, GetParam().Error);
    EXPECT_TRUE(result.Warnings.empty());
    if (result.Error.empty()) {
        ASSERT_EQ(picture.Frames.Count(), 1u);
        EXPECT_EQ(picture.Frames[0].PixelData, Bytes{1});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Signatures, SignatureTest,
    testing::Values(SignatureCase{"GIF89a", {'G', 'I', 'F', '8', '9', 'a'}, ""},
                    SignatureCase{"GIF87a", {'G', 'I', 'F', '8', '7', 'a'}, ""},
                    SignatureCase{"UnknownVersion", {'G', 'I', 'F', 'x', 'y', 'z'}, ""},
                    SignatureCase{"LowerCase", {'g', 'i', 'f', '8', '9', 'a'}, ""},
                    SignatureCase{"MixedCase", {'g', 'I', 'f', '8', '9', 'a'}, ""},
                    // Four bytes of something else in front: found by the second try.
                    SignatureCase{"FourBytesInFront", {'M', 'A', 'C', '0', 'G', 'I', 'F', '8', '9', 'a'}, ""},
                    SignatureCase{"ThreeBytesInFront", {'M', 'A', 'C', 'G', 'I', 'F', '8', '9', 'a'},
                                  "Invalid GIF signature"},
                    SignatureCase{"FiveBytesInFront", {'M', 'A', 'C', '0', '0', 'G', 'I', 'F', '8', '9', 'a'},
                                  "Invalid GIF signature"},
                    SignatureCase{"NotAGif", {'P', 'N', 'G', '8', '9', 'a'}, "Invalid GIF signature"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(HeaderTest, ShortSignatureIsPrematureEnd)
{
    TGIFImage picture;
    EXPECT_EQ(Load(picture, {'G', 'I', 'F', '8'}).Error, "Premature end of data");
    // The second try after the 4-byte skip runs out as well.
    EXPECT_EQ(Load(picture, {'X', 'X', 'X', 'X', 'X', 'X', 'G', 'I'}).Error, "Premature end of data");
}

TEST(HeaderTest, ReadsScreenDescriptorAndGlobalTable)
{
    const Bytes bytes = {
        'G', 'I', 'F', '8', '9', 'a',
        0xCC, 0x00, 0x2A, 0x00, // screen 204 x 42
        0xC1,                   // global table of 4 entries, colour resolution field 4
        0x03,                   // background index 3
        0x31,                   // aspect ratio byte
        0x10, 0x20, 0x30,  0x40, 0x50, 0x60,  0x70, 0x80, 0x90,  0xA0, 0xB0, 0xC0,
        0x3B,
    };
    TGIFImage picture;
    const LoadResult result = Load(picture, bytes);
    ASSERT_EQ(result.Error, "");
    EXPECT_EQ(picture.Width(), 204);
    EXPECT_EQ(picture.Height(), 42);
    EXPECT_EQ(picture.Header.PackedFields, 0xC1);
    EXPECT_EQ(picture.Header.BackgroundColorIndex, 3);
    EXPECT_EQ(picture.Header.AspectRatio, 0x31);
    const TGIFGlobalColorMap& map = picture.Header.GlobalColorMap;
    ASSERT_EQ(map.Count(), 4);
    EXPECT_EQ(map.Capacity(), 16);
    EXPECT_EQ(map.BitsPerPixel(), 2);
    EXPECT_EQ(map[3], (TGIFColor{0xA0, 0xB0, 0xC0}));
    EXPECT_FALSE(map.Sorted);
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(result.Position, static_cast<std::int64_t>(bytes.size()));
}

TEST(HeaderTest, TableSizesAndCapacities)
{
    // Table size field N gives 2^(N+1) entries; capacity 16, then multiples of 32.
    const int expectedCapacity[8] = {16, 16, 16, 16, 32, 64, 128, 256};
    for (int n = 0; n < 8; ++n) {
        TGIFImage picture;
        ASSERT_EQ(Load(picture, Join({Header(1, 1, n), {0x3B}})).Error, "") << n;
        EXPECT_EQ(picture.Header.GlobalColorMap.Count(), 2 << n);
        EXPECT_EQ(picture.Header.GlobalColorMap.Capacity(), expectedCapacity[n]);
        EXPECT_EQ(picture.Header.GlobalColorMap.BitsPerPixel(), n + 1);
    }
}

TEST(HeaderTest, TruncatedGlobalTableIsPrematureEnd)
{
    Bytes bytes = Header(1, 1, 2); // 8 entries
    bytes.resize(bytes.size() - 1);
    TGIFImage picture;
    EXPECT_EQ(Load(picture, bytes).Error, "Premature end of data");
}

TEST(ColorMapTest, ColorAtPacksRedLowAndWarnsOutsideTheMap)
{
    TGIFImage picture;
    ASSERT_EQ(Load(picture, Join({Header(1, 1, 0), {0x3B}})).Error, ""); // entries 00 00 00, 10 10 10
    std::vector<std::string> warnings;
    picture.WarningHandler = [&](TPersistent& sender, int severity, const std::string& text) {
        EXPECT_EQ(&sender, &picture.Header.GlobalColorMap);
        EXPECT_EQ(severity, 1);
        warnings.push_back(text);
    };
    TGIFColorMap& map = picture.Header.GlobalColorMap;
    EXPECT_EQ(map.ColorAt(1), 0x101010u);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(map.ColorAt(2), 0x000000u); // entry 0
    EXPECT_EQ(map.ColorAt(-1), 0x000000u);
    EXPECT_EQ(warnings, (std::vector<std::string>{"Invalid color index", "Invalid color index"}));
}

TEST(ColorMapTest, ColorAtOfEmptyMapWarnsThenFails)
{
    TGIFImage picture;
    std::vector<std::string> warnings;
    picture.WarningHandler = [&](TPersistent&, int, const std::string& text) { warnings.push_back(text); };
    try {
        picture.Header.GlobalColorMap.ColorAt(0);
        FAIL() << "no error";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message, "Color table is empty");
    }
    EXPECT_EQ(warnings, std::vector<std::string>{"Invalid color index"});
}

} // namespace
} // namespace ostra::test
