// Where and how DrawFrame puts a frame on a canvas: offsets, scaling with
// rounding, tiling, transparent and opaque draws.
#include "RenderTestSupport.h"

#include "gif/render/FrameGeometry.h"
#include "gif/render/RenderSettings.h"

#include <QPainter>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ostra::test {
namespace {

using ::testing::ElementsAre;

class DrawFrameTest : public ::testing::Test {
protected:
    void SetUp() override { GIFSettings::AutoDitherEnabled = false; }

    // Draws the picture's first frame onto a fresh canvas.
    QImage drawFirstFrame(TGIFImage& picture, QSize canvasSize, QRect rect, bool transparent, bool tile = false)
    {
        QImage canvas = Canvas(canvasSize.width(), canvasSize.height(), kPaper);
        QPainter painter(&canvas);
        DrawFrame(picture.Frames.First(), painter, rect, transparent, tile);
        painter.end();
        return canvas;
    }
};

TEST(FrameGeometryTest, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDivRound(1, 5, 3), 2);   // 1.67
    EXPECT_EQ(MulDivRound(2, 5, 3), 3);   // 3.33
    EXPECT_EQ(MulDivRound(1, 3, 2), 2);   // 1.5
    EXPECT_EQ(MulDivRound(-1, 3, 2), -2); // -1.5
    EXPECT_EQ(MulDivRound(7, 1, 0), 0);
}

// Logical screen 3 x 3, frame 1 x 1 at (1, 1), drawn into 5 x 5 at (10, 20):
// left 10 + 1 x 5 / 3 = 11.67 -> 12, right 10 + 2 x 5 / 3 = 13.33 -> 13.
TEST(FrameGeometryTest, FrameEdgesScaleWithTheScreen)
{
    EXPECT_EQ(MapFrameRect(QRect(1, 1, 1, 1), QSize(3, 3), QRect(10, 20, 5, 5)), QRect(12, 22, 1, 1));
    EXPECT_EQ(MapFrameRect(QRect(2, 0, 2, 1), QSize(4, 2), QRect(0, 0, 4, 2)), QRect(2, 0, 2, 1)) << "unscaled";
    EXPECT_TRUE(MapFrameRect(QRect(0, 0, 1, 1), QSize(0, 0), QRect(0, 0, 4, 4)).isEmpty());
}

TEST(FrameGeometryTest, TilesStepByTheScreenUntilTheRectanglesFarEdges)
{
    // Screen 3 x 2, frame 2 x 1 at (1, 0), over 7 x 3: across at 1 and 4 (7
    // is not left of the edge), down at 0 and 2.
    EXPECT_THAT(TileRects(QRect(1, 0, 2, 1), QSize(3, 2), QRect(0, 0, 7, 3)),
                ElementsAre(QRect(1, 0, 2, 1), QRect(4, 0, 2, 1), QRect(1, 2, 2, 1), QRect(4, 2, 2, 1)));
    EXPECT_TRUE(TileRects(QRect(0, 0, 1, 1), QSize(0, 2), QRect(0, 0, 7, 3)).empty());
}

TEST_F(DrawFrameTest, SmallFrameLandsAtItsOffset)
{
    const auto picture = LoadPicture(GifBuilder().screen(4, 2).globalColorTable({kRed, kGreen, kBlue, kWhite})
                                         .frame({.left = 1, .top = 1, .width = 2, .height = 1, .pixels = {0, 1}})
                                         .build());
    const QImage canvas = drawFirstFrame(*picture, {4, 2}, QRect(0, 0, 4, 2), false);
    EXPECT_THAT(Pixels(canvas), ElementsAre(P, P, P, P, P, R, G, P));
}

// Screen 2 x 1 drawn into 4 x 2: every pixel becomes a 2 x 2 block, with
// no blending between them.
TEST_F(DrawFrameTest, ScalingStretchesPixelsWithoutSmoothing)
{
    const auto picture = LoadPicture(GifBuilder().screen(2, 1).globalColorTable({kRed, kBlue})
                                         .frame({.width = 2, .height = 1, .pixels = {0, 1}})
                                         .build());
    const QImage canvas = drawFirstFrame(*picture, {4, 2}, QRect(0, 0, 4, 2), false);
    EXPECT_THAT(Pixels(canvas), ElementsAre(R, R, B, B, R, R, B, B));
}

TEST_F(DrawFrameTest, TransparentDrawLeavesMaskedPixelsAndScalesTheMask)
{
    const auto picture = LoadPicture(GifBuilder().screen(2, 1).globalColorTable({kRed, kBlue})
                                         .graphicControl({.transparentIndex = 1})
                                         .frame({.width = 2, .height = 1, .pixels = {1, 0}})
                                         .build());
    EXPECT_THAT(Pixels(drawFirstFrame(*picture, {2, 1}, QRect(0, 0, 2, 1), true)), ElementsAre(P, R));
    EXPECT_THAT(Pixels(drawFirstFrame(*picture, {4, 2}, QRect(0, 0, 4, 2), true)),
                ElementsAre(P, P, R, R, P, P, R, R));
    EXPECT_THAT(Pixels(drawFirstFrame(*picture, {2, 1}, QRect(0, 0, 2, 1), false)), ElementsAre(B, R))
        << "an opaque draw shows the transparent index's colour";
}

TEST_F(DrawFrameTest, TransparentFrameWithoutTransparentPixelsDrawsOpaquely)
{
    const auto picture = LoadPicture(GifBuilder().screen(2, 1).globalColorTable({kRed, kBlue})
                                         .graphicControl({.transparentIndex = 1})
                                         .frame({.width = 2, .height = 1, .pixels = {0, 0}})
                                         .build());
    EXPECT_THAT(Pixels(drawFirstFrame(*picture, {2, 1}, QRect(0, 0, 2, 1), true)), ElementsAre(R, R));
}

// Screen 2 x 1 with a 1 x 1 frame at (1, 0), tiled over 5 x 2: tiles at
// x = 1 and 3 (5 is not left of the edge), y = 0 and 1.
TEST_F(DrawFrameTest, TilingRepeatsTheFrameUnscaled)
{
    const auto picture = LoadPicture(GifBuilder().screen(2, 1).globalColorTable({kRed, kBlue})
                                         .frame({.left = 1, .width = 1, .height = 1, .pixels = {1}})
                                         .build());
    const QImage canvas = drawFirstFrame(*picture, {5, 2}, QRect(0, 0, 5, 2), false, true);
    EXPECT_THAT(Pixels(canvas), ElementsAre(P, B, P, B, P, P, B, P, B, P));
}

} // namespace
} // namespace ostra::test
