#pragma once
// Rows of the main hook group whose targets are the chassis side of the car's physics: tyre heat
// terms and grip, springs, suspension, force feedback and the car tick, and the plugin constants
// host instructions read in the tyre and steering code.
#include <vector>

#include "plugin/hooks/hook_row.h"

namespace kvl::hooks {

// Among the group's first 92, in patch order: the tyre heat terms and grip hooks, the constants
// of the tyre code, the force-feedback curve and the spring force.
std::vector<HookRow> chassisPhysicsRows();
// The car tick, the two suspension events' and the surface profile hooks, then the three zero
// constants.
std::vector<HookRow> chassisTickRows();
// The controller value call, first of the input rows.
std::vector<HookRow> controllerValueRows();

}  // namespace kvl::hooks
