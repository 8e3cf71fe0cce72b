#pragma once
#include <cstdint>

namespace kvl::host {

// Host 0x5021B0 (callee removes the argument): the host object registered under a name, as a
// 32-bit value; 0 when there is none.
std::uint32_t hostNameId(const char* name);

}  // namespace kvl::host
