#pragma once
// The simulated host's record of what happened: handler calls, raises, plugin answers. Lines
// go to the trace file (when one was named) and to standard output.
#include <string>

namespace hostsim {

void openTrace(const std::string& path);
void trace(const std::string& line);
// The thread tag of the calling thread: "main" for the host thread, else "t<id>".
std::string threadTag();
// A number as trace lines show it: the shortest text (printf "%g").
std::string traceNumber(double v);
void markHostThread();
// While set on a thread, its trace lines are dropped (for host code that runs thousands of times
// a second, whose summary is traced instead).
void setTraceQuiet(bool quiet);

}  // namespace hostsim
