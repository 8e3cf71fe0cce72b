#include "common/daemon/daemon_platform.h"

#include <windows.h>

#include "common/platform/processor_arch.h"

namespace kvl {

std::string daemonPlatformName() {
  using IsWow64Process2Fn = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
  HMODULE kernel = GetModuleHandleA("kernel32");
  auto isWow64Process2 =
      kernel ? reinterpret_cast<IsWow64Process2Fn>(
                   reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process2")))
             : nullptr;
  if (isWow64Process2) {
    USHORT processMachine = 0;
    USHORT nativeMachine = 0;
    if (!isWow64Process2(GetCurrentProcess(), &processMachine, &nativeMachine)) return "";
    return architectureNameForMachine(nativeMachine);
  }
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) ? "x64" : "x86";
}

}  // namespace kvl
