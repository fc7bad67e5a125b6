// The picture's Draw on its direct path: one frame, or several without
// DrawAnimate. No painter is involved.
#include "RenderTestSupport.h"

#include "gif/render/PictureState.h"
#include "gif/render/RenderSettings.h"

#include <QPainter>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ostra::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Three frames of 2 x 1: red-blue (blue transparent), green, blue.
std::vector<std::uint8_t> threeFrames()
{
    return GifBuilder().screen(2, 1).globalColorTable({kRed, kGreen, kBlue, kWhite})
        .graphicControl({.transparentIndex = 2})
        .frame({.width = 2, .height = 1, .pixels = {0, 2}})
        .frame({.width = 2, .height = 1, .pixels = {1, 1}})
        .frame({.width = 2, .height = 1, .pixels = {2, 2}})
        .build();
}

QImage drawPicture(TGIFImage& picture, QSize size, QRect rect)
{
    QImage canvas = Canvas(size.width(), size.height(), kPaper);
    QPainter painter(&canvas);
    Draw(picture, painter, rect);
    painter.end();
    return canvas;
}

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override { GIFSettings::AutoDitherEnabled = false; }
};

TEST_F(DrawTest, WithoutAnimationDrawsTheChosenFrameAndStartsNoPainter)
{
    const auto picture = LoadPicture(threeFrames());
    picture->DrawOptions &= ~DrawAnimate;
    bool painterStarted = false;
    picture->StartPaintHandler = [&](TGIFPainter&) { painterStarted = true; };

    const std::vector<std::pair<int, std::vector<QRgb>>> cases = {
        {-1, {R, P}}, {1, {G, G}}, {2, {B, B}}, {3, {R, P}}, {-7, {R, P}},
    };
    for (const auto& [index, expected] : cases) {
        picture->DrawFrameIndex = index;
        EXPECT_THAT(Pixels(drawPicture(*picture, {2, 1}, QRect(0, 0, 2, 1))), ElementsAreArray(expected))
            << "DrawFrameIndex " << index;
    }
    EXPECT_FALSE(painterStarted);
    EXPECT_EQ(PictureStateOf(*picture).Painters->Count(), 0u);
}

TEST_F(DrawTest, TransparencyAndTilingFollowTheDrawOptions)
{
    const auto picture = LoadPicture(GifBuilder().screen(2, 1).globalColorTable({kRed, kBlue})
                                         .graphicControl({.transparentIndex = 1})
                                         .frame({.width = 2, .height = 1, .pixels = {0, 1}})
                                         .build());
    EXPECT_THAT(Pixels(drawPicture(*picture, {2, 1}, QRect(0, 0, 2, 1))), ElementsAre(R, P));
    EXPECT_THAT(Pixels(drawPicture(*picture, {4, 1}, QRect(0, 0, 4, 1))), ElementsAre(R, R, P, P)) << "scaled";

    picture->DrawOptions |= DrawTile;
    EXPECT_THAT(Pixels(drawPicture(*picture, {4, 1}, QRect(0, 0, 4, 1))), ElementsAre(R, P, R, P)) << "tiled";

    picture->DrawOptions &= ~(DrawTile | DrawTransparent);
    EXPECT_THAT(Pixels(drawPicture(*picture, {2, 1}, QRect(0, 0, 2, 1))), ElementsAre(R, B)) << "opaque";
}

TEST_F(DrawTest, EmptyPictureDrawsNothing)
{
    TGIFImage picture;
    EXPECT_THAT(Pixels(drawPicture(picture, {1, 1}, QRect(0, 0, 1, 1))), ElementsAre(P));
}

// The frame's bitmap is built inside Draw; its progress report calls Draw
// again, which must leave the second canvas alone.
TEST_F(DrawTest, DrawWithinADrawOfTheSamePictureDoesNothing)
{
    const auto picture = LoadPicture(GifBuilder().screen(1, 1).globalColorTable({kRed, kBlue})
                                         .frame({.width = 1, .height = 1, .pixels = {0}})
                                         .build());
    QImage inner = Canvas(1, 1, kPaper);
    int nestedDraws = 0;
    picture->ProgressHandler = [&](TPersistent&, TProgressStage stage, int, bool, const TRect&, const std::string&) {
        if (stage != TProgressStage::Starting)
            return;
        QPainter painter(&inner);
        Draw(*picture, painter, QRect(0, 0, 1, 1));
        ++nestedDraws;
    };

    EXPECT_THAT(Pixels(drawPicture(*picture, {1, 1}, QRect(0, 0, 1, 1))), ElementsAre(R));
    EXPECT_EQ(nestedDraws, 1);
    EXPECT_THAT(Pixels(inner), ElementsAre(P));
    EXPECT_THAT(Pixels(drawPicture(*picture, {1, 1}, QRect(0, 0, 1, 1))), ElementsAre(R)) << "drawing again works";
}

} // namespace
} // namespace ostra::test
