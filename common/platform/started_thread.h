#pragma once
// Starts a thread that already runs code of ours when the call returns. Wine kills the other
// threads when a process ends; one killed while the system is still setting it up (before it
// first runs its own code) takes the whole process down with a segmentation fault, because its
// signal handlers find its segment registers not yet saved. A game that quits right after the
// plugin started a thread would crash on its way out: the starter waits until the new thread has
// begun instead.
// Never called while the loader lock is held (DllMain, a DLL's static constructors): a new thread
// takes that lock before it runs any code of ours.
#include <functional>
#include <thread>

namespace kvl {

// Starts `body` on a new thread and returns once that thread runs. Throws what std::thread throws
// when no thread can be made.
std::thread startedThread(std::function<void()> body);

}  // namespace kvl
