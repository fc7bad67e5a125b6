#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

namespace ostra {

class TGIFPainter;

// Every live painter of one picture, and the picture's DrawPainter (the
// asynchronous painter started by the last animated Draw). The picture and
// its painters share it, so that a painter can always leave it, even one
// that the picture stopped waiting for.
class TGIFPainterList {
public:
    using Lock = std::unique_lock<std::recursive_mutex>;

    // Draw holds the lock while it checks, stops and starts its painter.
    Lock Hold() const { return Lock(mutex_); }

    void Add(TGIFPainter* painter);
    // The painter leaves the list (and stops being the DrawPainter).
    void Remove(TGIFPainter* painter);
    std::size_t Count() const;
    std::size_t AsynchronousCount() const;

    TGIFPainter* DrawPainter() const;
    void SetDrawPainter(TGIFPainter* painter);
    // Stops the DrawPainter without waiting for it; there is none afterwards.
    void StopDrawPainter();

    // On the user-interface thread: stops every painter and returns when no
    // asynchronous one is left, serving their calls to this thread in the
    // meantime and otherwise asleep until a painter leaves. A painter whose
    // call is running further down this thread's stack cannot end before
    // this returns: it leaves the list at once and ends on its own, without
    // touching the picture again. When the application quits during the
    // wait, every asynchronous painter left is let go that way.
    void StopAll();

private:
    // Stops every painter and lets go of the asynchronous ones that cannot
    // be waited for (all of them with everyAsynchronous); answers whether
    // asynchronous painters remain.
    bool stopAndRelease(bool everyAsynchronous = false);

    mutable std::recursive_mutex mutex_;
    std::vector<TGIFPainter*> painters_;
    TGIFPainter* drawPainter_ = nullptr;
};

} // namespace ostra
