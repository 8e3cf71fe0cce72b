#include "plugin/hooks/load_data_group.h"

#include "plugin/hooks/hook_row.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/tracks/anim_data_hook.h"

namespace kvl::hooks {

std::shared_ptr<PatchGroup> buildLoadDataGroup() {
  constexpr HookKind kLiteral = HookKind::literal;
  auto group = std::make_shared<PatchGroup>("Load Data", 0);
  addRows(*group, {
                      {0x47B011, 4, HookKind::callRedirection, host::hookAddress(&tracks::loadAnimDataHook),
                       "loadAnimDataHook"},
                      {0x43CD8B, 1, kLiteral, 0x0B, "byte 0B"},
                      {0x488850, 4, HookKind::pluginAddress,
                       reinterpret_cast<std::uintptr_t>(&tracks::animDataDefault), "animDataDefault"},
                      {0x445922, 4, kLiteral, 0x100000, "1048576"},
                      {0x448242, 4, kLiteral, 0x100000, "1048576"},
                      {0x5F1172, 4, kLiteral, 0x100000, "1048576"},
                  });
  return group;
}

}  // namespace kvl::hooks
