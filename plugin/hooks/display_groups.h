#pragma once
// The groups that change the host's display set-up: "Fullscreen Window" and "V-Sync" (start-up
// list) and "Aspect Ratio" (first-event list).
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl {

// The window style the host uses in a window becomes a borderless pop-up.
std::shared_ptr<PatchGroup> makeFullscreenWindowGroup();
// The host builds its graphics object as the v-sync subclass.
std::shared_ptr<PatchGroup> makeVSyncGroup();
// The host and Spindle3D.DLL use the configured resolution's ratio in place of 4:3.
std::shared_ptr<PatchGroup> makeAspectRatioGroup();

// Half the configured ratio, read by Spindle3D.DLL through patched operands.
extern float aspectHalfRatio;

}  // namespace kvl
