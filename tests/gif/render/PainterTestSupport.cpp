#include "PainterTestSupport.h"

#include "gif/render/PictureState.h"

#include <QCoreApplication>
#include <QPainter>
#include <QThread>

#include <algorithm>

namespace ostra::test {

void PainterLog::record(const std::string& event)
{
    Events.push_back(event);
    AllOnUiThread = AllOnUiThread && QThread::currentThread() == QCoreApplication::instance()->thread();
}

void PainterLog::Attach(TGIFImage& picture)
{
    picture.StartPaintHandler = [this](TGIFPainter&) { record("start"); };
    picture.PaintHandler = [this](TGIFPainter& painter) {
        record("paint " + std::to_string(painter.ActiveImage()));
        if (OnPaint)
            OnPaint(painter);
    };
    picture.AfterPaintHandler = [this](TGIFPainter& painter) {
        record("after " + std::to_string(painter.ActiveImage()));
        const TGIFPictureState& state = PictureStateOf(painter.Image());
        if (state.CompositeBitmap)
            Screens.push_back(Pixels(*state.CompositeBitmap));
        if (OnAfterPaint)
            OnAfterPaint(painter);
    };
    picture.LoopHandler = [this](TGIFPainter& painter) {
        record("loop");
        if (OnLoop)
            OnLoop(painter);
    };
    picture.EndPaintHandler = [this](TGIFPainter&) { record("end"); };
}

int PainterLog::Count(const std::string& event) const
{
    return static_cast<int>(std::count(Events.begin(), Events.end(), event));
}

QImage DrawOnCanvas(TGIFImage& picture, int width, int height)
{
    QImage canvas = Canvas(width, height, kPaper);
    QPainter painter(&canvas);
    Draw(picture, painter, canvas.rect());
    painter.end();
    return canvas;
}

} // namespace ostra::test
