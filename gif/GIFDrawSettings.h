#pragma once

#include <cstdint>
#include <functional>

namespace ostra {

class TGIFPainter;

// DrawOptions bits: how a picture draws itself.
enum TGIFDrawOption : std::uint16_t {
    DrawAsync = 0x0001,          // a painter runs as a thread of its own, else inside Draw
    DrawTransparent = 0x0002,    // frames are drawn with their transparency
    DrawAnimate = 0x0004,        // a picture of several frames is animated
    DrawLoop = 0x0008,           // the animation repeats (only with DrawAnimate)
    DrawLoopForever = 0x0010,    // repeat regardless of the loop count
    DrawValidateCanvas = 0x0020, // stop as soon as the target can no longer be drawn on
    DrawDirect = 0x0040,         // draw onto the caller's canvas, not the CompositeBitmap
    DrawClearOnLoop = 0x0080,    // clear to the background before drawing the first frame
    DrawTile = 0x0100,           // repeat the picture over the rectangle instead of scaling
    DrawDither = 0x0200,         // render frames by dithering to the CubePalette
    DrawAutoDither = 0x0400,     // with DrawDither, dither only when AutoDitherEnabled
};

inline constexpr std::uint16_t kDefaultDrawOptions =
    DrawAsync | DrawTransparent | DrawAnimate | DrawLoop | DrawDither | DrawAutoDither;
static_assert(kDefaultDrawOptions == 0x060F);

// DrawBackgroundColor value meaning "none": the background then comes from
// the global colour table (or the system's window colour without one).
inline constexpr std::uint32_t kNoBackgroundColor = 0x1FFFFFFF;

// Thread priorities of asynchronous painters, idle (0) to time-critical (6).
inline constexpr std::uint8_t kNormalThreadPriority = 3;

// A painter notification; the painter is the sender.
using TGIFPainterEvent = std::function<void(TGIFPainter& sender)>;

// What a picture's Draw reads: plain data, set by the picture's owner.
// The renderer (ostra_gif_render) interprets it.
struct TGIFDrawSettings {
    std::uint16_t DrawOptions = kDefaultDrawOptions;
    std::uint8_t ThreadPriority = kNormalThreadPriority;
    // Percent; 100 plays at the stored speed. 0: an asynchronous painter
    // waits until it is woken; negative: it does not wait at all.
    std::int32_t AnimationSpeed = 100;
    // Frame drawn when the picture is not animated; out of range: the first.
    std::int32_t DrawFrameIndex = -1;
    // Background of an animation as 0x00BBGGRR (red in the low byte), or
    // kNoBackgroundColor.
    std::uint32_t DrawBackgroundColor = kNoBackgroundColor;

    // Fired in this order; an asynchronous painter fires them on the
    // user-interface thread. Painters copy them when they are created.
    TGIFPainterEvent StartPaintHandler;
    TGIFPainterEvent PaintHandler;
    TGIFPainterEvent AfterPaintHandler;
    TGIFPainterEvent LoopHandler;
    TGIFPainterEvent EndPaintHandler;
};

} // namespace ostra
