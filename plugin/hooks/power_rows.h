#pragma once
// Rows of the main hook group whose targets are the brake and starter hooks, each list in patch
// order.
#include <vector>

#include "plugin/hooks/hook_row.h"

namespace kvl::hooks {

// The per-wheel brake routine (after the menu rows).
std::vector<HookRow> brakeRows();
// The starter motor's two sites (after the skid trail rows).
std::vector<HookRow> starterRows();

}  // namespace kvl::hooks
