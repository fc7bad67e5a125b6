#pragma once

namespace ostra {

class TGIFSubImage;

// What the renderer keeps with a frame (its bitmap, mask and palette). The
// reading library only decides when it is dropped: when the frame is
// cleared or read again.
class TGIFFrameRenderCache {
public:
    virtual ~TGIFFrameRenderCache() = default;
};

// What the renderer keeps with a picture (its painters, composite bitmap
// and palette). The reading library tells it when the picture is cleared
// and destroys it, which stops every painter, before the frames go.
class TGIFPictureRenderState {
public:
    virtual ~TGIFPictureRenderState() = default;
    // Stops every painter, frees the composite bitmap, forgets the palette.
    virtual void PictureCleared() = 0;
};

// Builds the bitmap of a frame whose data has just been decoded, when
// GIFSettings::RenderOnLoad is set. The renderer installs it when it
// starts; without a renderer frames are read without bitmaps.
using TFrameRenderer = void (*)(TGIFSubImage& frame);
inline TFrameRenderer RenderFrameOnLoad = nullptr;

} // namespace ostra
