#pragma once
// The main hook set's rows for the host's menus: the entries added to the controls, car-setup
// and options menus, and the gear-change lamps drawn into the driving display.
#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

// Adds the rows in patch order; they come before the group's other rows.
void addMenuRows(PatchGroup& group);

}  // namespace kvl::hooks
