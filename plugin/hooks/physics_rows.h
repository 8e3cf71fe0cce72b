#pragma once
// Rows of the main hook group whose targets are the physics hooks, each list in patch order.
#include <vector>

#include "plugin/hooks/hook_row.h"

namespace kvl::hooks {

// The three skid trail ring operations (end, move, add).
std::vector<HookRow> skidTrailRows();

// The eight frame time-step sites of the host's effects update.
std::vector<HookRow> frameTimeStepRows();

}  // namespace kvl::hooks
