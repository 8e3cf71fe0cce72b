#include "plugin/hooks/display_groups.h"

#include "plugin/foundation/settings/settings_catalogue.h"
#include "plugin/foundation/settings/settings_defaults.h"
#include "plugin/hooks/aspect_ratio.h"
#include "plugin/hooks/patch_payloads.h"
#include "plugin/hooks/hook_row.h"
#include "plugin/hooks/module_sites.h"
#include "plugin/host/model/vsync_graphics.h"

namespace kvl {

float aspectHalfRatio = 0.6666667f;

using host::HostAddress;

using Spindle3DAddress = hooks::SpindleSite;

std::shared_ptr<PatchGroup> makeFullscreenWindowGroup() {
  auto group = std::make_shared<PatchGroup>("Fullscreen Window", 0);
  if (!FullscreenWindowOption(defaults::fullscreenWindow).read()) {
    group->setText("Disabled");
    return group;
  }
  const HostAddress style(0x40B383);
  if (FullscreenOption(defaults::fullscreen).read()) {
    group->setText("Not applicable: fullscreen mode configured.");
    return group;
  }
  // WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS.
  group->add(literalRow(style, {0x00, 0x00, 0x00, 0x94}));
  return group;
}

std::shared_ptr<PatchGroup> makeVSyncGroup() {
  auto group = std::make_shared<PatchGroup>("V-Sync", 0);
  if (!FixVSyncOption(defaults::fixVSync).read()) {
    group->setText("Disabled");
    return group;
  }
  hooks::addRows(*group, {{0x4C18FC, 4, hooks::HookKind::callRedirection, host::hookAddress(&host::vSyncConstructHook),
                           "vSyncConstructHook"}});
  return group;
}

std::shared_ptr<PatchGroup> makeAspectRatioGroup() {
  auto group = std::make_shared<PatchGroup>("Aspect Ratio", 0);
  if (!FixAspectRatioOption(defaults::fixAspectRatio).read()) {
    group->setText("Disabled");
    return group;
  }
  const double r = aspectRatioFor(XResOption(defaults::xRes).read(), YResOption(defaults::yRes).read());
  aspectHalfRatio = static_cast<float>(r * 0.5);
  const auto ratio = static_cast<float>(r);
  group->add(floatRow(HostAddress(0x4C098D), ratio));
  group->add(floatRow(HostAddress(0x59707C), ratio));
  group->add(floatRow(Spindle3DAddress(0x60013B60), ratio));
  group->add(floatRow(Spindle3DAddress(0x60014355), ratio));
  for (std::uint32_t site : {0x6001394Du, 0x6001399Au, 0x60013C19u}) {
    group->add(addressRow(Spindle3DAddress(site), &aspectHalfRatio));
  }
  if (HighQualityCubicEnvironmentMapsOption(defaults::highQualityCubicEnvironmentMaps).read()) {
    group->add(literalRow(Spindle3DAddress(0x60069F1B), {0x00}));
    group->add(literalRow(Spindle3DAddress(0x6006A1B5), {0x00}));
  }
  return group;
}

}  // namespace kvl
