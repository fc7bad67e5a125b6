#include "gif/render/PictureState.h"

#include "gif/GIFImage.h"

namespace ostra {

TGIFPictureState::~TGIFPictureState()
{
    Painters->StopAll();
}

void TGIFPictureState::PictureCleared()
{
    Painters->StopAll();
    DropAnimation();
    PicturePalette.reset();
}

void TGIFPictureState::DropAnimation()
{
    Painters->StopDrawPainter();
    CompositeBitmap.reset();
    CompositePalette.clear();
}

TGIFPictureState& PictureStateOf(TGIFImage& picture)
{
    if (!picture.RenderState)
        picture.RenderState = std::make_unique<TGIFPictureState>();
    return static_cast<TGIFPictureState&>(*picture.RenderState);
}

} // namespace ostra
