#include "gif/render/RenderSettings.h"

#include "gif/GIFImage.h"

#include <QGuiApplication>
#include <QScreen>

namespace ostra {

void InitializeGIFRendering()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    GIFSettings::PaletteDisplay = screen != nullptr && IsPaletteDepth(screen->depth());
    GIFSettings::AutoDitherEnabled = GIFSettings::PaletteDisplay;
}

bool FramesDithered(const TGIFImage& picture)
{
    if ((picture.DrawOptions & DrawDither) == 0)
        return false;
    return (picture.DrawOptions & DrawAutoDither) == 0 || GIFSettings::AutoDitherEnabled;
}

} // namespace ostra
