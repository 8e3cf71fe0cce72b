#pragma once
// Rows of the main hook group that the car's data path owns: the host instructions that read the
// load pass's floats, and the table-valued parameter constructor.
#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

void addCarDataRows(PatchGroup& group);

}  // namespace kvl::hooks
