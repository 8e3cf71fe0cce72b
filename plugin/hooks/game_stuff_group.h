#pragma once
// The hook set "Game Stuff": the host's menus and game flow changes that belong to no larger
// feature.
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

std::shared_ptr<PatchGroup> buildGameStuffGroup();

}  // namespace kvl::hooks
