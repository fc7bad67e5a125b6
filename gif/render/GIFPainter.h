#pragma once

#include "gif/GIFDrawSettings.h"
#include "gif/render/FrameCompositor.h"
#include "gif/render/PainterTarget.h"

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace ostra {

class TGIFImage;
class TGIFPainterList;

// Plays a picture's frames onto a target, with their delays, disposal
// methods and loop count.
//
// A synchronous painter runs to its end inside the Draw that created it
// (Execute). An asynchronous one is a thread of its own that only keeps
// time: everything that reads the picture, draws or fires a handler runs
// on the user-interface thread, through UiThread::Synchronize. It is
// stopped before the picture changes, so the picture never changes under
// a call of its painters.
//
// The painter is the sender of the picture's five handlers, which may
// stop it, move it to another frame or wake it early.
class TGIFPainter final : public QThread {
public:
    struct Start {
        TGIFImage& Picture;
        std::shared_ptr<TGIFPainterList> Painters;
        TPainterTarget Target;
        // The canvas and rectangle Draw was called with.
        const QPaintDevice* Canvas;
        QRect CanvasRect;
        bool Asynchronous;
    };

    // Copies the picture's options and handlers and sets up the buffers
    // (reading the target as it is now). Runs on the user-interface thread.
    explicit TGIFPainter(Start start);
    ~TGIFPainter() override;

    // Painters alive in the process, whichever picture they belong to: an
    // asynchronous painter is freed on the user-interface thread after its
    // thread has finished, so this reaches 0 only once the event loop has
    // served those frees.
    static int LiveCount();
    // Stops every live painter: the application is quitting.
    static void StopEvery();

    TGIFImage& Image() const { return picture_; }
    bool Asynchronous() const { return asynchronous_; }
    // The frame being played; a handler may move the painter to another.
    int ActiveImage() const { return activeImage_; }
    void SetActiveImage(int index) { activeImage_ = index; }
    // Passes still to play; -1 for endless.
    int LoopCount() const { return loopCount_; }

    // Marks the painter terminated and ends its wait; from any thread.
    void Stop();
    // Ends the wait between frames early (the wake-up event).
    void Wake();

    // The whole run on the calling thread: a synchronous painter, or the
    // body of the asynchronous one's thread. Leaves the painter list at
    // its end; an error ends the run and is kept (TakeError). When the
    // application quits, every wait of the run ends and the run with it.
    void Execute();
    std::exception_ptr TakeError() { return std::exchange(error_, nullptr); }

    bool DrawsOn(const QPaintDevice* canvas, const QRect& rect) const;
    bool FirstFrameDrawn() const { return firstFrameDrawn_; }
    bool Ended() const { return ended_; }

    // A call of this painter runs on the user-interface thread right now.
    bool InUiCall() const { return inUiCall_; }
    // Lets the painter end on its own: it makes no further calls to the
    // user-interface thread and never touches the picture again.
    void Detach() { detached_ = true; }

    static constexpr int kEndless = -1;

protected:
    void run() override;

private:
    void onUi(const std::function<void()>& call, bool evenWhenTerminated = false);
    void playPasses();
    int playFrames(bool& delayPending);
    bool prepareFrame(bool buildBitmap);
    void paintFrame();
    int readExtensions(TGIFSubImage& frame, int index);
    void fire(const TGIFPainterEvent& handler);

    void waitForFrame();
    std::int64_t waitMilliseconds(std::int64_t now) const;
    bool waitForWake(std::optional<std::int64_t> milliseconds);
    bool sleepDispatching(std::int64_t milliseconds);
    void restartTiming();

    TGIFImage& picture_;
    const std::shared_ptr<TGIFPainterList> painters_;
    TPainterTarget target_;
    const QPaintDevice* canvas_;
    const QRect canvasRect_;
    const bool asynchronous_;
    const TGIFDrawSettings settings_;
    std::optional<TFrameCompositor> compositor_;

    int activeImage_ = 0;
    int loopCount_ = 1;
    int restartFrame_ = 0;
    bool loopExtensionSeen_ = false;
    int delayUnits_ = 0;
    std::int64_t previousFrameTime_ = 0;
    std::int64_t previousWait_ = 0;

    std::atomic<bool> terminated_{false};
    std::atomic<bool> detached_{false};
    std::atomic<bool> firstFrameDrawn_{false};
    std::atomic<bool> ended_{false};
    bool inUiCall_ = false;
    std::exception_ptr error_;

    std::mutex wakeMutex_;
    std::condition_variable wakeSignal_;
    bool woken_ = false;
};

// Qt's priority for ThreadPriority 0 (idle) to 6 (time-critical).
QThread::Priority ThreadPriorityOf(std::uint8_t priority);

} // namespace ostra
