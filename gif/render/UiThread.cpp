#include "gif/render/UiThread.h"

#include <QCoreApplication>
#include <QThread>

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>

namespace ostra::UiThread {

namespace {

struct Request {
    explicit Request(const std::function<void()>& c) : call(c) {}
    const std::function<void()>& call;
    bool done = false;
    std::exception_ptr error;
};

// One queue for the program: requests from every painter thread.
struct RequestQueue {
    std::mutex mutex;
    std::condition_variable done;
    std::deque<std::shared_ptr<Request>> pending;
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

} // namespace

bool IsCurrent()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return application == nullptr || QThread::currentThread() == application->thread();
}

void Synchronize(const std::function<void()>& call)
{
    if (IsCurrent()) {
        call();
        return;
    }
    RequestQueue& q = queue();
    const auto request = std::make_shared<Request>(call);
    {
        const std::lock_guard lock(q.mutex);
        q.pending.push_back(request);
    }
    postServeEvent();
    std::unique_lock lock(q.mutex);
    q.done.wait(lock, [&] { return request->done; });
    if (request->error)
        std::rethrow_exception(request->error);
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
        q.done.notify_all();
    }
}

} // namespace ostra::UiThread
