#pragma once
// The main hook group, titled with the product's long name: the hooks that wire the plugin's
// features into the host's code.
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

constexpr char kMainHookGroupName[] = "Quazirra";
constexpr std::int32_t kMainHookGroupId = 2;

// Builds the group with every row whose hook exists.
std::shared_ptr<PatchGroup> buildMainHookGroup();

// The batch buffer the host's item code is pointed at, and its size.
constexpr std::uint32_t kBatchBufferSize = 4800000;
void* batchBuffer() noexcept;

}  // namespace kvl::hooks
