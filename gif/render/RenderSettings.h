#pragma once

#include "gif/GIFSettings.h"

namespace ostra {
class TGIFImage;
}

// Settings of the renderer, one set for the whole program.
namespace ostra::GIFSettings {

// The display shows 8 bits per pixel or fewer; probed by
// InitializeGIFRendering.
inline bool PaletteDisplay = false;
// Frames with DrawDither and DrawAutoDither are dithered only when this is
// set; InitializeGIFRendering sets it to PaletteDisplay.
inline bool AutoDitherEnabled = false;

// Milliseconds per unit of a frame's delay. The format's unit is 10 ms;
// 12 matches the pace at which these animations were always shown.
inline constexpr int FrameDelayUnit = 12;
// Delays in units: for a frame without one (or with 0), the least any frame
// waits, and the most a synchronous painter waits.
inline constexpr int DefaultFrameDelay = 10;
inline constexpr int ShortestFrameDelay = 3;
inline constexpr int LongestFrameDelay = 1000;

} // namespace ostra::GIFSettings

namespace ostra {

// Renderer start-up: probes the display for PaletteDisplay and
// AutoDitherEnabled, builds frame bitmaps while pictures load when
// RenderOnLoad is set, and watches for the application's quit, which ends
// every painter. Needs the QGuiApplication; without a screen the display
// counts as true colour.
void InitializeGIFRendering();

// A display of this many bits per pixel needs a palette.
constexpr bool IsPaletteDepth(int bitsPerPixel)
{
    return bitsPerPixel <= 8;
}

// Frames of the picture are rendered by dithering to the CubePalette:
// DrawDither is set and either DrawAutoDither is clear or AutoDitherEnabled.
bool FramesDithered(const TGIFImage& picture);

} // namespace ostra
