#include "plugin/tracks/track_name_hook.h"

#include <string>

#include "common/lbs/lb2_loader.h"
#include "plugin/foundation/settings/ini_section_names.h"
#include "plugin/host/model/host_stage_load.h"

namespace kvl::tracks {

using host::HostStageLoad;

namespace {

std::string withLastX(std::string text) {
  if (!text.empty()) text.back() = 'x';
  return text;
}

}  // namespace

void QZR_THISCALL trackNameHook(void* record, std::int32_t map) noexcept {
  try {
    const std::string name = host::hostIniString(host::HostTrackData::iniHandler(HostStageLoad::trackData(record)),
                                                 mapSection(map), "TrackName", "");
    const std::string extension = HostStageLoad::trackExt(record);
    if (fileExists(withLastX(host::hostJoinPath(name, extension)))) {
      HostStageLoad::setTrackExt(record, withLastX(extension).c_str());
      HostStageLoad::setMap(record, map);
      HostStageLoad::setTrackExt(record, extension.c_str());
      return;
    }
  } catch (...) {
  }
  try {
    HostStageLoad::setMap(record, map);
  } catch (...) {
  }
}

}  // namespace kvl::tracks
