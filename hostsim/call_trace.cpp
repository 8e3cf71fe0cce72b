#include "hostsim/call_trace.h"

#include <windows.h>

#include <cstdio>
#include <mutex>

namespace hostsim {
namespace {

std::mutex traceMutex;
std::FILE* traceFile = nullptr;
DWORD hostThread = 0;
thread_local bool quietThread = false;

}  // namespace

void openTrace(const std::string& path) {
  std::lock_guard<std::mutex> lock(traceMutex);
  traceFile = std::fopen(path.c_str(), "w");
}

void markHostThread() { hostThread = GetCurrentThreadId(); }

std::string traceNumber(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

std::string threadTag() {
  const DWORD id = GetCurrentThreadId();
  return id == hostThread ? "main" : "t" + std::to_string(id);
}

void setTraceQuiet(bool quiet) { quietThread = quiet; }

void trace(const std::string& line) {
  if (quietThread) return;
  const std::string text = line + " [" + threadTag() + "]\n";
  std::lock_guard<std::mutex> lock(traceMutex);
  std::fputs(text.c_str(), stdout);
  std::fflush(stdout);
  if (traceFile != nullptr) {
    std::fputs(text.c_str(), traceFile);
    std::fflush(traceFile);
  }
}

}  // namespace hostsim
