#include "gif/render/UiThread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

namespace ostra::UiThread {

namespace {

struct Request {
    explicit Request(const std::function<void()>& c) : call(c) {}
    const std::function<void()>& call;
    bool done = false;
    std::exception_ptr error;
};

// One queue for the program: requests from every painter thread. The one
// condition wakes both sides: painter threads waiting for their request
// to be done, and the user-interface thread waiting for a request, a
// notification or a quit.
struct RequestQueue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Request>> pending;
    std::uint64_t notifications = 0;
    std::atomic<std::uint64_t> quits{0};
    std::vector<std::function<void()>> quitActions;
};

RequestQueue& queue()
{
    static RequestQueue instance;
    return instance;
}

void postServeEvent()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, [] { ServeRequests(); }, Qt::QueuedConnection);
}

// Sees the application's quit event go by (without taking it): a window
// closed last or QCoreApplication::quit().
class QuitWatcher final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit)
            QuitArrived();
        return false;
    }
};

} // namespace

bool IsCurrent()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return application == nullptr || QThread::currentThread() == application->thread();
}

bool Synchronize(const std::function<void()>& call)
{
    if (IsCurrent()) {
        call();
        return true;
    }
    RequestQueue& q = queue();
    const auto request = std::make_shared<Request>(call);
    std::unique_lock lock(q.mutex);
    const std::uint64_t quits = q.quits.load();
    q.pending.push_back(request);
    lock.unlock();
    q.changed.notify_all(); // a wait of the user-interface thread serves it
    postServeEvent();        // else the event loop does
    lock.lock();
    q.changed.wait(lock, [&] { return request->done || q.quits.load() != quits; });
    if (!request->done) {
        // A request still queued is dropped; one that the user-interface
        // thread has taken runs to its end, since it reads this thread's call.
        const auto queued = std::find(q.pending.begin(), q.pending.end(), request);
        if (queued != q.pending.end()) {
            q.pending.erase(queued);
            return false;
        }
        q.changed.wait(lock, [&] { return request->done; });
    }
    if (request->error)
        std::rethrow_exception(request->error);
    return true;
}

void ServeRequests()
{
    RequestQueue& q = queue();
    for (;;) {
        std::shared_ptr<Request> request;
        {
            const std::lock_guard lock(q.mutex);
            if (q.pending.empty())
                return;
            request = q.pending.front();
            q.pending.pop_front();
        }
        try {
            request->call();
        } catch (...) {
            request->error = std::current_exception();
        }
        {
            const std::lock_guard lock(q.mutex);
            request->done = true;
        }
        q.changed.notify_all();
    }
}

// The notification count is read before done() is asked, so that a change
// between the question and the sleep still wakes the sleep.
bool ServeRequestsUntil(const std::function<bool()>& done)
{
    RequestQueue& q = queue();
    const std::uint64_t quits = q.quits.load();
    for (;;) {
        ServeRequests();
        std::uint64_t seen = 0;
        {
            const std::lock_guard lock(q.mutex);
            seen = q.notifications;
        }
        if (done())
            return true;
        if (q.quits.load() != quits)
            return false;
        std::unique_lock lock(q.mutex);
        q.changed.wait(lock, [&] {
            return !q.pending.empty() || q.notifications != seen || q.quits.load() != quits;
        });
    }
}

void Notify()
{
    RequestQueue& q = queue();
    {
        const std::lock_guard lock(q.mutex);
        ++q.notifications;
    }
    q.changed.notify_all();
}

void WatchQuit()
{
    static QPointer<QObject> watcher;
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr || !watcher.isNull())
        return;
    watcher = new QuitWatcher(application);
    application->installEventFilter(watcher);
    QObject::connect(application, &QCoreApplication::aboutToQuit, watcher, [] { QuitArrived(); });
}

std::uint64_t QuitCount()
{
    return queue().quits.load();
}

void QuitArrived()
{
    RequestQueue& q = queue();
    std::vector<std::function<void()>> actions;
    {
        const std::lock_guard lock(q.mutex);
        ++q.quits;
        actions = q.quitActions;
    }
    q.changed.notify_all();
    for (const auto& action : actions)
        action();
}

void OnQuit(std::function<void()> action)
{
    RequestQueue& q = queue();
    const std::lock_guard lock(q.mutex);
    q.quitActions.push_back(std::move(action));
}

} // namespace ostra::UiThread
