#pragma once
// Rows of the main hook group whose targets are the physics hooks, each list in patch order.
#include <vector>

#include "plugin/hooks/hook_row.h"

namespace kvl::hooks {

// The vehicle physics rows among the group's first 92: the hooks built so far and the plugin
// variables.
std::vector<HookRow> vehiclePhysicsRows();
// The engine map lookup, the group's first row.
std::vector<HookRow> engineMapRows();
// The three host calls that take the plugin's ambient pressure in place of their own argument.
std::vector<HookRow> ambientPressureRows();
// The spring and suspension-damage variables that follow the setup menu rows.
std::vector<HookRow> springVariableRows();
// The idle band in rpm, read by the host's engine sound and display code.
std::vector<HookRow> idleBandRows();

// The three skid trail ring operations (end, move, add).
std::vector<HookRow> skidTrailRows();

// The eight frame time-step sites of the host's effects update.
std::vector<HookRow> frameTimeStepRows();

}  // namespace kvl::hooks
