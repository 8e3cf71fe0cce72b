#include "plugin/hooks/center_menu_group.h"

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_defaults.h"
#include "plugin/gui/centred_screen_quad.h"
#include "plugin/gui/menu_centring.h"
#include "plugin/hooks/hook_row.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/host/model/menu_width_hook.h"

namespace kvl::hooks {

std::shared_ptr<PatchGroup> buildCenterMenuGroup() {
  using host::hookAddress;
  constexpr HookKind kCall = HookKind::callRedirection;
  auto group = std::make_shared<PatchGroup>("Center Menu", 0);
  if (!CenterMenuOption(defaults::centerMenu).read()) {
    group->setText("Disabled");
    return group;
  }
  addRows(*group, {
                      {0x4BFC79, 4, kCall, hookAddress(&gui::CentredScreenQuad::construct), "CentredScreenQuad"},
                      {0x4728B7, 4, kCall, hookAddress(&gui::menuCentringDrawHook), "menuCentringDrawHook"},
                      {0x4C1A5C, 4, kCall, hookAddress(&host::menuWidthHook), "menuAreaWidth"},
                  });
  return group;
}

}  // namespace kvl::hooks
