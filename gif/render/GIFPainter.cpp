#include "gif/render/GIFPainter.h"

#include "gif/GIFImage.h"
#include "gif/render/Drawing.h"
#include "gif/render/FlagScope.h"
#include "gif/render/FrameDelays.h"
#include "gif/render/PainterList.h"
#include "gif/render/RenderSettings.h"
#include "gif/render/UiThread.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <vector>

namespace ostra {

namespace {

constexpr std::int64_t kLongestSleepMilliseconds = 100;

// Every live painter of the process, so that a quit can stop them all.
struct LivePainters {
    std::mutex mutex;
    std::vector<TGIFPainter*> painters;
};

LivePainters& livePainters()
{
    static LivePainters* const instance = [] {
        UiThread::OnQuit([] { TGIFPainter::StopEvery(); });
        return new LivePainters;
    }();
    return *instance;
}

std::int64_t nowMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

QThread::Priority ThreadPriorityOf(std::uint8_t priority)
{
    static constexpr QThread::Priority priorities[] = {
        QThread::IdlePriority,    QThread::LowestPriority,  QThread::LowPriority,          QThread::NormalPriority,
        QThread::HighPriority,    QThread::HighestPriority, QThread::TimeCriticalPriority,
    };
    return priorities[std::min<std::size_t>(priority, std::size(priorities) - 1)];
}

TGIFPainter::TGIFPainter(Start start)
    : picture_(start.Picture), painters_(std::move(start.Painters)), target_(std::move(start.Target)),
      canvas_(start.Canvas), canvasRect_(start.CanvasRect), asynchronous_(start.Asynchronous),
      settings_(start.Picture)
{
    compositor_.emplace(picture_, target_, settings_.DrawOptions);
    LivePainters& live = livePainters();
    const std::lock_guard lock(live.mutex);
    live.painters.push_back(this);
}

TGIFPainter::~TGIFPainter()
{
    {
        LivePainters& live = livePainters();
        const std::lock_guard lock(live.mutex);
        std::erase(live.painters, this);
    }
    wait();
}

int TGIFPainter::LiveCount()
{
    LivePainters& live = livePainters();
    const std::lock_guard lock(live.mutex);
    return static_cast<int>(live.painters.size());
}

void TGIFPainter::StopEvery()
{
    LivePainters& live = livePainters();
    const std::lock_guard lock(live.mutex);
    for (TGIFPainter* painter : live.painters)
        painter->Stop();
}

bool TGIFPainter::DrawsOn(const QPaintDevice* canvas, const QRect& rect) const
{
    return canvas == canvas_ && rect == canvasRect_;
}

void TGIFPainter::Stop()
{
    terminated_ = true;
    Wake();
    if (asynchronous_ && isRunning())
        setPriority(QThread::NormalPriority);
}

void TGIFPainter::Wake()
{
    {
        const std::lock_guard lock(wakeMutex_);
        woken_ = true;
    }
    wakeSignal_.notify_all();
}

void TGIFPainter::run()
{
    Execute();
}

void TGIFPainter::Execute()
{
    try {
        previousFrameTime_ = nowMilliseconds();
        onUi([this] { fire(settings_.StartPaintHandler); });
        playPasses();
        onUi([this] { fire(settings_.EndPaintHandler); }, true);
    } catch (...) {
        error_ = std::current_exception();
    }
    painters_->Remove(this);
    ended_ = true;
    UiThread::Notify();
}

// Calls of an asynchronous painter run on the user-interface thread; once
// the painter has been stopped only the end notification still goes
// there, and nothing once it has been let go. A call that the
// application's quit dropped ends the run.
void TGIFPainter::onUi(const std::function<void()>& call, bool evenWhenTerminated)
{
    const auto guarded = [&] {
        if (detached_ || (terminated_ && !evenWhenTerminated))
            return;
        const FlagScope inCall(inUiCall_);
        call();
    };
    if (!asynchronous_)
        guarded();
    else if (!UiThread::Synchronize(guarded))
        terminated_ = true;
}

// Passes over the frames while the loop count lasts. The first looping
// extension met sets the count and the frame later passes start at. A
// pass that plays no frame ends the run: there is nothing to animate.
void TGIFPainter::playPasses()
{
    const bool animate = (settings_.DrawOptions & DrawAnimate) != 0;
    const bool loop = animate && (settings_.DrawOptions & DrawLoop) != 0;
    const bool loopForever = (settings_.DrawOptions & DrawLoopForever) != 0;
    bool delayPending = !asynchronous_;
    for (bool firstPass = true; (loopCount_ != 0 || loopForever) && !terminated_; firstPass = false) {
        if (!firstPass)
            onUi([this] { fire(settings_.LoopHandler); });
        activeImage_ = restartFrame_;
        const int played = playFrames(delayPending);
        if (loopCount_ > 0)
            --loopCount_;
        if (!loop || played == 0)
            return;
    }
}

// Plays frames from the active one to the last, or to an empty one.
int TGIFPainter::playFrames(bool& delayPending)
{
    int played = 0;
    while (!terminated_) {
        bool ready = false;
        onUi([&] { ready = prepareFrame(delayPending); });
        if (!ready)
            break;
        if (delayPending)
            waitForFrame();
        onUi([this] { paintFrame(); });
        delayPending = true;
        ++played;
        if ((settings_.DrawOptions & DrawAnimate) == 0)
            break;
    }
    return played;
}

// The frame to play exists and has an image; its bitmap is built before
// the wait, so that building it does not delay the frame.
bool TGIFPainter::prepareFrame(bool buildBitmap)
{
    if (activeImage_ < 0 || static_cast<std::size_t>(activeImage_) >= picture_.Frames.Count())
        return false;
    TGIFSubImage& frame = picture_.Frames[static_cast<std::size_t>(activeImage_)];
    if (frame.Empty())
        return false;
    if (buildBitmap)
        GetFrameBitmap(frame);
    return true;
}

void TGIFPainter::paintFrame()
{
    if ((settings_.DrawOptions & DrawValidateCanvas) != 0 && !target_.IsValid()) {
        Stop();
        return;
    }
    fire(settings_.PaintHandler);
    const int index = activeImage_;
    if (terminated_ || index < 0 || static_cast<std::size_t>(index) >= picture_.Frames.Count())
        return;
    TGIFSubImage& frame = picture_.Frames[static_cast<std::size_t>(index)];
    compositor_->DrawFrame(frame, index, readExtensions(frame, index));
    delayUnits_ = FrameDelayUnits(frame, !asynchronous_);
    firstFrameDrawn_ = true;
    UiThread::Notify();
    fire(settings_.AfterPaintHandler);
    if (activeImage_ == index)
        activeImage_ = index + 1;
}

// The first looping extension of the run sets the loop count (endless for
// a count of 0, or with DrawLoopForever, when the painter runs on its
// own) and makes this frame the one later passes start at. Answers the
// frame's disposal method.
int TGIFPainter::readExtensions(TGIFSubImage& frame, int index)
{
    for (TGIFExtension& extension : frame.Extensions) {
        const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(&extension);
        if (loop == nullptr || loopExtensionSeen_)
            continue;
        loopExtensionSeen_ = true;
        restartFrame_ = index;
        const bool endless = loop->Loops == 0 || (settings_.DrawOptions & DrawLoopForever) != 0;
        loopCount_ = asynchronous_ && endless ? kEndless : loop->Loops;
    }
    return DisposalOf(frame);
}

void TGIFPainter::fire(const TGIFPainterEvent& handler)
{
    if (handler)
        handler(*this);
}

// The wait before a frame. An asynchronous painter waits on its wake-up
// event: not at all at a negative AnimationSpeed, until woken at 0.
// A synchronous one waits at least a millisecond, in short sleeps between
// which it dispatches the thread's events. Waking early restarts the
// timing.
void TGIFPainter::waitForFrame()
{
    if (asynchronous_ && settings_.AnimationSpeed < 0)
        return;
    if (asynchronous_ && settings_.AnimationSpeed == 0) {
        waitForWake(std::nullopt);
        restartTiming();
        return;
    }
    const std::int64_t now = nowMilliseconds();
    const std::int64_t wait = waitMilliseconds(now);
    previousFrameTime_ = now;
    previousWait_ = wait;
    if (asynchronous_ ? waitForWake(wait) : sleepDispatching(wait))
        restartTiming();
}

std::int64_t TGIFPainter::waitMilliseconds(std::int64_t now) const
{
    if (!asynchronous_ && settings_.AnimationSpeed < 1)
        return std::int64_t{GIFSettings::LongestFrameDelay} * GIFSettings::FrameDelayUnit;
    const std::int64_t lateness = now - previousFrameTime_ - previousWait_;
    const std::int64_t wait = FrameWaitMilliseconds(delayUnits_, lateness, settings_.AnimationSpeed);
    return std::max<std::int64_t>(wait, asynchronous_ ? 0 : 1);
}

// Waits for the wake-up event (forever without a time); answers whether
// it came, and resets it.
bool TGIFPainter::waitForWake(std::optional<std::int64_t> milliseconds)
{
    std::unique_lock lock(wakeMutex_);
    const auto signalled = [this] { return woken_; };
    if (milliseconds)
        wakeSignal_.wait_for(lock, std::chrono::milliseconds(*milliseconds), signalled);
    else
        wakeSignal_.wait(lock, signalled);
    return std::exchange(woken_, false);
}

bool TGIFPainter::sleepDispatching(std::int64_t milliseconds)
{
    const std::int64_t deadline = nowMilliseconds() + milliseconds;
    while (!terminated_) {
        const std::int64_t remaining = deadline - nowMilliseconds();
        if (remaining <= 0)
            return false;
        if (waitForWake(std::min(remaining, kLongestSleepMilliseconds)))
            return true;
        if (QCoreApplication::instance() != nullptr)
            QCoreApplication::processEvents();
    }
    return false;
}

void TGIFPainter::restartTiming()
{
    previousFrameTime_ = nowMilliseconds();
    previousWait_ = 0;
}

} // namespace ostra
