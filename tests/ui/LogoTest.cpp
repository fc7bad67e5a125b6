// The maker's logo in the main window: the stored picture, the picture read
// from it, and what Image1 shows of it in the real window.
#include <QPixmap>

#include "FormFixture.h"
#include "gif/GIFImage.h"
#include "gif/GIFLibrary.h"
#include "gif/render/FrameCache.h"
#include "gif/render/PictureState.h"
#include "gif/render/RenderSettings.h"
#include "resources/Resources.h"

namespace ostra::test {
namespace {

constexpr int kTransparentIndex = 31;

bool maskBit(const QImage& mask, int x, int y)
{
    return (mask.constScanLine(y)[x >> 3] & (0x80 >> (x & 7))) != 0;
}

QRgb colorAt(TGIFColorMap& map, int index)
{
    const TGIFColor& c = map[index];
    return qRgb(c.Red, c.Green, c.Blue);
}

class LogoTest : public FormFixture {
protected:
    LogoTest() { GIFSettings::AutoDitherEnabled = false; }
    ~LogoTest() override { GIFSettings::AutoDitherEnabled = false; }

    TGIFImage& picture() { return *form->Image1Picture; }
    TGIFSubImage& frame() { return picture().Frames.First(); }
    int indexAt(int x, int y) { return frame().PixelData[static_cast<std::size_t>(y) * frame().Width + x]; }
    // Image1 as the window shows it, over the window's own background.
    QImage grabLogo() { return form->grab(form->Image1->geometry()).toImage().convertToFormat(QImage::Format_RGB32); }
    QRgb windowColor() const { return form->palette().color(QPalette::Window).rgb(); }
};

TEST_F(LogoTest, TheStoredPictureNamesItsClassBeforeTheGifBytes)
{
    const QByteArray stored = ReadResource("Image1.Picture.bin");
    EXPECT_TRUE(stored.startsWith(QByteArray("\x09TGIFImage")));
    EXPECT_EQ(stored.mid(10, 6), "GIF89a");
}

TEST_F(LogoTest, TheWindowReadsOneTransparentFrameOfTheLogicalScreen)
{
    ASSERT_NE(form->Image1Picture, nullptr);
    EXPECT_EQ(picture().Width(), 204);
    EXPECT_EQ(picture().Height(), 42);
    EXPECT_EQ(form->Image1->size(), QSize(204, 42));
    EXPECT_EQ(picture().Header.GlobalColorMap.Count(), 32);
    EXPECT_EQ(picture().Header.BackgroundColorIndex, kTransparentIndex);
    ASSERT_EQ(picture().Frames.Count(), 1u);
    EXPECT_TRUE(frame().Transparent);
    ASSERT_NE(frame().GraphicControl, nullptr);
    EXPECT_EQ(frame().GraphicControl->TransparentColorIndex, kTransparentIndex);
    EXPECT_EQ(frame().PixelData.size(), 204u * 42u);
    // The bottom row and the four corner pixels lie outside the badge.
    for (int x = 0; x < 204; ++x)
        EXPECT_EQ(indexAt(x, 41), kTransparentIndex) << "x " << x;
    for (const QPoint corner : {QPoint(0, 0), QPoint(203, 0), QPoint(0, 40), QPoint(203, 40)})
        EXPECT_EQ(indexAt(corner.x(), corner.y()), kTransparentIndex);
    EXPECT_NE(indexAt(102, 20), kTransparentIndex);
}

TEST_F(LogoTest, TheMaskCoversExactlyTheTransparentPixels)
{
    ASSERT_NE(form->Image1Picture, nullptr);
    grabLogo();
    const QImage& mask = FrameCacheOf(frame()).FrameMask;
    ASSERT_FALSE(mask.isNull());
    int transparentPixels = 0;
    int maskBits = 0;
    for (int y = 0; y < 42; ++y)
        for (int x = 0; x < 204; ++x) {
            transparentPixels += indexAt(x, y) == kTransparentIndex;
            maskBits += maskBit(mask, x, y);
            EXPECT_EQ(maskBit(mask, x, y), indexAt(x, y) == kTransparentIndex) << x << ", " << y;
        }
    EXPECT_EQ(maskBits, transparentPixels);
    EXPECT_GE(transparentPixels, 204);
}

TEST_F(LogoTest, Image1ShowsTheWindowColourUnderTheMaskAndThePaletteElsewhere)
{
    ASSERT_NE(form->Image1Picture, nullptr);
    const QImage shown = grabLogo();
    ASSERT_EQ(shown.size(), QSize(204, 42));
    TGIFColorMap& colors = picture().Header.GlobalColorMap;
    ASSERT_NE(colorAt(colors, kTransparentIndex), windowColor()) << "the test could not tell them apart";
    for (int y = 0; y < 42; ++y)
        for (int x = 0; x < 204; ++x) {
            const int index = indexAt(x, y);
            const QRgb expected = index == kTransparentIndex ? windowColor() : colorAt(colors, index);
            ASSERT_EQ(shown.pixel(x, y), expected) << x << ", " << y << " index " << index;
        }
}

TEST_F(LogoTest, TheFrameBitmapIsBuiltAtTheFirstPaintAndReusedWithoutAnyPainter)
{
    ASSERT_NE(form->Image1Picture, nullptr);
    EXPECT_EQ(frame().RenderCache, nullptr);
    int painters = 0;
    picture().StartPaintHandler = [&](TGIFPainter&) { ++painters; };
    grabLogo();
    const qint64 built = FrameCacheOf(frame()).FrameBitmap.cacheKey();
    const qint64 masked = FrameCacheOf(frame()).FrameMask.cacheKey();
    EXPECT_EQ(FrameCacheOf(frame()).FrameBitmap.format(), QImage::Format_Indexed8);
    grabLogo();
    EXPECT_EQ(FrameCacheOf(frame()).FrameBitmap.cacheKey(), built);
    EXPECT_EQ(FrameCacheOf(frame()).FrameMask.cacheKey(), masked);
    EXPECT_EQ(painters, 0);
    EXPECT_EQ(PictureStateOf(picture()).Painters->Count(), 0u);
}

// On a palette display the frame is dithered to the colour cube; the
// transparent pixels still show the window.
TEST_F(LogoTest, OnAPaletteDisplayTheCornersStillShowTheWindow)
{
    GIFSettings::AutoDitherEnabled = true;
    ASSERT_NE(form->Image1Picture, nullptr);
    const QImage shown = grabLogo();
    for (int y = 0; y < 42; ++y)
        for (int x = 0; x < 204; ++x) {
            const QRgb pixel = shown.pixel(x, y);
            if (indexAt(x, y) == kTransparentIndex)
                ASSERT_EQ(pixel, windowColor()) << x << ", " << y;
            else
                ASSERT_TRUE(qRed(pixel) % 51 == 0 && qGreen(pixel) % 51 == 0 && qBlue(pixel) % 51 == 0)
                    << x << ", " << y;
        }
}

// Without the picture format the stored picture cannot be read: the window
// is whole, Image1 shows nothing.
TEST(LogoWithoutLibraryTest, AnUnreadableStoredPictureLeavesImage1Empty)
{
    FinalizeGIFLibrary();
    FakeFileDialogs dialogs;
    FakeMessageBoxes boxes;
    FakeShell shell;
    TForm1 form(systemFileApi(), dialogs, boxes, shell);
    InitializeGIFLibrary();
    EXPECT_EQ(form.Image1Picture, nullptr);
    EXPECT_EQ(form.Image1->size(), QSize(204, 42));
    const QImage shown = form.grab(form.Image1->geometry()).toImage();
    EXPECT_EQ(shown.pixel(100, 20), form.palette().color(QPalette::Window).rgb());
    EXPECT_TRUE(boxes.Boxes.empty());
}

} // namespace
} // namespace ostra::test
