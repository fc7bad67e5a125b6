#pragma once

class QWidget;

namespace ostra {

// Moves a top-level window so that it is centred on its screen.
void CentreOnScreen(QWidget& window);

// Moves a top-level window beside anchor: to its right where the screen
// has room, else to its left, else as far right as the screen allows; and
// shrinks it first to the screen's free area when it is larger.
void PlaceBeside(QWidget& window, const QWidget& anchor);

} // namespace ostra
