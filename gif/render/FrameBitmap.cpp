#include "gif/render/FrameBitmap.h"

#include "gif/GIFImage.h"
#include "gif/render/CubeDitherer.h"
#include "gif/render/Drawing.h"
#include "gif/render/FrameCache.h"
#include "gif/render/FrameGeometry.h"
#include "gif/render/Palettes.h"
#include "gif/render/RenderErrors.h"
#include "gif/render/RenderSettings.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>

namespace ostra {

namespace {

const std::string kRendering = "Rendering...";
constexpr int kRowsPerProgressReport = 32;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;

// Mask bits: most significant bit first, set where the pixel is transparent.
void setMaskBit(uchar* maskLine, int x)
{
    maskLine[x >> 3] |= static_cast<uchar>(0x80 >> (x & 7));
}

QImage newMask(int width, int height)
{
    QImage mask(width, height, QImage::Format_Mono);
    if (mask.isNull())
        throw EOutOfMemory("Failed to allocate memory for GIF DIB");
    mask.setColorTable({kBlack, kWhite});
    mask.fill(0);
    return mask;
}

// The palette's entries in order, the remaining slots up to 256 black.
QList<QRgb> colorTableOf(TGIFPalette palette)
{
    palette.resize(256, kBlack);
    return palette;
}

// Builds a frame's bitmap (and its mask, when one is still needed) from
// its pixel data a row at a time, and stores them in the frame's cache
// once the whole of it has been built.
class FrameBitmapBuilder {
public:
    explicit FrameBitmapBuilder(TGIFSubImage& frame);
    void Build();

private:
    void report(TProgressStage stage, int percent);
    std::span<const std::uint8_t> pixelRow(int row) const;
    void buildRow(int row, QImage& bitmap, QImage& mask);
    void copyRow(std::span<const std::uint8_t> pixels, uchar* line, uchar* maskLine);
    void ditherRow(int row, std::span<const std::uint8_t> pixels, uchar* line, uchar* maskLine);
    bool isTransparent(std::uint8_t index) const { return buildMask_ && index == transparentIndex_; }
    TGIFColor colorOf(std::uint8_t index) const;

    TGIFSubImage& frame_;
    TGIFFrameCache& cache_;
    const TGIFColorMap& colors_;
    bool buildMask_ = false;
    std::uint8_t transparentIndex_ = 0;
    bool maskUsed_ = false;
    std::optional<TCubeDitherer> ditherer_;
    std::vector<std::uint8_t> blankRow_;
};

FrameBitmapBuilder::FrameBitmapBuilder(TGIFSubImage& frame)
    : frame_(frame), cache_(FrameCacheOf(frame)), colors_(frame.ActiveColorMap()), blankRow_(frame.Width, 0)
{
    buildMask_ = cache_.NeedMask && frame.Transparent && frame.GraphicControl != nullptr;
    if (frame.GraphicControl != nullptr)
        transparentIndex_ = frame.GraphicControl->TransparentColorIndex;
    if (frame.Image() != nullptr && FramesDithered(*frame.Image()))
        ditherer_.emplace(frame.Width);
}

void FrameBitmapBuilder::Build()
{
    report(TProgressStage::Starting, 0);
    QImage bitmap = CreateFrameDIB(frame_.Width, frame_.Height, 8);
    bitmap.setColorTable(colorTableOf(FramePalette(frame_)));
    QImage mask = buildMask_ ? newMask(frame_.Width, frame_.Height) : QImage();
    for (int row = 0; row < frame_.Height; ++row) {
        if (row % kRowsPerProgressReport == 0)
            report(TProgressStage::Running, MulDivRound(row, 100, frame_.Height));
        buildRow(row, bitmap, mask);
    }
    report(TProgressStage::Ending, 100);
    cache_.DropBitmap();
    cache_.FrameBitmap = std::move(bitmap);
    if (buildMask_)
        cache_.FrameMask = maskUsed_ ? std::move(mask) : QImage();
    cache_.NeedMask = false;
}

void FrameBitmapBuilder::report(TProgressStage stage, int percent)
{
    if (TGIFImage* picture = frame_.Image())
        picture->Progress(frame_, stage, percent, false, TRect{}, kRendering);
}

// PixelData holds Width x Height bytes; a row it lacks reads as index 0.
std::span<const std::uint8_t> FrameBitmapBuilder::pixelRow(int row) const
{
    const std::size_t start = static_cast<std::size_t>(row) * frame_.Width;
    if (start + frame_.Width > frame_.PixelData.size())
        return blankRow_;
    return std::span(frame_.PixelData).subspan(start, frame_.Width);
}

void FrameBitmapBuilder::buildRow(int row, QImage& bitmap, QImage& mask)
{
    uchar* line = ScanLine(bitmap, row);
    uchar* maskLine = buildMask_ ? ScanLine(mask, row) : nullptr;
    if (ditherer_)
        ditherRow(row, pixelRow(row), line, maskLine);
    else
        copyRow(pixelRow(row), line, maskLine);
}

// An index past the colour table is black, as in the undithered bitmap
// (whose colour table is padded with black); the table is never read
// past its end.
TGIFColor FrameBitmapBuilder::colorOf(std::uint8_t index) const
{
    return index < colors_.Count() ? colors_[index] : TGIFColor{};
}

void FrameBitmapBuilder::copyRow(std::span<const std::uint8_t> pixels, uchar* line, uchar* maskLine)
{
    std::memcpy(line, pixels.data(), pixels.size());
    if (maskLine == nullptr)
        return;
    for (std::size_t x = 0; x < pixels.size(); ++x)
        if (isTransparent(pixels[x])) {
            setMaskBit(maskLine, static_cast<int>(x));
            maskUsed_ = true;
        }
}

// Transparent pixels are not dithered and take no error: they keep the
// row's fill, the cube colour nearest the transparent colour, so that an
// opaque draw shows that colour there.
void FrameBitmapBuilder::ditherRow(int row, std::span<const std::uint8_t> pixels, uchar* line, uchar* maskLine)
{
    const int width = static_cast<int>(pixels.size());
    std::fill(line, line + width, NearestCubeIndex(colorOf(transparentIndex_)));
    ditherer_->StartRow(row);
    for (int i = 0; i < width; ++i) {
        const int x = ditherer_->LeftToRight() ? i : width - 1 - i;
        const std::uint8_t index = pixels[static_cast<std::size_t>(x)];
        if (isTransparent(index)) {
            setMaskBit(maskLine, x);
            maskUsed_ = true;
            continue;
        }
        line[x] = ditherer_->Dither(colorOf(index));
    }
}

} // namespace

QImage CreateFrameDIB(int width, int height, int bitsPerPixel)
{
    if (width <= 0 || height <= 0)
        throw GIFException("Invalid image dimensions");
    QImage::Format format = QImage::Format_Invalid;
    if (bitsPerPixel == 8)
        format = QImage::Format_Indexed8;
    else if (bitsPerPixel == 24)
        format = QImage::Format_RGB888;
    else
        throw GIFException("Unsupported PixelFormat");
    QImage image(width, height, format);
    if (image.isNull())
        throw EOutOfMemory("Failed to allocate memory for GIF DIB");
    return image;
}

uchar* ScanLine(QImage& image, int row)
{
    if (image.isNull())
        throw GIFException("Image has no DIB");
    if (row < 0 || row >= image.height())
        throw EInvalidGraphicOperation("Scan line index out of range");
    return image.scanLine(row);
}

// A cancellation from a progress listener leaves the frame without a
// bitmap; any other error leaves it as it was and goes on.
const QImage* GetFrameBitmap(TGIFSubImage& frame)
{
    if (frame.Empty())
        return nullptr;
    TGIFFrameCache& cache = FrameCacheOf(frame);
    if (cache.FrameBitmap.isNull()) {
        try {
            FrameBitmapBuilder(frame).Build();
        } catch (const EAbort&) {
            return nullptr;
        }
    }
    return &cache.FrameBitmap;
}

bool HasFrameMask(TGIFSubImage& frame)
{
    TGIFFrameCache& cache = FrameCacheOf(frame);
    if (cache.NeedMask && frame.Transparent) {
        cache.DropBitmap();
        cache.FrameMask = QImage();
        GetFrameBitmap(frame);
    }
    return !cache.FrameMask.isNull();
}

} // namespace ostra
