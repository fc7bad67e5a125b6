#pragma once

#include "gif/GIFColorMap.h"
#include "gif/GIFExtensions.h"
#include "gif/GIFItem.h"
#include "gif/GIFRenderCache.h"
#include "gif/PixelData.h"

#include <cstddef>
#include <cstdint>
#include <memory>

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

    std::uint8_t Separator = kImageSeparator;
    std::uint16_t Left = 0;
    std::uint16_t Top = 0;
    std::uint16_t Width = 0;
    std::uint16_t Height = 0;
    std::uint8_t PackedFields = 0;
    TGIFLocalColorMap LocalColorMap;
    TGIFExtensionList Extensions;
    // Width x Height colour indices, rows top to bottom (empty: no image).
    // Counted against the picture's memory limit from before it is allocated.
    TPixelData PixelData;
    // A Graphic Control Extension of this frame has its transparent bit.
    bool Transparent = false;
    // The first Graphic Control Extension created for this frame, if any.
    TGIFGraphicControlExtension* GraphicControl = nullptr;
    // The renderer's bitmap, mask and palette of this frame; dropped by Clear.
    std::unique_ptr<TGIFFrameRenderCache> RenderCache;

private:
    void readImageDescriptor(TStream& stream);
    void claimPixelMemory();
    void releasePixelMemory();

    std::size_t claimedPixelMemory_ = 0;
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
