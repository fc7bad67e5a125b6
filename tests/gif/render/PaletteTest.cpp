// Which palette a frame and a picture are drawn with, and when it is
// worked out again.
#include "RenderTestSupport.h"

#include "gif/render/Palettes.h"
#include "gif/render/RenderSettings.h"

#include <gtest/gtest.h>

namespace ostra::test {
namespace {

class PaletteTest : public ::testing::Test {
protected:
    void SetUp() override { GIFSettings::AutoDitherEnabled = false; }
};

TEST_F(PaletteTest, FrameTakesItsLocalTableElseThePicturePalette)
{
    const auto picture = LoadPicture(GifBuilder().screen(1, 1).globalColorTable({kRed, kGreen})
                                         .frame({.width = 1, .height = 1, .pixels = {0}, .localColors = {kBlue, kWhite}})
                                         .frame({.width = 1, .height = 1, .pixels = {0}})
                                         .build());
    EXPECT_EQ(FramePalette(picture->Frames[0]), TGIFPalette({ToQRgb(kBlue), ToQRgb(kWhite)}));
    EXPECT_EQ(FramePalette(picture->Frames[1]), TGIFPalette({ToQRgb(kRed), ToQRgb(kGreen)}));
    EXPECT_EQ(PicturePalette(*picture), TGIFPalette({ToQRgb(kRed), ToQRgb(kGreen)}));

    picture->DrawOptions = DrawDither;
    EXPECT_EQ(FramePalette(picture->Frames[1]), CubePalette()) << "dithered frames use the cube";
}

TEST_F(PaletteTest, PictureWithoutGlobalTableTakesTheFirstFramesPalette)
{
    const auto picture = LoadPicture(GifBuilder().screen(1, 1)
                                         .frame({.width = 1, .height = 1, .pixels = {0}, .localColors = {kBlue, kWhite}})
                                         .frame({.width = 1, .height = 1, .pixels = {0}})
                                         .build());
    EXPECT_EQ(PicturePalette(*picture), TGIFPalette({ToQRgb(kBlue), ToQRgb(kWhite)}));
    EXPECT_EQ(FramePalette(picture->Frames[1]), PicturePalette(*picture));
}

TEST_F(PaletteTest, NoTableAnywhereRaisesAndNoFramesGiveNoPalette)
{
    const auto picture =
        LoadPicture(GifBuilder().screen(1, 1).frame({.width = 1, .height = 1, .pixels = {0}}).build());
    EXPECT_THROW(PicturePalette(*picture), GIFException);
    try {
        GetFrameBitmap(picture->Frames.First());
        ADD_FAILURE() << "no error";
    } catch (const GIFException& error) {
        EXPECT_EQ(error.Message, "No global or local color table defined");
    }

    TGIFImage empty;
    EXPECT_TRUE(PicturePalette(empty).isEmpty());
}

TEST_F(PaletteTest, ReadingAnotherPictureForgetsTheCachedPalette)
{
    auto picture = LoadPicture(GifBuilder().screen(1, 1).globalColorTable({kRed, kGreen})
                                   .frame({.width = 1, .height = 1, .pixels = {0}})
                                   .build());
    ASSERT_EQ(PicturePalette(*picture).front(), ToQRgb(kRed));

    const std::vector<std::uint8_t> other = GifBuilder().screen(1, 1).globalColorTable({kBlue, kWhite})
                                                .frame({.width = 1, .height = 1, .pixels = {0}})
                                                .build();
    TMemoryStream stream(other);
    picture->LoadFromStream(stream);
    EXPECT_EQ(PicturePalette(*picture).front(), ToQRgb(kBlue));
}

} // namespace
} // namespace ostra::test
