#pragma once
// The rally a Kestrun event's stage belongs to, as far as the game's track lists tell: a stage
// whose map the track ini lists with its files in the track folder is loaded from its file;
// any other stage key is one the companion plugin built in memory (a generated rally).
#include <vector>

#include "plugin/tracks/track_lists.h"

namespace kvl::rally {

class Rally {
 public:
  // The event's stage key is the map number of the track ini's "MapNN" section.
  explicit Rally(int stageKey) : stageKey_(stageKey) {}
  bool isGenerated(const std::vector<tracks::TrackListEntry>& tracks) const;
  // Against the lists the game built last.
  bool isGenerated() const { return isGenerated(tracks::TrackLists::instance().entries()); }

 private:
  int stageKey_;
};

}  // namespace kvl::rally
