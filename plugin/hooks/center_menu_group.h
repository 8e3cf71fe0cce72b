#pragma once
// "Center Menu": the host lays its menus out 4:3 wide and draws them in the middle of the screen.
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

// Its three call redirections when `centerMenu` is on; else no patch and the text "Disabled".
std::shared_ptr<PatchGroup> buildCenterMenuGroup();

}  // namespace kvl::hooks
