// Floyd-Steinberg dithering to the 216-colour cube, against values worked
// out by hand. Greys keep the three channels equal, so a grey of level L
// is cube index 43 L (36 L + 6 L + L).
#include "RenderTestSupport.h"

#include "gif/render/CubeDitherer.h"
#include "gif/render/CubePalette.h"
#include "gif/render/FrameCache.h"
#include "gif/render/RenderSettings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ostra::test {
namespace {

using ::testing::ElementsAre;

constexpr TGIFColor grey(std::uint8_t value)
{
    return {value, value, value};
}

// Dithers rows of colours in serpentine order, as the bitmap builder does.
std::vector<std::vector<int>> ditherRows(const std::vector<std::vector<TGIFColor>>& rows)
{
    TCubeDitherer ditherer(static_cast<int>(rows.front().size()));
    std::vector<std::vector<int>> result;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        ditherer.StartRow(static_cast<int>(y));
        const int width = static_cast<int>(rows[y].size());
        std::vector<int> out(rows[y].size());
        for (int i = 0; i < width; ++i) {
            const int x = ditherer.LeftToRight() ? i : width - 1 - i;
            out[static_cast<std::size_t>(x)] = ditherer.Dither(rows[y][static_cast<std::size_t>(x)]);
        }
        result.push_back(out);
    }
    return result;
}

TEST(CubePaletteTest, EntriesAreTheSixLevelsOfEachChannel)
{
    const TGIFPalette& cube = CubePalette();
    ASSERT_EQ(cube.size(), 216);
    EXPECT_EQ(cube[0], qRgb(0, 0, 0));
    EXPECT_EQ(cube[36 * 1 + 6 * 2 + 3], qRgb(51, 102, 153));
    EXPECT_EQ(cube[215], qRgb(255, 255, 255));
    EXPECT_EQ(NearestCubeIndex({255, 255, 255}), 215);
    EXPECT_EQ(NearestCubeIndex({26, 25, 128}), 36 * 1 + 6 * 0 + 3);
}

// One pixel each, so no error comes in: (47 + 3) / 51 = 0,
// (48 + 3) / 51 = 1, (98 + 3) / 51 = 1, (99 + 3) / 51 = 2, (252 + 3) / 51 = 5.
TEST(CubeDithererTest, QuantisesWithPlusThreeOverFiftyOne)
{
    const std::vector<std::pair<TGIFColor, int>> cases = {
        {{47, 48, 252}, 36 * 0 + 6 * 1 + 5},
        {{98, 99, 0}, 36 * 1 + 6 * 2 + 0},
        {{51, 102, 153}, 36 * 1 + 6 * 2 + 3},
        {{255, 255, 255}, 215},
    };
    for (const auto& [color, index] : cases)
        EXPECT_THAT(ditherRows({{color}}), ElementsAre(ElementsAre(index)))
            << int{color.Red} << "," << int{color.Green} << "," << int{color.Blue};
}

// Row 0, left to right: 10 -> level 0, error 10: 70 ahead, 50 below.
//   Next pixel: 10 + (70 + 8) / 16 = 14 -> level 0, error 14: 42 below-behind, 70 below.
//   Row 1 errors: x0 = 50 + 42 = 92, x1 = 10 + 70 = 80.
// Row 1, right to left: x1: 40 + (80 + 8) / 16 = 45 -> level 0, error 45: 315 to x0.
//   x0: 10 + (92 + 315 + 8) / 16 = 35 -> level 0.
// Left to right instead, x1 would get 40 + (80 + 112 + 8) / 16 = 52, level 1.
TEST(CubeDithererTest, OddRowsRunRightToLeft)
{
    EXPECT_THAT(ditherRows({{grey(10), grey(10)}, {grey(10), grey(40)}}),
                ElementsAre(ElementsAre(0, 0), ElementsAre(0, 0)));
}

// 48 -> level 1, error -3: -21 ahead. Next: 48 + (-21 + 8) / 16 = 48 + 0
// (the division truncates) -> level 1 again; flooring would give 47, level 0.
TEST(CubeDithererTest, NegativeErrorsRoundTowardsZero)
{
    EXPECT_THAT(ditherRows({{grey(48), grey(48), grey(48)}}), ElementsAre(ElementsAre(43, 43, 43)));
}

// 230 -> level 4, error 26: 182 ahead. 250 + (182 + 8) / 16 = 261, kept
// to 255 -> level 5, error 0, so 45 stays level 0. Unclamped, the error
// of 6 would lift 45 to 48, level 1.
TEST(CubeDithererTest, CorrectedValuesAreClampedBeforeTheErrorIsTaken)
{
    EXPECT_THAT(ditherRows({{grey(230), grey(250), grey(45)}}), ElementsAre(ElementsAre(172, 215, 0)));
}

class DitheredBitmapTest : public ::testing::Test {
protected:
    void SetUp() override { GIFSettings::AutoDitherEnabled = true; }
    void TearDown() override { GIFSettings::AutoDitherEnabled = false; }
};

TEST_F(DitheredBitmapTest, BitmapUsesTheCubePaletteOnAPaletteDisplay)
{
    const auto picture = LoadPicture(GifBuilder().screen(2, 1).globalColorTable({{51, 102, 153}, kWhite})
                                         .frame({.width = 2, .height = 1, .pixels = {0, 1}})
                                         .build());
    const QImage* bitmap = GetFrameBitmap(picture->Frames.First());

    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->colorTable().mid(0, 216), CubePalette());
    EXPECT_EQ(bitmap->color(216), qRgb(0, 0, 0));
    EXPECT_THAT(Indices(*bitmap), ElementsAre(51, 215));
}

TEST_F(DitheredBitmapTest, DitheringFollowsTheDrawOptions)
{
    auto picture = LoadPicture(GifBuilder().screen(1, 1).globalColorTable({{51, 102, 153}, kWhite})
                                   .frame({.width = 1, .height = 1, .pixels = {0}})
                                   .build());
    picture->DrawOptions &= ~DrawDither;
    EXPECT_THAT(Indices(*GetFrameBitmap(picture->Frames.First())), ElementsAre(0)) << "not dithered";

    GIFSettings::AutoDitherEnabled = false;
    picture->DrawOptions |= DrawDither;
    EXPECT_FALSE(FramesDithered(*picture)) << "auto dithering off on a true-colour display";
    picture->DrawOptions &= ~DrawAutoDither;
    EXPECT_TRUE(FramesDithered(*picture)) << "dithering forced";
}

// White transparent colour: the fill is cube entry 215 (white), never 216.
// The error of 40 (280 sixteenths ahead) skips the transparent pixel and
// lifts the next one: 40 + (280 + 8) / 16 = 58, level 1.
TEST_F(DitheredBitmapTest, TransparentPixelsKeepTheFillAndPassTheirErrorOn)
{
    const auto picture = LoadPicture(GifBuilder().screen(3, 1).globalColorTable({{40, 40, 40}, kWhite})
                                         .graphicControl({.transparentIndex = 1})
                                         .frame({.width = 3, .height = 1, .pixels = {0, 1, 0}})
                                         .build());
    TGIFSubImage& frame = picture->Frames.First();
    ASSERT_TRUE(HasFrameMask(frame));

    const QImage& bitmap = FrameCacheOf(frame).FrameBitmap;
    EXPECT_THAT(Indices(bitmap), ElementsAre(0, 215, 43));
    EXPECT_EQ(bitmap.pixel(1, 0), qRgb(255, 255, 255)) << "an opaque draw shows the transparent colour";
    EXPECT_THAT(MaskBits(FrameCacheOf(frame).FrameMask), ElementsAre(0, 1, 0));
}

// Index 3 lies past the two-entry table: black, with no error to pass on.
TEST_F(DitheredBitmapTest, IndicesPastTheColourTableAreBlack)
{
    const auto picture = LoadPicture(GifBuilder().screen(2, 1).globalColorTable({kWhite, kWhite})
                                         .frame({.width = 2, .height = 1, .pixels = {3, 0}})
                                         .build());
    EXPECT_THAT(Indices(*GetFrameBitmap(picture->Frames.First())), ElementsAre(0, 215));
}

} // namespace
} // namespace ostra::test
