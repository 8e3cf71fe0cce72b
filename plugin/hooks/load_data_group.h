#pragma once
// The hook set "Load Data": the host's loading of a stage's animation data goes through the
// plugin's check, and three host constants become 1048576.
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

std::shared_ptr<PatchGroup> buildLoadDataGroup();

}  // namespace kvl::hooks
