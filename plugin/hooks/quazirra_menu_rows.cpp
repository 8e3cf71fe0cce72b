#include "plugin/hooks/quazirra_menu_rows.h"

#include "plugin/hooks/patch_payloads.h"
#include "plugin/hooks/patch_rows.h"
#include "plugin/host/model/gear_lamps.h"
#include "plugin/host/model/menu_entry_hooks.h"

namespace kvl {
namespace {

using host::HostAddress;
using host::hookAddress;

void redirect(PatchGroup& group, std::uint32_t site, host::HookWord hook) {
  const PatchRow row{site, 4, PatchKind::callRedirection, hook};
  addPatchRows(group, &row, 1);
}

}  // namespace

void addMenuRows(PatchGroup& group) {
  group.add(literalRow(HostAddress(0x55D368), {0x05}));
  redirect(group, 0x55D40D, hookAddress(&host::handbrakeMenuEntryHook));
#if QZR_HOST_ABI  // the register-keeping entry exists in the 32-bit build only
  // Each call is followed by a short jump over the host code it replaces.
  const struct {
    std::uint32_t site;
    std::uint8_t skip;
  } lamps[] = {{0x576E32, 0x4E}, {0x57724A, 0x6F}, {0x55C227, 0x76}, {0x55C785, 0x5D}};
  for (const auto& lamp : lamps) {
    group.add(embeddedCallRow(HostAddress(lamp.site), hookAddress(&shiftLightHook), {0xEB, lamp.skip}));
  }
#endif
  group.add(literalRow(HostAddress(0x556FB6), {0x07}));
  redirect(group, 0x5571CD, hookAddress(&host::damperMenuEntryHook));
  group.add(literalRow(HostAddress(0x594B2C), {0x05}));
  redirect(group, 0x594B9F, hookAddress(&host::languageMenuEntryHook));
}

}  // namespace kvl
