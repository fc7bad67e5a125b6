#pragma once

#include "gif/render/PainterTarget.h"

#include <QColor>
#include <QImage>

#include <cstdint>

namespace ostra {

class TGIFImage;
class TGIFSubImage;

// Disposal methods of the Graphic Control Extension. Methods 4 to 7 are
// reserved by GIF89a and played as method 1.
enum TGIFDisposal : int {
    DisposalNone = 0,
    DisposalLeave = 1,
    DisposalBackground = 2,
    DisposalPrevious = 3,
};

// The frame's disposal method: from its Graphic Control Extension, 1
// without one, reserved ones as 1.
int DisposalOf(const TGIFSubImage& frame);

// The colour an animation clears to: DrawBackgroundColor unless it is
// none; else the system's window colour without a global colour table;
// else the table's background entry.
QColor AnimationBackground(TGIFImage& picture);

// Composes a painter's frames on its target with their disposal methods.
// Pictures that restore to the background or to the previous frame (or
// clear on every loop) are composed in buffers the size of the target
// area, which start as a copy of it; other pictures are drawn straight on
// the target.
class TFrameCompositor {
public:
    TFrameCompositor(TGIFImage& picture, TPainterTarget& target, std::uint16_t drawOptions);

    void DrawFrame(TGIFSubImage& frame, int index, int disposal);

private:
    void drawBuffered(TGIFSubImage& frame, int disposal);
    void drawOnTarget(TGIFSubImage& frame);
    void drawInto(QImage& buffer, TGIFSubImage& frame);
    void copyToTarget(const QImage& buffer);
    void restoreBackground(const QRect& area);

    TPainterTarget& target_;
    const bool transparent_;
    const bool tile_;
    const bool clearOnLoop_;
    const QColor background_;
    bool buffered_ = false;
    QImage backgroundBuffer_;  // the target area as it was, to restore from
    QImage composition_;       // the picture as composed so far
    QImage previousBuffer_;    // a frame drawn over the composition, for method 3
    // The target shows exactly the composition (the last frame left it there).
    bool targetShowsComposition_ = true;
};

} // namespace ostra
