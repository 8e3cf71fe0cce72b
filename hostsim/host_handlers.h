#pragma once
// Handlers behind the painted host function entries: each takes the host's form of the call
// and records the call in the trace.
#include <cstdint>

namespace hostsim {

void* __cdecl runtimeMalloc(std::uint32_t bytes);
void __cdecl runtimeFree(void* block);
void* __cdecl hostNew(std::uint32_t bytes);
// Makes the n-th next hostNew fail (0: none).
void failHostNew(int n);
void __cdecl hostDelete(void* block);
float __cdecl defaultSlotCall(void* renderer, float gap, std::int32_t row);
std::uint32_t __cdecl pressureFunction(std::uint32_t p, std::uint32_t b, float pressure, std::uint32_t d);
std::uint32_t __attribute__((thiscall)) materialLookup(void* table, float a, float b);
void __cdecl languageCall(std::uint32_t value);
// The host object registered under a name (callee removes the argument); the wheels of the
// current car, or 0.
std::uint32_t __stdcall nameId(const char* name);

}  // namespace hostsim
