#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace ostra {

// Moves a top-level window so that it is centred on its screen.
void CentreOnScreen(QWidget& window);

// Where a window's frame goes beside the anchor's frame within the
// screen's free area (the screen less the desktop's panels): to the
// anchor's right where there is room, else to its left, else at the free
// area's left edge, over the anchor's left part (the description, source
// names and installer lines, which neither the Zone Overview nor Review
// Changes needs beside it). A frame larger than the free area is shrunk
// to it first. Answers the frame's place and size.
QRect FrameBeside(QSize frame, const QRect& anchor, const QRect& free);

// Places a top-level window by FrameBeside on the anchor's screen, and
// shrinks it to fit. A window not yet shown has no frame yet; it is taken
// to get the anchor's decorations (title bar and borders), as windows of
// one program on one desktop do.
void PlaceBeside(QWidget& window, const QWidget& anchor);

// The decorations around a shown top-level window (its frame less its
// client area), or none before it is shown.
QMargins Decorations(const QWidget& window);

} // namespace ostra
