#pragma once
// The limit at host call site 0x4F873A. The host code before the call (rewritten by the main hook
// group at 0x4F871B) pushes one stack word, the float argument it read from [esp+0Ch], and points
// ECX at a record whose word +4 holds EDX and whose word +8 holds the float that the preceding
// host call left in XMM0. The call is a member call: the record in ECX, the one float on the
// stack, which the callee removes; the result comes back in ST(0).
#include "plugin/host/binding/abi.h"

namespace kvl::physics {

// The smaller of the argument and the square root of the record's float +8 (the argument when
// that float has no real root, the root when the argument is NaN).
float QZR_THISCALL clampToRootHook(const void* record, float argument) noexcept;

}  // namespace kvl::physics
