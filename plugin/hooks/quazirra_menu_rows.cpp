#include "plugin/hooks/quazirra_menu_rows.h"

#include "plugin/gui/car_setup_pages.h"
#include "plugin/hooks/hook_row.h"
#include "plugin/hooks/patch_payloads.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/model/gear_lamps.h"
#include "plugin/host/model/menu_entry_hooks.h"

namespace kvl::hooks {

using host::hookAddress;

void addMenuRows(PatchGroup& group) {
  constexpr HookKind kCall = HookKind::callRedirection;
  addRows(group, {
                     {0x55D368, 1, HookKind::literal, 0x05, "05"},
                     {0x55D40D, 4, kCall, hookAddress(&host::handbrakeMenuEntryHook), "handbrakeMenuEntryHook"},
                     {0x560F79, 4, kCall, hookAddress(&gui::differentialsPageHook), "differentialsPageHook"},
                 });
#if QZR_HOST_ABI  // the register-keeping entry exists in the 32-bit build only
  // Each call is followed by a short jump over the host code it replaces.
  const struct {
    std::uint32_t site;
    std::uint8_t skip;
  } lamps[] = {{0x576E32, 0x4E}, {0x57724A, 0x6F}, {0x55C227, 0x76}, {0x55C785, 0x5D}};
  for (const auto& lamp : lamps) {
    group.add(embeddedCallRow(host::HostAddress(lamp.site), hookAddress(&shiftLightHook), {0xEB, lamp.skip}));
  }
#endif
  // The two car-setup entries the damper menu hook adds open the plugin's pages.
  host::carSetupMenuActions() = {static_cast<host::HostWord>(hookAddress(&gui::showEnhancedDampers)),
                                 static_cast<host::HostWord>(hookAddress(&gui::showBumpStopSettings))};
  addRows(group, {
                     {0x556FB6, 1, HookKind::literal, 0x07, "07"},
                     {0x5571CD, 4, kCall, hookAddress(&host::damperMenuEntryHook), "damperMenuEntryHook"},
                     {0x594B2C, 1, HookKind::literal, 0x05, "05"},
                     {0x594B9F, 4, kCall, hookAddress(&host::languageMenuEntryHook), "languageMenuEntryHook"},
                 });
}

}  // namespace kvl::hooks
