#pragma once
// "Sound": the changes to the host's sound code that let it run beside the sound daemon.
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

// The two zero-filled buffers the host's sound code uses in place of its own (512 KiB and
// 128 KiB), from the host runtime's allocator on the first build; null until then or when the
// allocation failed. They live until the process ends.
extern void* hostSoundBufferA;
extern void* hostSoundBufferB;

std::shared_ptr<PatchGroup> buildSoundGroup();

}  // namespace kvl::hooks
