#include "plugin/hooks/head_gasket.h"

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_defaults.h"
#include "plugin/hooks/hook_row.h"

namespace kvl::hooks {

HeadGasket::HeadGasket() : group_(std::make_shared<PatchGroup>("Head Gasket", 0)) {
  const auto values = headGasketValues(HeadGasketDurabilityOption(defaults::headGasketDurability).read());
  if (!values) {
    group_->setText("Disabled (Durability <= 1).");
    return;
  }
  values_ = *values;
  const auto factor = reinterpret_cast<std::uintptr_t>(&values_.factor);
  const auto offset = reinterpret_cast<std::uintptr_t>(&values_.offset);
  // 0x50D9C4 jumps to injected code: mulss xmm1,[factor]; jump; addss xmm1,[offset];
  // mov eax,edx; jump back to 0x50D9C6.
  addRows(*group_, {
                       {0x50D9C4, 2, HookKind::literal, 0x3EEB, "jmp 0x50DA04"},
                       {0x50DA04, 4, HookKind::literal, 0x0D590FF3, "mulss xmm1"},
                       {0x50DA08, 4, HookKind::pluginAddress, factor, "factor"},
                       {0x50DA0C, 2, HookKind::literal, 0x06EB, "jmp 0x50DA14"},
                       {0x50DA14, 4, HookKind::literal, 0x0D580FF3, "addss xmm1"},
                       {0x50DA18, 4, HookKind::pluginAddress, offset, "offset"},
                       {0x50DA1C, 4, HookKind::literal, 0xA6EBD089, "mov eax,edx; jmp 0x50D9C6"},
                   });
}

}  // namespace kvl::hooks
