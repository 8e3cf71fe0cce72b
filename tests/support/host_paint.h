#pragma once
// Host code for tests that lay out a host stand-in: a jump at a host function's address to a
// handler of the test, the host runtime's malloc behind its address, and the host constructor
// that the physics worker runs on its record copies.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "plugin/host/binding/abi.h"

namespace kvl::testing {

inline void paintJump(unsigned char* at, const void* handler) {
  DWORD old = 0;
  VirtualProtect(at, 16, PAGE_EXECUTE_READWRITE, &old);
#if defined(_WIN64)
  const unsigned char jump[6] = {0xFF, 0x25, 0, 0, 0, 0};  // jmp [rip+0], then the address
  std::memcpy(at, jump, 6);
  std::memcpy(at + 6, &handler, 8);
#else
  at[0] = 0xE9;
  const auto displacement = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handler) -
                                                       reinterpret_cast<std::uintptr_t>(at) - 5);
  std::memcpy(at + 1, &displacement, 4);
#endif
  FlushInstructionCache(GetCurrentProcess(), at, 16);
}

// The host runtime's malloc (caller cleans).
inline void* QZR_CDECL runtimeMallocStandIn(std::uint32_t bytes) { return std::calloc(1, bytes); }

// Paints the runtime's malloc (host 0x70BEC2) into a stand-in for the host loaded at `module`.
inline void paintRuntimeMalloc(HMODULE module) {
  paintJump(reinterpret_cast<unsigned char*>(module) + (0x70BEC2 - 0x400000),
            reinterpret_cast<const void*>(&runtimeMallocStandIn));
}

// The host's record constructor (a member call, no argument): leaves the copy as the plugin set it.
inline void QZR_THISCALL recordConstructorStandIn(void*) {}

// Paints the record constructor (host 0x5001C0) into a stand-in for the host loaded at `module`.
inline void paintRecordConstructor(HMODULE module) {
  paintJump(reinterpret_cast<unsigned char*>(module) + (0x5001C0 - 0x400000),
            reinterpret_cast<const void*>(&recordConstructorStandIn));
}

}  // namespace kvl::testing
