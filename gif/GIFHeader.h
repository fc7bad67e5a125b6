#pragma once

#include "gif/GIFColorMap.h"
#include "gif/GIFItem.h"

#include <cstdint>

namespace ostra {

// The signature, the logical screen descriptor and the global colour table.
// The signature and version bytes are checked but not kept.
class TGIFHeader final : public TGIFItem {
public:
    explicit TGIFHeader(TGIFImage* image) : TGIFItem(image), GlobalColorMap(*this) {}

    int RequiredVersion() const override;
    void LoadFromStream(TStream& stream) override;

    // PackedFields: bit 7 global table present; bits 4-6 colour resolution - 1;
    // bit 3 sorted; bits 0-2 N, the table holding 2^(N+1) entries.
    bool HasGlobalColorMap() const { return (PackedFields & 0x80) != 0; }

    std::uint16_t ScreenWidth = 0;
    std::uint16_t ScreenHeight = 0;
    std::uint8_t PackedFields = 0;
    std::uint8_t BackgroundColorIndex = 0;
    std::uint8_t AspectRatio = 0;
    TGIFGlobalColorMap GlobalColorMap;
};

} // namespace ostra
