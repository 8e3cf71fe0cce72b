#pragma once
// A host control flag the force-feedback tick asks for (with 11) before it sends its force.
#include <cstdint>

namespace kvl::host {

// Host 0x5403E0, caller cleans: nonzero when the flag is set.
std::int32_t hostControlFlag(std::int32_t which);

}  // namespace kvl::host
