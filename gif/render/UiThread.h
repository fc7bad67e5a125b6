#pragma once

#include <cstdint>
#include <functional>

namespace ostra::UiThread {

// The calling thread is the user-interface thread: the thread of the
// QCoreApplication, or any thread while there is none.
bool IsCurrent();

// Runs call on the user-interface thread and answers true when it has
// run; an exception it raises is raised again here. On the user-interface
// thread itself the call runs at once. Elsewhere it waits until the event
// loop, or a wait that serves requests, picks it up; when the application
// quits first, the call is dropped and the answer is false.
bool Synchronize(const std::function<void()>& call);

// Runs every call waiting for the user-interface thread. Waits on that
// thread serve them this way, so a thread blocked in Synchronize never
// waits on a thread that waits on it; nothing else is dispatched.
void ServeRequests();

// On the user-interface thread: serves requests until done() holds, asleep
// between them. Answers true when done() held, false when the application
// quit first. done() is asked again after every served call and every
// Notify().
bool ServeRequestsUntil(const std::function<bool()>& done);

// Something a waiting done() reads has changed (from any thread).
void Notify();

// Quits of the application seen so far. A quit ends every wait of
// ServeRequestsUntil and Synchronize that is under way, and runs the quit
// actions (the painters stop). Watching starts with WatchQuit, once a
// QCoreApplication exists; QuitArrived is what a quit does.
void WatchQuit();
std::uint64_t QuitCount();
void QuitArrived();
void OnQuit(std::function<void()> action);

} // namespace ostra::UiThread
