#include "hostsim/host_handlers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/record_copies.h"
#include "hostsim/service_repair_model.h"
#include "hostsim/step_batch_host.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

}  // namespace

void* __cdecl runtimeMalloc(std::uint32_t bytes) {
  void* block = failsAllocation(bytes) || failsRecordCopyAllocation(bytes) ? nullptr : std::malloc(bytes);
  // A new block holds whatever the heap left there: the pattern, so that a word nobody wrote
  // never passes for a value.
  if (block != nullptr) fillPattern(block, bytes);
  trace("host runtimeMalloc " + std::to_string(bytes) + (block == nullptr ? " failed" : ""));
  return block;
}

void __cdecl runtimeFree(void* block) {
  trace("host runtimeFree");
  noteRuntimeFree(block);
  // A watched host block (the effects' entry array) that the plugin frees is no longer watched.
  if (isWatched(block)) releaseObject(block);
  std::free(block);
}

namespace {
int gFailNewIn = 0;  // the allocation that fails: 1 = the next one; 0 = none
}  // namespace

void failHostNew(int n) { gFailNewIn = n; }

void* __cdecl hostNew(std::uint32_t bytes) {
  if (gFailNewIn > 0 && --gFailNewIn == 0) {
    trace("host new " + std::to_string(bytes) + " failed");
    return nullptr;
  }
  void* block = std::malloc(bytes);
  trace("host new " + std::to_string(bytes));
  return block;
}

void __cdecl hostDelete(void* block) {
  trace("host delete");
  std::free(block);
}

// The host's grid row spacing: 100 + 25 per row, plus the gap.
float __cdecl defaultSlotCall(void*, float gap, std::int32_t row) { return 100.0f + 25.0f * static_cast<float>(row) + gap; }

std::uint32_t __cdecl pressureFunction(std::uint32_t p, std::uint32_t b, float pressure, std::uint32_t d) {
  trace("host pressure " + std::to_string(p) + " " + std::to_string(b) + " " + traceNumber(pressure) + " " +
        std::to_string(d));
  return p + d;
}

std::uint32_t __attribute__((thiscall)) materialLookup(void* table, float a, float b) {
  trace("host materialLookup " + traceNumber(a) + " " + traceNumber(b));
  return 0xEE;
}

void __cdecl languageCall(std::uint32_t value) { trace("host languageCall " + std::to_string(value)); }

std::uint32_t __stdcall nameId(const char* name) {
  // Four wheel objects; each one's 788-byte record at +1388 filled with its index + 1.
  static unsigned char** wheels = [] {
    static unsigned char* w[4];
    for (int i = 0; i < 4; ++i) {
      w[i] = hostObject("namedwheel" + std::to_string(i), 1388 + 788);
      const std::string record(788, static_cast<char>(i + 1));
      hostWrite(w[i] + 1388, record.data(), record.size());
    }
    return w;
  }();
  static const char* const names[4] = {"CAR_WHEEL_LF", "CAR_WHEEL_RF", "CAR_WHEEL_LB", "CAR_WHEEL_RB"};
  trace(std::string("host nameId ") + name);
  for (int i = 0; i < 4; ++i) {
    if (std::strcmp(name, names[i]) == 0) {
      return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(wheels[i]));
    }
  }
  return 0;
}

}  // namespace hostsim
