#include "gif/render/GIFAnimation.h"

#include "gif/GIFImage.h"
#include "gif/render/FrameGeometry.h"
#include "gif/render/GIFPainter.h"
#include "gif/render/Palettes.h"
#include "gif/render/PictureState.h"
#include "gif/render/RenderErrors.h"
#include "gif/render/UiThread.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPointer>

namespace ostra {

namespace {

QSize screenOf(const TGIFImage& picture)
{
    return {picture.Width(), picture.Height()};
}

// Unscaled tiles of the picture's size over rect with DrawTile, else
// scaled to rect.
void drawComposite(const TGIFImage& picture, const QImage& composite, QPainter& canvas, const QRect& rect)
{
    canvas.save();
    canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if ((picture.DrawOptions & DrawTile) != 0) {
        for (const QRect& tile : TileRects(composite.rect(), screenOf(picture), rect))
            canvas.drawImage(tile, composite);
    } else {
        canvas.drawImage(rect, composite);
    }
    canvas.restore();
}

// The logical screen as the caller's canvas shows it in rect, for the
// painter to compose the animation in.
std::shared_ptr<QImage> newComposite(TGIFImage& picture, TGIFPictureState& state, QPainter& canvas, const QRect& rect)
{
    TGIFPalette palette = PicturePalette(picture);
    auto composite = std::make_shared<QImage>(NewBufferImage(screenOf(picture)));
    const QImage area = TPainterTarget::Canvas(canvas, rect).CopyArea(AnimationBackground(picture));
    QPainter painter(composite.get());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(composite->rect(), area);
    state.CompositeBitmap = composite;
    state.CompositePalette = std::move(palette);
    return composite;
}

TPainterTarget chooseTarget(TGIFImage& picture, TGIFPictureState& state, QPainter& canvas, const QRect& rect,
                            bool asynchronous)
{
    if ((picture.DrawOptions & DrawDirect) == 0)
        return TPainterTarget::Bitmap(newComposite(picture, state, canvas, rect));
    return asynchronous ? TPainterTarget::Device(canvas, rect) : TPainterTarget::Canvas(canvas, rect);
}

// The thread frees its painter on the user-interface thread when it has
// finished, in a queued call that also shows an error the painter kept.
void startAsynchronous(TGIFPainter* painter, TGIFPainterList& painters, std::uint8_t priority)
{
    painters.SetDrawPainter(painter);
    QObject::connect(
        painter, &QThread::finished, QCoreApplication::instance(),
        [painter] {
            painter->wait();
            const std::exception_ptr error = painter->TakeError();
            delete painter;
            if (error)
                ShowPainterError(error);
        },
        Qt::QueuedConnection);
    painter->start(ThreadPriorityOf(priority));
}

// Serves the painter's calls until it has drawn its first frame or ended,
// or the application quits.
void waitForFirstFrame(TGIFPainter* started)
{
    // A call served here may run the event loop, in which the painter may
    // end and be freed.
    const QPointer<QThread> alive(started);
    UiThread::ServeRequestsUntil(
        [&] { return alive.isNull() || started->FirstFrameDrawn() || started->Ended(); });
}

} // namespace

void DrawAnimation(TGIFImage& picture, TGIFPictureState& state, QPainter& canvas, const QRect& rect)
{
    const bool direct = (picture.DrawOptions & DrawDirect) != 0;
    if (state.CompositeBitmap && !direct) {
        drawComposite(picture, *state.CompositeBitmap, canvas, rect);
        return;
    }
    const bool asynchronous = (picture.DrawOptions & DrawAsync) != 0 && QCoreApplication::instance() != nullptr;
    UiThread::WatchQuit();
    std::unique_ptr<TGIFPainter> painter;
    {
        const TGIFPainterList::Lock lock = state.Painters->Hold();
        const TGIFPainter* current = state.Painters->DrawPainter();
        if (current != nullptr && current->DrawsOn(canvas.device(), rect))
            return;
        state.DropAnimation();
        if (picture.Empty() || (direct ? rect.isEmpty() : screenOf(picture).isEmpty()))
            return;
        painter = std::make_unique<TGIFPainter>(TGIFPainter::Start{
            picture, state.Painters, chooseTarget(picture, state, canvas, rect, asynchronous), canvas.device(), rect,
            asynchronous});
        state.Painters->Add(painter.get());
        if (asynchronous)
            startAsynchronous(painter.get(), *state.Painters, picture.ThreadPriority);
    }
    if (asynchronous) {
        TGIFPainter* started = painter.release();
        if (!direct)
            waitForFirstFrame(started);
    } else {
        painter->Execute();
        if (const std::exception_ptr error = painter->TakeError())
            std::rethrow_exception(error);
    }
    if (!direct && state.CompositeBitmap)
        drawComposite(picture, *state.CompositeBitmap, canvas, rect);
}

} // namespace ostra
