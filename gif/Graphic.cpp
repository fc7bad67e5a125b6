#include "gif/Graphic.h"

namespace ostra {

TPersistent::~TPersistent() = default;

void TGraphic::Progress(TPersistent& sender, TProgressStage stage, int percent, bool redrawNow, const TRect& rect,
                        const std::string& message)
{
    if (ProgressHandler)
        ProgressHandler(sender, stage, percent, redrawNow, rect, message);
}

} // namespace ostra
