#include "hostsim/thread_starts.h"

#include <process.h>

#include <atomic>
#include <cstdint>

#include "hostsim/call_trace.h"
#include "hostsim/import_redirect.h"

namespace hostsim {
namespace {

using StartRoutine = unsigned(__stdcall*)(void*);

struct PluginThread {
  StartRoutine start;
  void* argument;
  bool fromHostThread;
};

std::atomic<int> slowStartMs{0};
std::atomic<int> hostStartsPending{0};

unsigned __stdcall runPluginThread(void* started) {
  const PluginThread thread = *static_cast<PluginThread*>(started);
  delete static_cast<PluginThread*>(started);
  if (const int ms = slowStartMs.load()) Sleep(static_cast<DWORD>(ms));
  if (thread.fromHostThread) hostStartsPending.fetch_sub(1);
  return thread.start(thread.argument);
}

std::uintptr_t __cdecl startPluginThread(void* security, unsigned stackSize, StartRoutine start, void* argument,
                                         unsigned flags, unsigned* id) {
  auto* thread = new PluginThread{start, argument, threadTag() == "main"};
  if (thread->fromHostThread) hostStartsPending.fetch_add(1);
  const std::uintptr_t handle = _beginthreadex(security, stackSize, &runPluginThread, thread, flags, id);
  if (handle == 0) {
    if (thread->fromHostThread) hostStartsPending.fetch_sub(1);
    delete thread;
  }
  return handle;
}

}  // namespace

bool watchThreadStarts(HMODULE plugin) {
  return redirectImport(plugin, "msvcrt.dll", "_beginthreadex", reinterpret_cast<const void*>(&startPluginThread));
}

void traceThreadsStillStarting(const std::string& step) {
  const int pending = hostStartsPending.load();
  if (pending > 0) trace("host threads still starting " + std::to_string(pending) + " after " + step);
}

bool runThreadStartStep(const std::string& step, std::istream& in) {
  if (step != "slowthreads") return false;
  int ms = 0;
  in >> ms;
  slowStartMs.store(ms);
  trace("host thread starts slowed " + std::to_string(ms));
  return true;
}

}  // namespace hostsim
