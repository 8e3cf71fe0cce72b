#pragma once
// The main hook set, "Quazirra" (id 2): the host's replay, interpolation, physics, input and
// event-raising code routed into the plugin.
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl {

std::shared_ptr<PatchGroup> buildQuazirraGroup();

}  // namespace kvl
