// Our reader against giflib on generated pictures: every frame's colour
// indices must be the same. The writer's own pixels are checked too, so a
// disagreement points at the right side.
#include "gif/GIFImage.h"
#include "gif/differential/DifferentialCases.h"
#include "gif/differential/GiflibDecoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>

namespace ostra::test {
namespace {

struct OurPicture {
    std::vector<std::vector<std::uint8_t>> framePixels;
    std::vector<std::string> warnings;
    std::int64_t endPosition = 0;
};

// A stream that delivers at most a few bytes a read, as a pipe or a slow
// source may: the reader must ask again rather than take a short read for
// the end of the data.
class ShortReadStream final : public TStream {
public:
    ShortReadStream(std::span<const std::uint8_t> bytes, std::size_t perRead) : bytes_(bytes), perRead_(perRead) {}

    std::size_t Read(void* buffer, std::size_t count) override { return bytes_.Read(buffer, std::min(count, perRead_)); }
    std::int64_t Position() const override { return bytes_.Position(); }
    void SetPosition(std::int64_t position) override { bytes_.SetPosition(position); }
    std::int64_t Size() const override { return bytes_.Size(); }

private:
    TMemoryStream bytes_;
    std::size_t perRead_;
};

// Bytes delivered a read: all that is asked, one, and seven (which splits
// sub-blocks, colour tables and extension records at odd places).
constexpr std::size_t kWholeReads = 0;
constexpr std::size_t kReadSizes[] = {kWholeReads, 1, 7};

OurPicture DecodeWithOstra(const std::vector<std::uint8_t>& file, std::size_t perRead)
{
    OurPicture result;
    TGIFImage picture;
    picture.WarningHandler = [&](TPersistent&, int, const std::string& text) { result.warnings.push_back(text); };
    std::unique_ptr<TStream> stream;
    if (perRead == kWholeReads)
        stream = std::make_unique<TMemoryStream>(file);
    else
        stream = std::make_unique<ShortReadStream>(file, perRead);
    picture.LoadFromStream(*stream);
    for (const TGIFSubImage& frame : picture.Frames) {
        result.framePixels.push_back(frame.PixelData);
    }
    result.endPosition = stream->Position();
    return result;
}

// "" when equal, else where the first difference lies (huge vectors are not printed).
std::string FirstDifference(const std::vector<std::uint8_t>& ours, const std::vector<std::uint8_t>& theirs, int width)
{
    if (ours.size() != theirs.size()) {
        return std::to_string(ours.size()) + " pixels instead of " + std::to_string(theirs.size());
    }
    for (std::size_t i = 0; i < ours.size(); ++i) {
        if (ours[i] != theirs[i]) {
            return "row " + std::to_string(i / static_cast<std::size_t>(width)) + ", column " +
                   std::to_string(i % static_cast<std::size_t>(width)) + ": " + std::to_string(ours[i]) + " instead of " +
                   std::to_string(theirs[i]);
        }
    }
    return "";
}

class Differential : public ::testing::TestWithParam<PictureSpec> {};

TEST_P(Differential, SameColourIndicesAsGiflib)
{
    const PictureSpec& recipe = GetParam();
    const BuiltPicture built = BuildPicture(recipe);
    const GiflibPicture peer = DecodeWithGiflib(built.file);
    ASSERT_TRUE(peer.ok) << "giflib: " << peer.error;
    ASSERT_EQ(peer.frames.size(), built.framePixels.size());

    for (std::size_t i = 0; i < peer.frames.size(); ++i)
        ASSERT_EQ(peer.frames[i].pixels, built.framePixels[i]) << "giflib does not read what the writer wrote";

    std::vector<std::string> wholeReadWarnings;
    for (const std::size_t perRead : kReadSizes) {
        SCOPED_TRACE(perRead == kWholeReads ? "whole reads" : std::to_string(perRead) + " bytes a read");
        OurPicture ours;
        try {
            ours = DecodeWithOstra(built.file, perRead);
        } catch (const GIFException& error) {
            FAIL() << "our reader raised \"" << error.Message << "\"";
        }
        // A trailing comment makes a frame of its own, without an image.
        const std::size_t extraFrames = recipe.comment.empty() ? 0 : 1;
        ASSERT_EQ(ours.framePixels.size(), peer.frames.size() + extraFrames);
        for (std::size_t i = 0; i < peer.frames.size(); ++i) {
            SCOPED_TRACE("frame " + std::to_string(i));
            EXPECT_EQ(FirstDifference(ours.framePixels[i], peer.frames[i].pixels, peer.frames[i].width), "");
        }
        if (extraFrames != 0) {
            EXPECT_TRUE(ours.framePixels.back().empty());
        }
        if (recipe.wellFormed) {
            EXPECT_TRUE(ours.warnings.empty()) << "first warning: " << ours.warnings.front();
            EXPECT_EQ(ours.endPosition, static_cast<std::int64_t>(built.file.size())) << "the stream stands after the trailer";
        }
        if (perRead == kWholeReads)
            wholeReadWarnings = ours.warnings;
        else
            EXPECT_EQ(ours.warnings, wholeReadWarnings) << "short reads warn of nothing whole reads do not";
    }
}

auto caseName = [](const ::testing::TestParamInfo<PictureSpec>& info) { return info.param.name; };

INSTANTIATE_TEST_SUITE_P(CodeSizesAndSizes, Differential, ::testing::ValuesIn(CodeSizeAndSizeCases()), caseName);
INSTANTIATE_TEST_SUITE_P(Interlaced, Differential, ::testing::ValuesIn(InterlacedCases()), caseName);
INSTANTIATE_TEST_SUITE_P(FullTables, Differential, ::testing::ValuesIn(FullTableCases()), caseName);
INSTANTIATE_TEST_SUITE_P(SubBlocks, Differential, ::testing::ValuesIn(SubBlockCases()), caseName);
INSTANTIATE_TEST_SUITE_P(ClearAndEndCodes, Differential, ::testing::ValuesIn(ClearAndEndCodeCases()), caseName);
INSTANTIATE_TEST_SUITE_P(MultiFrame, Differential, ::testing::ValuesIn(MultiFrameCases()), caseName);
INSTANTIATE_TEST_SUITE_P(Random, Differential, ::testing::ValuesIn(RandomCases()), caseName);

} // namespace
} // namespace ostra::test
