#include "common/platform/processor_arch.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kvl {

std::string architectureNameForMachine(uint16_t machine) {
  switch (machine) {
    case 0x014C: return "x86";
    case 0x0200: return "ia64";
    case 0x8664: return "x64";
    case 0x01C0: return "arm";
    case 0xAA64: return "arm64";
    default: return "";
  }
}

#ifdef _WIN32
NativeMachineQuery queryNativeMachine(uint16_t& machine) {
  using IsWow64Process2Fn = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
  HMODULE kernel = GetModuleHandleA("kernel32");
  auto isWow64Process2 =
      kernel ? reinterpret_cast<IsWow64Process2Fn>(
                   reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process2")))
             : nullptr;
  if (!isWow64Process2) return NativeMachineQuery::Unavailable;
  USHORT processMachine = 0;
  USHORT nativeMachine = 0;
  if (!isWow64Process2(GetCurrentProcess(), &processMachine, &nativeMachine)) {
    return NativeMachineQuery::Failed;
  }
  machine = nativeMachine;
  return NativeMachineQuery::Known;
}

std::string processorArchitectureName() {
  uint16_t machine = 0;
  switch (queryNativeMachine(machine)) {
    case NativeMachineQuery::Known: return architectureNameForMachine(machine);
    case NativeMachineQuery::Failed: return "";
    case NativeMachineQuery::Unavailable: break;
  }
#if defined(_WIN64)
  // A 64-bit process never runs under WOW64, so IsWow64Process would call every machine "x86";
  // the process's own architecture is the native one.
  return "x64";
#else
  BOOL wow64 = FALSE;
  if (IsWow64Process(GetCurrentProcess(), &wow64) && wow64) return "x64";
  return "x86";
#endif
}
#else
std::string processorArchitectureName() {
#if defined(__x86_64__)
  return "x64";
#elif defined(__aarch64__)
  return "arm64";
#elif defined(__arm__)
  return "arm";
#else
  return "x86";
#endif
}
#endif

}  // namespace kvl
