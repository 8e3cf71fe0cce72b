#include "common/daemon/daemon_platform.h"

#include <windows.h>

#include "common/platform/processor_arch.h"

namespace kvl {

std::string daemonPlatformName() {
  uint16_t machine = 0;
  switch (queryNativeMachine(machine)) {
    case NativeMachineQuery::Known: return architectureNameForMachine(machine);
    case NativeMachineQuery::Failed: return "";
    case NativeMachineQuery::Unavailable: break;
  }
  // Without IsWow64Process2 the banner only tells whether the query itself works.
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) ? "x64" : "x86";
}

}  // namespace kvl
