// Frame bitmaps and masks built from decoded pixels, undithered (a true
// colour display), and the caches that keep them.
#include "RenderTestSupport.h"

#include "gif/render/FrameBitmap.h"
#include "gif/render/FrameCache.h"
#include "gif/render/RenderErrors.h"
#include "gif/render/RenderSettings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ostra::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class FrameBitmapTest : public ::testing::Test {
protected:
    void SetUp() override { GIFSettings::AutoDitherEnabled = false; }
};

// With RenderOnLoad every frame's bitmap (and mask) exists as soon as the
// picture is read; without it, not before the first use.
TEST_F(FrameBitmapTest, RenderOnLoadBuildsEachFrameAsItIsRead)
{
    InitializeGIFRendering();
    GIFSettings::AutoDitherEnabled = false;
    const GifBuilder builder = GifBuilder().screen(2, 1).globalColorTable({kRed, kGreen})
                                   .frame({.width = 2, .height = 1, .pixels = {0, 1}})
                                   .graphicControl({.transparentIndex = 1})
                                   .frame({.width = 2, .height = 1, .pixels = {1, 0}});
    for (const bool renderOnLoad : {false, true}) {
        GIFSettings::RenderOnLoad = renderOnLoad;
        const auto picture = LoadPicture(builder.build());
        GIFSettings::RenderOnLoad = false;
        ASSERT_EQ(picture->Frames.Count(), 2u);
        for (TGIFSubImage& frame : picture->Frames) {
            const TGIFFrameCache& cache = FrameCacheOf(frame);
            EXPECT_EQ(cache.FrameBitmap.isNull(), !renderOnLoad) << "RenderOnLoad " << renderOnLoad;
            if (renderOnLoad) {
                EXPECT_THAT(Indices(cache.FrameBitmap), ElementsAreArray(frame.PixelData));
            }
        }
        EXPECT_EQ(FrameCacheOf(picture->Frames[1]).FrameMask.isNull(), !renderOnLoad);
    }
}

// 4 global colours; a 3 x 2 frame using all of them plus indices 5 and 7,
// which lie past the table.
TEST_F(FrameBitmapTest, CopiesIndicesAndPadsThePaletteWithBlack)
{
    const auto picture = LoadPicture(GifBuilder().screen(3, 2).globalColorTable({kRed, kGreen, kBlue, kWhite})
                                         .frame({.width = 3, .height = 2, .pixels = {0, 1, 2, 3, 5, 7}})
                                         .build());
    const QImage* bitmap = GetFrameBitmap(picture->Frames.First());

    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->format(), QImage::Format_Indexed8);
    ASSERT_EQ(bitmap->colorCount(), 256);
    EXPECT_EQ(bitmap->color(0), ToQRgb(kRed));
    EXPECT_EQ(bitmap->color(3), ToQRgb(kWhite));
    for (int i = 4; i < 256; ++i)
        ASSERT_EQ(bitmap->color(i), qRgb(0, 0, 0)) << "entry " << i;
    EXPECT_THAT(Indices(*bitmap), ElementsAre(0, 1, 2, 3, 5, 7));
    EXPECT_EQ(bitmap->pixel(1, 1), qRgb(0, 0, 0));
}

// A 10 x 2 frame, transparent index 3 at x = 0, 7, 8 and 9 of the top row:
// the mask's first row reads 1000 0001 1100 0000, most significant bit first.
TEST_F(FrameBitmapTest, MaskHasABitForEveryTransparentPixelMostSignificantFirst)
{
    const auto picture = LoadPicture(GifBuilder().screen(10, 2).globalColors(4)
                                         .graphicControl({.transparentIndex = 3})
                                         .frame({.width = 10, .height = 2,
                                                 .pixels = {3, 0, 1, 2, 0, 1, 2, 3, 3, 3,
                                                            0, 0, 0, 0, 0, 0, 0, 0, 0, 1}})
                                         .build());
    TGIFSubImage& frame = picture->Frames.First();

    ASSERT_TRUE(HasFrameMask(frame));
    const QImage& mask = FrameCacheOf(frame).FrameMask;
    EXPECT_EQ(mask.format(), QImage::Format_Mono);
    EXPECT_EQ(mask.constScanLine(0)[0], 0x81);
    EXPECT_EQ(mask.constScanLine(0)[1] & 0xC0, 0xC0);
    EXPECT_EQ(mask.constScanLine(1)[0], 0x00);
    EXPECT_EQ(mask.constScanLine(1)[1] & 0xC0, 0x00);
    EXPECT_FALSE(FrameCacheOf(frame).NeedMask);
}

TEST_F(FrameBitmapTest, NoMaskWhenTheTransparentIndexNeverOccurs)
{
    const auto picture = LoadPicture(GifBuilder().screen(2, 1).globalColors(4)
                                         .graphicControl({.transparentIndex = 3})
                                         .frame({.width = 2, .height = 1, .pixels = {0, 1}})
                                         .build());
    TGIFSubImage& frame = picture->Frames.First();

    ASSERT_TRUE(frame.Transparent);
    EXPECT_FALSE(HasFrameMask(frame));
    EXPECT_NE(GetFrameBitmap(frame), nullptr);
}

TEST_F(FrameBitmapTest, BitmapIsBuiltOnceAndDroppedWhenTheFrameIsCleared)
{
    const auto picture = LoadPicture(GifBuilder().screen(2, 1).globalColors(2)
                                         .frame({.width = 2, .height = 1, .pixels = {0, 1}})
                                         .build());
    int builds = 0;
    picture->ProgressHandler = [&](TPersistent&, TProgressStage stage, int, bool, const TRect&, const std::string&) {
        builds += stage == TProgressStage::Starting ? 1 : 0;
    };
    TGIFSubImage& frame = picture->Frames.First();

    const QImage* first = GetFrameBitmap(frame);
    EXPECT_EQ(GetFrameBitmap(frame), first);
    EXPECT_EQ(builds, 1);

    frame.Clear();
    EXPECT_EQ(frame.RenderCache, nullptr);
    EXPECT_EQ(GetFrameBitmap(frame), nullptr) << "a cleared frame has no image";
}

TEST_F(FrameBitmapTest, MaskIsBuiltAgainWhenItIsNeededAgain)
{
    const auto picture = LoadPicture(GifBuilder().screen(3, 1).globalColors(4)
                                         .graphicControl({.transparentIndex = 1})
                                         .frame({.width = 3, .height = 1, .pixels = {1, 2, 2}})
                                         .build());
    TGIFSubImage& frame = picture->Frames.First();
    ASSERT_TRUE(HasFrameMask(frame));
    EXPECT_THAT(MaskBits(FrameCacheOf(frame).FrameMask), ElementsAre(1, 0, 0));

    frame.GraphicControl->TransparentColorIndex = 2;
    EXPECT_THAT(MaskBits(FrameCacheOf(frame).FrameMask), ElementsAre(1, 0, 0)) << "kept until needed again";
    FrameCacheOf(frame).NeedMask = true;
    ASSERT_TRUE(HasFrameMask(frame));
    EXPECT_THAT(MaskBits(FrameCacheOf(frame).FrameMask), ElementsAre(0, 1, 1));
}

struct ProgressReport {
    TProgressStage Stage;
    int Percent;
    friend bool operator==(const ProgressReport&, const ProgressReport&) = default;
};

// 70 rows: running reports at rows 0, 32 and 64, 32 x 100 / 70 = 45.7
// rounded to 46 and 64 x 100 / 70 = 91.4 rounded to 91.
TEST_F(FrameBitmapTest, ReportsRenderingProgressEvery32Rows)
{
    const auto picture = LoadPicture(GifBuilder().screen(1, 70).globalColors(2)
                                         .frame({.width = 1, .height = 70, .pixels = std::vector<std::uint8_t>(70)})
                                         .build());
    TGIFSubImage& frame = picture->Frames.First();
    std::vector<ProgressReport> reports;
    picture->ProgressHandler = [&](TPersistent& sender, TProgressStage stage, int percent, bool, const TRect& rect,
                                   const std::string& message) {
        EXPECT_EQ(&sender, &frame);
        EXPECT_EQ(message, "Rendering...");
        EXPECT_EQ(rect, TRect{});
        reports.push_back({stage, percent});
    };

    GetFrameBitmap(frame);

    EXPECT_THAT(reports, ElementsAre(ProgressReport{TProgressStage::Starting, 0},
                                     ProgressReport{TProgressStage::Running, 0},
                                     ProgressReport{TProgressStage::Running, 46},
                                     ProgressReport{TProgressStage::Running, 91},
                                     ProgressReport{TProgressStage::Ending, 100}));
}

TEST_F(FrameBitmapTest, CancellationLeavesTheFrameWithoutABitmapAndOtherErrorsGoOn)
{
    const auto picture = LoadPicture(GifBuilder().screen(1, 1).globalColors(2)
                                         .frame({.width = 1, .height = 1, .pixels = {1}})
                                         .build());
    TGIFSubImage& frame = picture->Frames.First();
    picture->ProgressHandler = [](TPersistent&, TProgressStage stage, int, bool, const TRect&, const std::string&) {
        if (stage == TProgressStage::Running)
            throw EAbort();
    };
    EXPECT_EQ(GetFrameBitmap(frame), nullptr);
    EXPECT_TRUE(FrameCacheOf(frame).FrameBitmap.isNull());

    picture->ProgressHandler = [](TPersistent&, TProgressStage stage, int, bool, const TRect&, const std::string&) {
        if (stage == TProgressStage::Ending)
            throw GIFException("listener failed");
    };
    EXPECT_THROW(GetFrameBitmap(frame), GIFException);
    EXPECT_TRUE(FrameCacheOf(frame).FrameBitmap.isNull());

    picture->ProgressHandler = nullptr;
    EXPECT_NE(GetFrameBitmap(frame), nullptr);
}

TEST_F(FrameBitmapTest, FrameWithoutAnImageHasNoBitmap)
{
    // The comment before the trailer makes a second frame without an image.
    const auto picture = LoadPicture(GifBuilder().screen(1, 1).globalColors(2)
                                         .frame({.width = 1, .height = 1, .pixels = {1}})
                                         .comment("no image")
                                         .build());
    ASSERT_EQ(picture->Frames.Count(), 2u);
    EXPECT_EQ(GetFrameBitmap(picture->Frames[1]), nullptr);
    EXPECT_FALSE(HasFrameMask(picture->Frames[1]));
}

struct BitmapErrorCase {
    const char* Name;
    std::function<void()> Action;
    std::string Message;
};

TEST_F(FrameBitmapTest, BitmapErrorsCarryTheirTexts)
{
    const std::vector<BitmapErrorCase> cases = {
        {"zero width", [] { CreateFrameDIB(0, 4, 8); }, "Invalid image dimensions"},
        {"zero height", [] { CreateFrameDIB(4, 0, 8); }, "Invalid image dimensions"},
        {"4 bits per pixel", [] { CreateFrameDIB(4, 4, 4); }, "Unsupported PixelFormat"},
        {"32 bits per pixel", [] { CreateFrameDIB(4, 4, 32); }, "Unsupported PixelFormat"},
        {"row of no image", [] { QImage none; ScanLine(none, 0); }, "Image has no DIB"},
        {"row below the image", [] { QImage image = CreateFrameDIB(2, 2, 8); ScanLine(image, 2); },
         "Scan line index out of range"},
        {"negative row", [] { QImage image = CreateFrameDIB(2, 2, 24); ScanLine(image, -1); },
         "Scan line index out of range"},
    };
    for (const BitmapErrorCase& c : cases) {
        try {
            c.Action();
            ADD_FAILURE() << c.Name << ": no error";
        } catch (const Exception& error) {
            EXPECT_EQ(error.Message, c.Message) << c.Name;
        }
    }
    QImage image = CreateFrameDIB(2, 2, 8);
    EXPECT_THROW(ScanLine(image, 2), EInvalidGraphicOperation);
}

} // namespace
} // namespace ostra::test
