#pragma once
// "Sound": the changes to the host's sound code that let it run beside the sound daemon.
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

std::shared_ptr<PatchGroup> buildSoundGroup();

}  // namespace kvl::hooks
