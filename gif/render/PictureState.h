#pragma once

#include "gif/GIFRenderCache.h"
#include "gif/render/CubePalette.h"
#include "gif/render/PainterList.h"

#include <QImage>

#include <memory>
#include <optional>

namespace ostra {

class TGIFImage;

// What a picture keeps for drawing.
class TGIFPictureState final : public TGIFPictureRenderState {
public:
    // Stops every painter first.
    ~TGIFPictureState() override;
    void PictureCleared() override;

    // Stops the DrawPainter without waiting and frees the CompositeBitmap.
    void DropAnimation();

    // A Draw is in progress; a nested Draw does nothing.
    bool Drawing = false;
    // The picture's palette is being worked out.
    bool PaletteFlag = false;
    std::optional<TGIFPalette> PicturePalette;
    // Logical-screen-sized image in which an animation is composed, shared
    // with the painter that composes it; with the picture's palette.
    std::shared_ptr<QImage> CompositeBitmap;
    TGIFPalette CompositePalette;
    const std::shared_ptr<TGIFPainterList> Painters = std::make_shared<TGIFPainterList>();
};

// The picture's state, created empty when the picture has none yet.
TGIFPictureState& PictureStateOf(TGIFImage& picture);

} // namespace ostra
