#pragma once
// "Game Stuff" (id 0): the plugin's changes to the host's menus and game flow that belong to no
// larger feature.
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl {

std::shared_ptr<PatchGroup> buildGameStuffGroup();

}  // namespace kvl
