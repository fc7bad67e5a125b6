#include "gif/GIFImage.h"
#include "gif/render/FlagScope.h"
#include "gif/render/GIFAnimation.h"
#include "gif/render/PictureState.h"

#include <QPainter>

namespace ostra {

namespace {

// The frame at DrawFrameIndex when that is within the frame list, else the first.
TGIFSubImage& stillFrame(TGIFImage& picture)
{
    const int index = picture.DrawFrameIndex;
    if (index >= 0 && static_cast<std::size_t>(index) < picture.Frames.Count())
        return picture.Frames[static_cast<std::size_t>(index)];
    return picture.Frames.First();
}

} // namespace

// Transparency follows DrawTransparent alone. A picture of one frame (the
// logo), or one not to be animated, is drawn directly: no painter, no thread.
void TGIFImage::Draw(QPainter& canvas, const QRect& rect)
{
    TGIFPictureState& state = PictureStateOf(*this);
    if (state.Drawing || Empty())
        return;
    const FlagScope drawing(state.Drawing);
    if (Frames.Count() == 1 || (DrawOptions & DrawAnimate) == 0) {
        stillFrame(*this).DrawFrame(canvas, rect, (DrawOptions & DrawTransparent) != 0, (DrawOptions & DrawTile) != 0);
        return;
    }
    DrawAnimation(*this, state, canvas, rect);
}

} // namespace ostra
