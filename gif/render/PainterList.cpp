#include "gif/render/PainterList.h"

#include "gif/render/GIFPainter.h"
#include "gif/render/UiThread.h"

#include <algorithm>

namespace ostra {

void TGIFPainterList::Add(TGIFPainter* painter)
{
    const Lock lock = Hold();
    painters_.push_back(painter);
}

void TGIFPainterList::Remove(TGIFPainter* painter)
{
    const Lock lock = Hold();
    std::erase(painters_, painter);
    if (drawPainter_ == painter)
        drawPainter_ = nullptr;
}

std::size_t TGIFPainterList::Count() const
{
    const Lock lock = Hold();
    return painters_.size();
}

std::size_t TGIFPainterList::AsynchronousCount() const
{
    const Lock lock = Hold();
    return static_cast<std::size_t>(
        std::count_if(painters_.begin(), painters_.end(), [](const TGIFPainter* p) { return p->Asynchronous(); }));
}

TGIFPainter* TGIFPainterList::DrawPainter() const
{
    const Lock lock = Hold();
    return drawPainter_;
}

void TGIFPainterList::SetDrawPainter(TGIFPainter* painter)
{
    const Lock lock = Hold();
    drawPainter_ = painter;
}

void TGIFPainterList::StopDrawPainter()
{
    const Lock lock = Hold();
    if (drawPainter_ != nullptr)
        drawPainter_->Stop();
    drawPainter_ = nullptr;
}

bool TGIFPainterList::stopAndRelease(bool everyAsynchronous)
{
    const Lock lock = Hold();
    for (TGIFPainter* painter : painters_)
        painter->Stop();
    std::erase_if(painters_, [&](TGIFPainter* painter) {
        if (!painter->Asynchronous() || !(everyAsynchronous || painter->InUiCall()))
            return false;
        painter->Detach();
        if (drawPainter_ == painter)
            drawPainter_ = nullptr;
        return true;
    });
    return std::any_of(painters_.begin(), painters_.end(), [](const TGIFPainter* p) { return p->Asynchronous(); });
}

void TGIFPainterList::StopAll()
{
    if (!UiThread::ServeRequestsUntil([this] { return !stopAndRelease(); }))
        stopAndRelease(true);
}

} // namespace ostra
