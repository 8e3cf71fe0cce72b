// The track lists filled from the host's game: its track ini and track folder, and the map its
// stage-load record is loading.
#include <deque>

#include "plugin/foundation/files/dir_list.h"
#include "plugin/foundation/files/file.h"
#include "plugin/foundation/settings/ini_profile.h"
#include "plugin/foundation/settings/ini_section_names.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/host_stage_load.h"
#include "plugin/tracks/track_lists.h"

namespace kvl::tracks {
namespace {

// The host's stage manager holds the stage-load record at +112.
constexpr std::uint32_t kStageManagerGlobal = 0x7EA678u;
constexpr std::size_t kStageLoadOffset = 112;

}  // namespace

void TrackLists::buildFromTrackIni() {
  const IniProfile ini(io::File(io::File("Maps"), "Tracks.ini").fullPath());
  std::deque<std::string> sections;
  ini.sections(sections);
  std::vector<std::pair<std::string, std::string>> names;
  for (const std::string& section : sections) {
    if (mapNumberOf(section) >= 0) names.emplace_back(section, ini.get(section, "TrackName", ""));
  }
  std::vector<std::string> files;
  try {
    io::DirList listing(io::File(io::File("Maps"), "*").fullPath());
    for (const io::File& file : listing.entries()) files.push_back(file.name());
  } catch (...) {
    // An unreadable folder lists no files: every track reads as not on disk.
  }
  instance().build(names, files);
}

bool TrackLists::updateForCurrentMap() {
  void* manager = host::hostObject<kStageManagerGlobal>();
  if (manager == nullptr) return instance().recordCurrent(0, "");
  void* record = host::addressAt(manager, kStageLoadOffset);
  void* track = host::HostStageLoad::trackData(record);
  const std::int32_t map = host::HostStageLoad::stage(record);
  if (track == nullptr) return instance().recordCurrent(map, "");
  return instance().recordCurrent(
      map, host::hostIniString(host::HostTrackData::iniHandler(track), mapSection(map), "TrackName", ""));
}

}  // namespace kvl::tracks
