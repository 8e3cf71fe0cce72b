#pragma once
// The order of the main hook group's patches: the host sites in the order the group holds,
// applies and lists them.
#include <cstdint>
#include <memory>

#include "plugin/hooks/patch_group.h"

namespace kvl::hooks {

// The group's 281 host sites (at the host's preferred base), first to last.
extern const std::uint32_t kMainHookSiteOrder[281];

// A group with the name, id, text and patches of `staged`, its patches added in the order of
// kMainHookSiteOrder (a patch at a site not in that list after them, in staged order).
std::shared_ptr<PatchGroup> inMainHookOrder(const PatchGroup& staged);

}  // namespace kvl::hooks
