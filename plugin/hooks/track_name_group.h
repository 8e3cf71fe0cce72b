#pragma once
// The unnamed track-name group: built at start-up and held by the controller, but in neither of
// its lists, so it is never applied.
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

std::shared_ptr<PatchGroup> buildTrackNameGroup();

}  // namespace kvl::hooks
