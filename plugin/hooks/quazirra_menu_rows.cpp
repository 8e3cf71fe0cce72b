#include "plugin/hooks/quazirra_menu_rows.h"

#include "plugin/hooks/patch_payloads.h"
#include "plugin/hooks/patch_rows.h"
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
  group.add(literalRow(HostAddress(0x556FB6), {0x07}));
  redirect(group, 0x5571CD, hookAddress(&host::damperMenuEntryHook));
  group.add(literalRow(HostAddress(0x594B2C), {0x05}));
  redirect(group, 0x594B9F, hookAddress(&host::languageMenuEntryHook));
}

}  // namespace kvl
