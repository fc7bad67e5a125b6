#include "Composition.h"

#include "gif/GIFImage.h"
#include "gif/render/Drawing.h"
#include "gif/render/GIFPainter.h"
#include "gif/render/RenderSettings.h"

#include <QPainter>

#include <limits>

namespace ostra::conformance {

namespace {

// One pass over the frames, painted straight onto the caller's canvas by a
// painter inside Draw, with transparency as asked, never dithered, as fast
// as the painter goes (its shortest wait is a millisecond).
std::uint16_t drawOptions(const ComposeOptions& options)
{
    return static_cast<std::uint16_t>(DrawAnimate | DrawDirect | (options.Transparent ? DrawTransparent : 0));
}

std::string loopCountOf(const TGIFImage& picture)
{
    for (const TGIFSubImage& frame : picture.Frames)
        for (const TGIFExtension& extension : frame.Extensions)
            if (const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(&extension))
                return loop->Loops == 0 ? "infinite" : std::to_string(loop->Loops);
    return "0";
}

QImage startCanvas(TGIFImage& picture, CanvasStart start)
{
    QImage canvas(picture.Width(), picture.Height(), QImage::Format_ARGB32);
    if (start == CanvasStart::BackgroundColor && picture.Header.GlobalColorMap.Count() > 0) {
        const std::uint32_t bgr = picture.Header.GlobalColorMap.ColorAt(picture.Header.BackgroundColorIndex);
        canvas.fill(QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF));
    } else {
        canvas.fill(Qt::transparent);
    }
    return canvas;
}

void readPicture(TGIFImage& picture, const std::string& path, Composition& result)
{
    picture.WarningHandler = [&](TPersistent&, int, const std::string& message) {
        result.Warnings.push_back(message);
    };
    try {
        picture.LoadFromFile(path);
    } catch (const std::exception& error) {
        result.Error = error.what();
    }
}

// A picture of several frames is played by a painter, which reports each
// frame drawn; a picture of one frame is drawn by Draw itself.
void play(TGIFImage& picture, QImage& canvas, Composition& result)
{
    picture.AfterPaintHandler = [&](TGIFPainter&) { result.Canvases.push_back(canvas.copy()); };
    {
        QPainter painter(&canvas);
        Draw(picture, painter, canvas.rect());
    }
    if (picture.Frames.Count() == 1)
        result.Canvases.push_back(canvas.copy());
}

} // namespace

Composition Compose(const std::string& path, const ComposeOptions& options)
{
    Composition result;
    TGIFImage picture;
    readPicture(picture, path, result);
    result.ScreenWidth = picture.Width();
    result.ScreenHeight = picture.Height();
    result.FrameCount = static_cast<int>(picture.Frames.Count());
    result.LoopCount = loopCountOf(picture);
    bool imageMissing = false;
    for (const TGIFSubImage& frame : picture.Frames) {
        result.Delays.push_back(frame.GraphicControl != nullptr ? frame.GraphicControl->Delay : 0);
        imageMissing = imageMissing || frame.Empty();
        result.LeadingImageFrames += imageMissing ? 0 : 1;
    }
    if (!result.Error.empty() || picture.Empty() || picture.Width() == 0 || picture.Height() == 0)
        return result;
    picture.DrawOptions = drawOptions(options);
    picture.AnimationSpeed = std::numeric_limits<std::int32_t>::max();
    QImage canvas = startCanvas(picture, options.Start);
    try {
        play(picture, canvas, result);
    } catch (const std::exception& error) {
        result.Error = std::string("while drawing: ") + error.what();
    }
    return result;
}

} // namespace ostra::conformance
