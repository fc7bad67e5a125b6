#pragma once

#include "RenderTestSupport.h"

#include "gif/render/GIFRender.h"

#include <QImage>

#include <string>
#include <vector>

namespace ostra::test {

// Records a painter's notifications ("start", "paint 0", "after 0",
// "loop", "end") and, after each frame, what its composite bitmap shows.
class PainterLog {
public:
    // Installs the five handlers on the picture. Extra actions run inside
    // the handlers, after the recording.
    void Attach(TGIFImage& picture);

    std::vector<std::string> Events;
    std::vector<std::vector<QRgb>> Screens;
    std::function<void(TGIFPainter&)> OnPaint;
    std::function<void(TGIFPainter&)> OnAfterPaint;
    std::function<void(TGIFPainter&)> OnLoop;
    // Every notification came on the thread of the QApplication.
    bool AllOnUiThread = true;

    int Count(const std::string& event) const;

private:
    void record(const std::string& event);
};

// Draws the picture into the whole of a fresh canvas and answers it.
QImage DrawOnCanvas(TGIFImage& picture, int width, int height);

} // namespace ostra::test
