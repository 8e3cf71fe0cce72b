#pragma once
// The host sound code's null-value guards: the 56 places where the "Sound" group makes the host
// skip the code that would use a null value in a register.
#include <vector>

#include "plugin/hooks/null_guard.h"

namespace kvl::hooks {

// In the group's patch order.
const std::vector<NullGuard>& soundNullGuards();

}  // namespace kvl::hooks
