#pragma once

class QImage;
class QPainter;
class QRect;

namespace ostra {

class TGIFImage;
class TGIFSubImage;

// Draws the picture into rect of canvas, as its DrawOptions say: one frame
// directly, or an animation through a painter. A Draw nested in a Draw of
// the same picture does nothing.
void Draw(TGIFImage& picture, QPainter& canvas, const QRect& rect);

// Draws one frame where it lies when the whole logical screen occupies
// rect: scaled with the screen, or unscaled and repeated with tile; with
// its mask when transparent is set and the frame has one.
void DrawFrame(TGIFSubImage& frame, QPainter& canvas, const QRect& rect, bool transparent, bool tile);

// The frame as an 8-bit indexed image, built (with its mask) on first use
// and kept; none for an empty frame.
const QImage* GetFrameBitmap(TGIFSubImage& frame);

// Builds the mask when it is still needed; answers whether the frame has one.
bool HasFrameMask(TGIFSubImage& frame);

} // namespace ostra
