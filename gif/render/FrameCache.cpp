#include "gif/render/FrameCache.h"

#include "gif/GIFSubImage.h"

namespace ostra {

void TGIFFrameCache::DropBitmap()
{
    FrameBitmap = QImage();
    OpaqueImage = QImage();
    MaskedImage = QImage();
}

TGIFFrameCache& FrameCacheOf(TGIFSubImage& frame)
{
    if (!frame.RenderCache)
        frame.RenderCache = std::make_unique<TGIFFrameCache>();
    return static_cast<TGIFFrameCache&>(*frame.RenderCache);
}

} // namespace ostra
