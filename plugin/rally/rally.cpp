#include "plugin/rally/rally.h"

namespace kvl::rally {

bool Rally::isGenerated(const std::vector<tracks::TrackListEntry>& tracks) const {
  for (const tracks::TrackListEntry& track : tracks) {
    if (track.map == stageKey_) return !track.onDisk;
  }
  return true;
}

}  // namespace kvl::rally
