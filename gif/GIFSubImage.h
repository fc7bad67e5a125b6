#pragma once

#include "gif/GIFColorMap.h"
#include "gif/GIFExtensions.h"
#include "gif/GIFItem.h"
#include "gif/GIFRenderCache.h"

#include <cstdint>
#include <memory>
#include <vector>

class QImage;
class QPainter;
class QRect;

namespace ostra {

// One frame: image descriptor, local colour table, the extensions read
// before it and its decoded pixels.
class TGIFSubImage final : public TGIFItem {
public:
    static constexpr std::uint8_t kImageSeparator = 0x2C;

    explicit TGIFSubImage(TGIFImage* image);
    ~TGIFSubImage() override;

    int RequiredVersion() const override;
    void LoadFromStream(TStream& stream) override;
    // Frees extensions, local colours and pixels; the frame has no image.
    void Clear();

    // PackedFields: bit 7 local table present; bit 6 interlaced; bit 5 sorted;
    // bits 0-2 N, the table holding 2^(N+1) entries.
    bool HasLocalColorMap() const { return (PackedFields & 0x80) != 0; }
    bool Interlaced() const { return (PackedFields & 0x40) != 0; }
    // No pixel data, or a zero width or height.
    bool Empty() const { return PixelData.empty() || Width == 0 || Height == 0; }
    // The local map when it holds entries, else the global map when that
    // does, else the (empty) local map.
    TGIFColorMap& ActiveColorMap();

    // Drawing, defined in ostra_gif_render. GetFrameBitmap answers the frame
    // as an 8-bit indexed image, built (with its mask) on first use; none for
    // an empty frame. HasFrameMask builds the mask when it is still needed.
    // DrawFrame draws the frame where it lies when the whole logical screen
    // occupies rect.
    const QImage* GetFrameBitmap();
    bool HasFrameMask();
    void DrawFrame(QPainter& canvas, const QRect& rect, bool transparent, bool tile);

    std::uint8_t Separator = kImageSeparator;
    std::uint16_t Left = 0;
    std::uint16_t Top = 0;
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    std::uint8_t PackedFields = 0;
    TGIFLocalColorMap LocalColorMap;
    TGIFExtensionList Extensions;
    // Width x Height colour indices, rows top to bottom (empty: no image).
    std::vector<std::uint8_t> PixelData;
    // A Graphic Control Extension of this frame has its transparent bit.
    bool Transparent = false;
    // The first Graphic Control Extension created for this frame, if any.
    TGIFGraphicControlExtension* GraphicControl = nullptr;
    // The renderer's bitmap, mask and palette of this frame; dropped by Clear.
    std::unique_ptr<TGIFFrameRenderCache> RenderCache;

private:
    void readImageDescriptor(TStream& stream);
};

// The frames of a picture, in stream order.
class TGIFImageList final : public TGIFTypedList<TGIFSubImage> {
public:
    using TGIFTypedList::TGIFTypedList;
    // parent: the picture.
    void LoadFromStream(TStream& stream, TPersistent& parent) override;
};

// The trailer byte ";" that ends a GIF stream.
class TGIFTrailer final : public TGIFItem {
public:
    static constexpr std::uint8_t kTrailer = 0x3B;

    using TGIFItem::TGIFItem;
    void LoadFromStream(TStream& stream) override;
};

} // namespace ostra
