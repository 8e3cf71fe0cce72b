// The TLS index through which the invokers of invoker_frame.inc find their frame. They
// read the thread's own slot array (the first 64 indices live in the thread block itself), so
// an index past it cannot serve them: the host then stops at once rather than run host code
// whose landing would read another word.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

DWORD allocateInvokerSlot() {
  const DWORD slot = TlsAlloc();
  if (slot >= 64) {
    std::fputs("hostsim: no thread slot below 64 left for the invokers\n", stderr);
    std::abort();
  }
  return slot;
}

}  // namespace

// Made before main, before any thread runs host code.
extern "C" {
DWORD hostsimInvokerSlot = allocateInvokerSlot();
}
