#include "hostsim/thread_roles.h"

#include <windows.h>

#include <map>
#include <mutex>
#include <string>

#include "hostsim/call_trace.h"

namespace hostsim {
namespace {

std::mutex lock;
std::map<DWORD, const char*>& roles() {
  static auto* r = new std::map<DWORD, const char*>();  // kept to the end: threads end late
  return *r;
}

const char* takeRole(DWORD thread) {
  std::lock_guard<std::mutex> hold(lock);
  auto it = roles().find(thread);
  if (it == roles().end()) return nullptr;
  const char* role = it->second;
  roles().erase(it);
  return role;
}

void NTAPI threadNotification(PVOID, DWORD reason, PVOID) {
  if (reason != DLL_THREAD_DETACH) return;
  if (const char* role = takeRole(GetCurrentThreadId())) trace(std::string("host thread ended: ") + role + " worker");
}

}  // namespace

void noteThreadRole(const char* role) {
  if (threadTag() == "main") return;
  std::lock_guard<std::mutex> hold(lock);
  roles().emplace(GetCurrentThreadId(), role);
}

}  // namespace hostsim

// The executable's thread notification, called on every thread as it ends.
extern "C" __attribute__((section(".CRT$XLB"), used)) const PIMAGE_TLS_CALLBACK hostsimThreadNotification =
    hostsim::threadNotification;
