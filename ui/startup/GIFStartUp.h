#pragma once

#include "gif/GIFLibrary.h"
#include "gif/render/RenderSettings.h"

namespace ostra {

// The GIF library for as long as the editor's windows live: the picture
// format the main window reads its logo through, and the renderer's probe
// of the display. Needs the QApplication; comes before the main window.
class GIFStartUp : public TGIFLibrary {
public:
    GIFStartUp() { InitializeGIFRendering(); }
};

} // namespace ostra
