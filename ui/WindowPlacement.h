#pragma once

class QWidget;

namespace ostra {

// Moves a top-level window so that it is centred on its screen.
void CentreOnScreen(QWidget& window);

} // namespace ostra
