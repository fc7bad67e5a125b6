#pragma once

#include <QImage>

#include <string>
#include <vector>

namespace ostra::conformance {

// What the logical screen starts as before the first frame.
enum class CanvasStart {
    Transparent,       // every pixel transparent black
    BackgroundColor,   // the global colour table's background entry, opaque
};

struct ComposeOptions {
    CanvasStart Start = CanvasStart::Transparent;
    // Draw frames with their transparency (DrawTransparent).
    bool Transparent = true;
};

// A GIF file read by the library and played once, synchronously, onto a
// canvas of its logical screen.
struct Composition {
    // Empty when the picture was read; else the error's text.
    std::string Error;
    std::vector<std::string> Warnings;
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    int FrameCount = 0;
    // Frames before the first one without an image (extensions before the
    // trailer make such a frame); a painter plays no further.
    int LeadingImageFrames = 0;
    // "0" without a looping extension, "infinite" for a count of 0, else the count.
    std::string LoopCount = "0";
    // Each frame's Graphic Control Extension delay (0 without one).
    std::vector<int> Delays;
    // The canvas after each frame drawn, as ARGB32 (not premultiplied).
    std::vector<QImage> Canvases;
};

Composition Compose(const std::string& path, const ComposeOptions& options);

} // namespace ostra::conformance
