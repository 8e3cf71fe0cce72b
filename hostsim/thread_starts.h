#pragma once
// The threads the plugin starts, as the host sees them: the plugin's _beginthreadex import runs
// through here. A thread started on the host thread counts as starting until it runs the
// plugin's code; a host step after which one is still starting is traced
//   host threads still starting N after STEP
// because the host may end its process as soon as a plugin call returns, and a thread ended in
// the middle of its system set-up takes the process down with it (so every scenario fails on
// that line). The step
//   slowthreads MS
// makes every later thread wait MS milliseconds before it runs the plugin's code: a system slow
// to set up its threads, under which a plugin call that returns before its threads run shows.
#include <istream>
#include <string>
#include <windows.h>

namespace hostsim {

// Routes the module's _beginthreadex import through the host; false when it has none.
bool watchThreadStarts(HMODULE plugin);
// Traces the line above when a thread the host thread started has not run yet.
void traceThreadsStillStarting(const std::string& step);
// The slowthreads step; false for any other step.
bool runThreadStartStep(const std::string& step, std::istream& in);

}  // namespace hostsim
