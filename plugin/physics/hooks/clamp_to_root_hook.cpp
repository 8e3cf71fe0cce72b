#include "plugin/physics/hooks/clamp_to_root_hook.h"

#include "plugin/physics/models/clamp_to_root.h"

namespace kvl::physics {

namespace {
constexpr std::size_t kRadicand = 8;  // the float the host call before the site left in XMM0
}  // namespace

float QZR_THISCALL clampToRootHook(const void* record, float argument) noexcept {
  if (record == nullptr) return argument;
  return clampToRoot(argument, host::fieldAt<float>(record, kRadicand));
}

}  // namespace kvl::physics
