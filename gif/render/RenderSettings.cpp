#include "gif/render/RenderSettings.h"

#include "gif/GIFImage.h"
#include "gif/render/Drawing.h"
#include "gif/render/UiThread.h"

#include <QGuiApplication>
#include <QScreen>

namespace ostra {

void InitializeGIFRendering()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    GIFSettings::PaletteDisplay = screen != nullptr && IsPaletteDepth(screen->depth());
    GIFSettings::AutoDitherEnabled = GIFSettings::PaletteDisplay;
    RenderFrameOnLoad = [](TGIFSubImage& frame) { GetFrameBitmap(frame); };
    UiThread::WatchQuit();
}

bool FramesDithered(const TGIFImage& picture)
{
    if ((picture.DrawOptions & DrawDither) == 0)
        return false;
    return (picture.DrawOptions & DrawAutoDither) == 0 || GIFSettings::AutoDitherEnabled;
}

} // namespace ostra
