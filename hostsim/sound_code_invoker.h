#pragma once
// The invokers of sound_code_invoker.S: they run the host's sound code the way the host's flow
// reaches it and write what they saw into an outcome block of their caller.
#include <cstddef>
#include <cstdint>

namespace hostsim {

// Where a guarded place's flow ended, and what it left.
struct GuardOutcome {
  std::uint32_t eax = 0, edx = 0, esi = 0;
  std::int32_t stackWords = 0;  // beyond the return address of the call to the place
  float value = 0.0f;           // the float left in ST(0) when the host code returned
};

// What the comparison left: the value it pushed, the words beyond it and the FPU status word.
struct CompareOutcome {
  std::uint32_t pushed = 0;
  std::int32_t stackWords = 0;
  std::uint32_t fpuStatus = 0;
};

// The offsets sound_code_invoker.S writes at.
static_assert(offsetof(GuardOutcome, stackWords) == 12 && offsetof(GuardOutcome, value) == 16);
static_assert(offsetof(CompareOutcome, stackWords) == 4 && offsetof(CompareOutcome, fpuStatus) == 8);

}  // namespace hostsim

extern "C" {

// Calls the guarded place with EAX `eax`, ECX `ecx`, ESI `esi`, EDX D4D4D4D4 and EBX the place:
// 1 when the flow reached hostsimGuardRan, 2 hostsimGuardSkipped, 3 when the code returned.
std::uint32_t hostsimInvokeGuard(hostsim::GuardOutcome* outcome, const void* place, std::uint32_t eax,
                                 std::uint32_t ecx, std::uint32_t esi);
void hostsimGuardRan();
void hostsimGuardSkipped();

// Enters `code` with EBP `ebp` (the invoker's frame pointer pushed): 1 when the flow reached
// hostsimCompareFirst, 2 hostsimCompareSecond.
std::uint32_t hostsimInvokeCompare(hostsim::CompareOutcome* outcome, const void* code, std::uint32_t ebp);
void hostsimCompareFirst();
void hostsimCompareSecond();

}  // extern "C"
