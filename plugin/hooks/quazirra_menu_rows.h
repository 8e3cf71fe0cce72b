#pragma once
// The main hook set's rows for the host's menus: the entries added to the controls, car-setup
// and options menus, and the gear-change lamps drawn into the driving display.
#include "plugin/hooks/patch_group.h"

namespace kvl {

// Adds the rows in patch order; they come before the replay rows of the same group.
void addMenuRows(PatchGroup& group);

}  // namespace kvl
