#include "plugin/hooks/sound_group.h"

#include "plugin/hooks/hook_row.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/model/host_sound_queue.h"
#include "plugin/sound/sound_client.h"
#include "plugin/sound/sound_ticker_override.h"

namespace kvl::hooks {

std::shared_ptr<PatchGroup> buildSoundGroup() {
  using host::hookAddress;
  constexpr HookKind kCall = HookKind::callRedirection;
  constexpr HookKind kVariable = HookKind::pluginAddress;
  auto address = [](const void* p) { return reinterpret_cast<std::uintptr_t>(p); };
  auto group = std::make_shared<PatchGroup>("Sound", 0);
  // Rows in patch order: the byte changes (with the jump at 0x4DB347), the redirections, the
  // plugin variables. The buffers, the new sizes and the null-value guards are not built yet.
  addRows(*group, {
                      {0x4DB347, 5, HookKind::embeddedJump, hookAddress(&host::soundSystemFlagHook), "soundSystemFlagHook"},
                      {0x446F05, 4, kCall, hookAddress(&soundTickerConstructHook), "soundTickerConstructHook"},
                      {0x4D4A3E, 4, kCall, hookAddress(&host::queuedSoundUpdateHook), "queuedSoundUpdateHook"},
                      {0x4DCEDD, 4, kCall, hookAddress(&host::queueSoundCallHook), "queueSoundCallHook"},
                      {0x4DCFE3, 4, kCall, hookAddress(&host::queueSoundCallHook), "queueSoundCallHook"},
                      {0x4AE62D, 4, kVariable, address(&gearSoundGate), "gearSoundGate"},
                      {0x4D34E7, 4, kVariable, address(&gearSoundLevel), "gearSoundLevel"},
                      {0x4D2778, 4, kVariable, address(&soundToggleValue), "soundToggleValue"},
                  });
  return group;
}

}  // namespace kvl::hooks
