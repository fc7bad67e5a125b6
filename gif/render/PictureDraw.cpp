#include "gif/GIFImage.h"
#include "gif/render/Drawing.h"
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
void Draw(TGIFImage& picture, QPainter& canvas, const QRect& rect)
{
    TGIFPictureState& state = PictureStateOf(picture);
    if (state.Drawing || picture.Empty())
        return;
    const FlagScope drawing(state.Drawing);
    const std::uint16_t options = picture.DrawOptions;
    if (picture.Frames.Count() == 1 || (options & DrawAnimate) == 0) {
        DrawFrame(stillFrame(picture), canvas, rect, (options & DrawTransparent) != 0, (options & DrawTile) != 0);
        return;
    }
    DrawAnimation(picture, state, canvas, rect);
}

} // namespace ostra
