#include "plugin/hooks/track_name_group.h"

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/hooks/hook_row.h"
#include "plugin/host/binding/hook_address.h"
#include "plugin/tracks/alternative_file_hook.h"
#include "plugin/tracks/track_name_hook.h"

namespace kvl::hooks {

std::shared_ptr<PatchGroup> buildTrackNameGroup() {
  auto group = std::make_shared<PatchGroup>("", 0);
  addRows(*group, {{0x46F119, 4, HookKind::callRedirection, host::hookAddress(&tracks::alternativeFileHook),
                    "alternativeFileHook"}});
  if (!PlaceholderBoolOption(false).read()) {
    addRows(*group, {{0x46F430, 4, HookKind::callRedirection, host::hookAddress(&tracks::trackNameHook), "trackNameHook"}});
  }
  return group;
}

}  // namespace kvl::hooks
