#include "plugin/tracks/track_name_hook.h"

#include <string>

#include "common/lbs/lb2_loader.h"
#include "plugin/foundation/settings/ini_section_names.h"
#include "plugin/host/binding/unwind_cleanup.h"
#include "plugin/host/model/host_stage_load.h"

namespace kvl::tracks {

using host::HostStageLoad;

namespace {

std::string withLastX(std::string text) {
  if (!text.empty()) text.back() = 'x';
  return text;
}

// The set-map step run with the variant extension in place.
struct VariantLoad {
  void* record;
  std::int32_t map;
  const std::string* extension;  // the record's own, put back afterwards
};

void setMapStep(void* context) noexcept {
  const auto* load = static_cast<const VariantLoad*>(context);
  try {
    HostStageLoad::setMap(load->record, load->map);
  } catch (...) {
  }
}

void restoreExtension(void* context) noexcept {
  const auto* load = static_cast<const VariantLoad*>(context);
  HostStageLoad::setTrackExt(load->record, load->extension->c_str());
}

}  // namespace

void QZR_THISCALL trackNameHook(void* record, std::int32_t map) noexcept {
  std::string extension;
  bool variant = false;
  try {
    const std::string name = host::hostIniString(host::HostTrackData::iniHandler(HostStageLoad::trackData(record)),
                                                 mapSection(map), "TrackName", "");
    extension = HostStageLoad::trackExt(record);
    variant = fileExists(withLastX(host::hostJoinPath(name, extension))) &&
              HostStageLoad::setTrackExt(record, withLastX(extension).c_str());
  } catch (...) {
    variant = false;
  }
  if (!variant) {
    try {
      HostStageLoad::setMap(record, map);
    } catch (...) {
    }
    return;
  }
  // The extension goes back also when the set-map step throws to the host.
  VariantLoad load{record, map, &extension};
  host::callWithUnwindCleanup(&setMapStep, &restoreExtension, &load);
  restoreExtension(&load);
}

}  // namespace kvl::tracks
