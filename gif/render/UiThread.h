#pragma once

#include <functional>

namespace ostra::UiThread {

// The calling thread is the user-interface thread: the thread of the
// QCoreApplication, or any thread while there is none.
bool IsCurrent();

// Runs call on the user-interface thread and returns when it has run;
// an exception it raises is raised again here. On the user-interface
// thread itself the call runs at once. Elsewhere it waits until the
// event loop, or a wait that serves requests, picks it up.
void Synchronize(const std::function<void()>& call);

// Runs every call waiting for the user-interface thread. Waits on that
// thread serve them this way, so a thread blocked in Synchronize never
// waits on a thread that waits on it; nothing else is dispatched.
void ServeRequests();

} // namespace ostra::UiThread
