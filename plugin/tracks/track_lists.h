#pragma once
// The track lists the menus offer: one entry per map section of the track ini that names a
// track, with the words of its name and whether the track folder holds its files, and the map
// the host is loading now. The word tables split a track name into its stage and condition.
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kvl::tracks {

struct TrackNameParts {
  std::string stage;      // the words before the condition, joined by blanks
  std::string condition;  // a condition word, or empty
};

class TrackNameTables {
 public:
  static const TrackNameTables& instance();
  const std::vector<std::string>& conditionWords() const noexcept { return conditionWords_; }
  // The file name's words (folder and extension dropped, "_" and blanks separate); the last one
  // is the condition when it is a condition word in any letter case.
  TrackNameParts split(const std::string& trackName) const;

 private:
  TrackNameTables();
  std::vector<std::string> conditionWords_;
};

struct TrackListEntry {
  int map = 0;
  std::string trackName;
  TrackNameParts parts;
  bool onDisk = false;  // a file of the track folder has the track's file name (any extension)
};

// The map number of a section "Map" + decimal digits (any letter case), or -1.
int mapNumberOf(const std::string& section);

class TrackLists {
 public:
  static TrackLists& instance();

  // Replaces the entries: one per (section, TrackName) pair whose section is a map section and
  // whose name is not empty, in map order; a map named twice keeps its first name.
  void build(const std::vector<std::pair<std::string, std::string>>& trackNames,
             const std::vector<std::string>& folderFiles);
  // The map becomes the current one with the name's words; false (and no current map) for an
  // empty name.
  bool recordCurrent(int map, const std::string& trackName);
  std::vector<TrackListEntry> entries() const;
  std::optional<TrackListEntry> current() const;

  // From the host's game: the sections and TrackName keys of "Maps\Tracks.ini" and the files of
  // the "Maps" folder.
  static void buildFromTrackIni();
  // The TrackName of the loading map's section, read through the host's track ini handler;
  // false when the host has no stage being loaded or the map has no name.
  static bool updateForCurrentMap();

 private:
  TrackLists() = default;
  mutable std::mutex mutex_;
  std::vector<TrackListEntry> entries_;
  std::optional<TrackListEntry> current_;
};

}  // namespace kvl::tracks
