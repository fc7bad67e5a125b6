#include "gif/GIFSubImage.h"
#include "gif/render/Drawing.h"
#include "gif/render/FrameCache.h"
#include "gif/render/FrameGeometry.h"

#include <QPainter>

namespace ostra {

namespace {

// The bitmap with every pixel under a set mask bit fully transparent and
// every other one fully opaque, so that drawing it leaves the destination
// untouched exactly where the mask is set.
QImage applyMask(const QImage& bitmap, const QImage& mask)
{
    QImage masked = bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        const uchar* maskLine = mask.constScanLine(y);
        for (int x = 0; x < masked.width(); ++x)
            if ((maskLine[x >> 3] & (0x80 >> (x & 7))) != 0)
                line[x] = 0;
    }
    return masked.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

const QImage& drawableImage(TGIFFrameCache& cache, bool masked)
{
    if (masked) {
        if (cache.MaskedImage.isNull())
            cache.MaskedImage = applyMask(cache.FrameBitmap, cache.FrameMask);
        return cache.MaskedImage;
    }
    if (cache.OpaqueImage.isNull())
        cache.OpaqueImage = cache.FrameBitmap.convertToFormat(QImage::Format_RGB32);
    return cache.OpaqueImage;
}

// Plain nearest-pixel stretching, no smoothing, source over destination:
// the opaque image replaces what it covers, the masked one only where its
// mask bit is clear.
void drawStretched(QPainter& canvas, const QRect& area, const QImage& image)
{
    if (area.isEmpty())
        return;
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
    canvas.setCompositionMode(QPainter::CompositionMode_SourceOver);
    canvas.drawImage(area, image);
    canvas.restore();
}

} // namespace

void DrawFrame(TGIFSubImage& frame, QPainter& canvas, const QRect& rect, bool transparent, bool tile)
{
    const bool masked = transparent && frame.Transparent && HasFrameMask(frame);
    if (GetFrameBitmap(frame) == nullptr)
        return;
    const QImage& image = drawableImage(FrameCacheOf(frame), masked);
    for (const QRect& area : FrameDestinationRects(frame, rect, tile))
        drawStretched(canvas, area, image);
}

} // namespace ostra
