// The cap on the pixel memory of one picture: frames that would pass it are
// refused before their pixels exist, also when a few bytes declare frames
// of 65535 x 65535 pixels; memory that cannot be had is the same error.
#include "gif/GIFSettings.h"
#include "gif/GifBytes.h"

#include <gtest/gtest.h>

#include <cctype>
#include <new>
#include <span>
#include <ostream>

namespace ostra::test {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kOverLimit = "Image exceeds memory limit";

// 2 x 2 frames under a 4 x 4 screen, each holding 0 1 / 2 3.
Bytes smallFrames(int count)
{
    Bytes picture = Header(4, 4);
    for (int i = 0; i < count; ++i)
        picture = Join({picture, ImageDescriptor(2, 2), TwoByTwoImageData()});
    return Join({picture, {0x3B}});
}

// Frames of the given size without colours: descriptor, LZW minimum code
// size 2 and an empty data block. Two frames of 65535 x 65535 make 38 bytes.
Bytes hugeFrames(std::uint16_t screen, std::uint16_t frame, int count)
{
    Bytes picture = Header(screen, screen, -1);
    for (int i = 0; i < count; ++i)
        picture = Join({picture, ImageDescriptor(frame, frame), {0x02, 0x00}});
    return Join({picture, {0x3B}});
}

struct LimitCase {
    const char* Name;
    Bytes Picture;
    std::size_t Limit;
    const char* Error; // "" when the load succeeds
    std::size_t Frames;  // kept after the load
    Strings Warnings;
};

void PrintTo(const LimitCase& c, std::ostream* out)
{
    *out << c.Name;
}

// The library's limit for one test, the default again afterwards.
class ScopedMemoryLimit {
public:
    explicit ScopedMemoryLimit(std::size_t limit) { GIFSettings::MemoryLimit = limit; }
    ~ScopedMemoryLimit() { GIFSettings::MemoryLimit = GIFSettings::kDefaultMemoryLimit; }
};

class MemoryLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(MemoryLimitTest, FramesPastTheLimitAreRefused)
{
    const LimitCase& c = GetParam();
    const ScopedMemoryLimit limit(c.Limit);
    TGIFImage picture;

    const LoadResult result = Load(picture, c.Picture);

    EXPECT_EQ(result.Error, c.Error);
    EXPECT_EQ(Texts(result.Warnings), c.Warnings);
    ASSERT_EQ(picture.Frames.Count(), c.Frames);
    std::size_t held = 0;
    for (const TGIFSubImage& frame : picture.Frames) {
        EXPECT_EQ(frame.PixelData, (Bytes{0, 1, 2, 3}));
        held += frame.PixelData.size();
    }
    EXPECT_EQ(picture.PixelMemory(), held) << "what the picture counts is what its frames hold";
    EXPECT_EQ(result.Position, *c.Error ? 0 : static_cast<std::int64_t>(c.Picture.size()));
}

const std::size_t kDefault = GIFSettings::kDefaultMemoryLimit;
const Strings kNone;
const Strings kScreenSize{"Image exceeds Logical Screen size"};

INSTANTIATE_TEST_SUITE_P(
    Cases, MemoryLimitTest,
    ::testing::Values(LimitCase{"one frame exactly at the limit", smallFrames(1), 4, "", 1, kNone},
                      LimitCase{"one frame one byte over", smallFrames(1), 3, kOverLimit, 0, kNone},
                      LimitCase{"three frames exactly at the limit", smallFrames(3), 12, "", 3, kNone},
                      LimitCase{"the third frame one byte over", smallFrames(3), 11, kOverLimit, 2, kNone},
                      LimitCase{"a frame of 65535 x 65535", hugeFrames(1, 65535, 1), kDefault, kOverLimit, 0,
                                kNone},
                      LimitCase{"two frames of 65535 x 65535", hugeFrames(1, 65535, 2), kDefault, kOverLimit, 0,
                                kNone},
                      LimitCase{"a zero-size frame on a 65535 x 65535 screen", hugeFrames(65535, 0, 1), kDefault,
                                kOverLimit, 0, kScreenSize}),
    [](const ::testing::TestParamInfo<LimitCase>& info) {
        std::string name = info.param.Name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(MemoryLimitFileSizeTest, HostileFilesAreAFewDozenBytes)
{
    EXPECT_EQ(hugeFrames(1, 65535, 1).size(), 26u);
    EXPECT_EQ(hugeFrames(1, 65535, 2).size(), 38u);
}

// The pixels of frames that are freed, or read again, no longer count.
TEST(MemoryLimitAccountingTest, FreedPixelsAreGivenBack)
{
    const ScopedMemoryLimit limit(8);
    TGIFImage picture;
    ASSERT_EQ(Load(picture, smallFrames(2)).Error, "");
    EXPECT_EQ(picture.PixelMemory(), 8u);
    picture.Frames.Delete(0);
    EXPECT_EQ(picture.PixelMemory(), 4u);
    EXPECT_EQ(Load(picture, smallFrames(2)).Error, "") << "a new load starts from nothing";
    picture.Clear();
    EXPECT_EQ(picture.PixelMemory(), 0u);
}

// Memory that cannot be had anywhere in a load (here: while a warning is
// handled) leaves the load as the memory-limit error, the stream set back.
TEST(MemoryLimitAccountingTest, FailedAllocationIsTheMemoryLimitError)
{
    const Bytes bytes = Join({Header(2, 2), ImageDescriptor(0, 2), TwoByTwoImageData(), {0x3B}});
    TGIFImage picture;
    picture.WarningHandler = [](TPersistent&, int, const std::string&) { throw std::bad_alloc(); };
    TMemoryStream stream{std::span<const std::uint8_t>(bytes)};
    stream.SetPosition(0);
    try {
        picture.LoadFromStream(stream);
        FAIL() << "the load succeeded";
    } catch (const GIFException& error) {
        EXPECT_EQ(error.Message, kOverLimit);
    }
    EXPECT_EQ(stream.Position(), 0);
    EXPECT_EQ(picture.Frames.Count(), 0u);
}

} // namespace
} // namespace ostra::test
