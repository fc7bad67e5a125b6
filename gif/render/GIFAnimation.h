#pragma once

#include <QRect>

class QPainter;

namespace ostra {

class TGIFImage;
class TGIFPictureState;

// Draw of a picture of several frames with DrawAnimate: shows the
// composite bitmap while a painter composes the animation in it, else
// (re)starts the painter, synchronously or as a thread.
void DrawAnimation(TGIFImage& picture, TGIFPictureState& state, QPainter& canvas, const QRect& rect);

} // namespace ostra
