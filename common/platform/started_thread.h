#pragma once
// Starts a thread that already runs code of ours when the call returns. When a process ends, Wine
// kills its other threads at once, and one killed while it is still being set up takes the process
// down: killed before the system has set it up, its signal handlers find its segment registers not
// yet saved and the process dies of a segmentation fault; killed inside the thread library's own
// start, it leaves that library's lock held, and the worker's detach at exit then waits for it
// forever. A game that quits right after the plugin started a thread would crash or hang on its
// way out: the starter waits until the new thread runs its body instead.
// Never called while the loader lock is held (DllMain, a DLL's static constructors): a new thread
// takes that lock before it runs any code of ours.
#include <functional>
#include <thread>

namespace kvl {

// Starts `body` on a new thread and returns once that thread runs. Throws what std::thread throws
// when no thread can be made.
std::thread startedThread(std::function<void()> body);

}  // namespace kvl
