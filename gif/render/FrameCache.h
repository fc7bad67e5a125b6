#pragma once

#include "gif/GIFRenderCache.h"
#include "gif/render/CubePalette.h"

#include <QImage>

#include <optional>

namespace ostra {

class TGIFSubImage;

// What a frame keeps for drawing. Everything is built on first use and
// kept until the frame is cleared or read again.
class TGIFFrameCache final : public TGIFFrameRenderCache {
public:
    // The frame as an 8-bit indexed image with its colour table; null until built.
    QImage FrameBitmap;
    // 1 bit per pixel (most significant bit first), set where the pixel is
    // the transparent index; null when no pixel is.
    QImage FrameMask;
    // The mask is still to be built; cleared when the bitmap is built.
    bool NeedMask = true;
    // The frame's own palette (its local colour table), once worked out.
    std::optional<TGIFPalette> FramePalette;

    // The bitmap in drawable form, without and with its mask applied as
    // full transparency; built from the bitmap on first draw.
    QImage OpaqueImage;
    QImage MaskedImage;

    // Forgets the bitmap and what was made from it; the mask stays.
    void DropBitmap();
};

// The frame's cache, created empty when the frame has none yet.
TGIFFrameCache& FrameCacheOf(TGIFSubImage& frame);

} // namespace ostra
