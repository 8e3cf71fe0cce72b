#include "plugin/tracks/track_lists.h"

#include <algorithm>
#include <cctype>

namespace kvl::tracks {
namespace {

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// The last path component without its extension.
std::string baseName(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace

const TrackNameTables& TrackNameTables::instance() {
  static const TrackNameTables tables;
  return tables;
}

TrackNameTables::TrackNameTables() : conditionWords_{"Dry", "Wet", "Snow", "Fog", "Night"} {}

TrackNameParts TrackNameTables::split(const std::string& trackName) const {
  std::vector<std::string> words;
  std::string word;
  for (char c : baseName(trackName) + " ") {
    if (c == '_' || c == ' ') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  TrackNameParts parts;
  if (words.size() > 1) {
    for (const std::string& condition : conditionWords_) {
      if (upper(words.back()) == upper(condition)) {
        parts.condition = condition;
        words.pop_back();
        break;
      }
    }
  }
  for (const std::string& w : words) parts.stage += (parts.stage.empty() ? "" : " ") + w;
  return parts;
}

int mapNumberOf(const std::string& section) {
  if (section.size() < 4 || section.size() > 12 || upper(section.substr(0, 3)) != "MAP") return -1;
  int number = 0;
  for (std::size_t i = 3; i < section.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(section[i]))) return -1;
    number = number * 10 + (section[i] - '0');
  }
  return number;
}

TrackLists& TrackLists::instance() {
  static TrackLists lists;
  return lists;
}

void TrackLists::build(const std::vector<std::pair<std::string, std::string>>& trackNames,
                       const std::vector<std::string>& folderFiles) {
  std::vector<std::string> onDisk;
  for (const std::string& file : folderFiles) onDisk.push_back(upper(baseName(file)));
  std::vector<TrackListEntry> entries;
  for (const auto& [section, name] : trackNames) {
    const int map = mapNumberOf(section);
    if (map < 0 || name.empty()) continue;
    if (std::any_of(entries.begin(), entries.end(), [map](const TrackListEntry& e) { return e.map == map; })) continue;
    TrackListEntry entry;
    entry.map = map;
    entry.trackName = name;
    entry.parts = TrackNameTables::instance().split(name);
    entry.onDisk = std::find(onDisk.begin(), onDisk.end(), upper(baseName(name))) != onDisk.end();
    entries.push_back(entry);
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TrackListEntry& a, const TrackListEntry& b) { return a.map < b.map; });
  const std::lock_guard<std::mutex> lock(mutex_);
  entries_ = std::move(entries);
}

bool TrackLists::recordCurrent(int map, const std::string& trackName) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (trackName.empty()) {
    current_.reset();
    return false;
  }
  TrackListEntry entry;
  entry.map = map;
  entry.trackName = trackName;
  entry.parts = TrackNameTables::instance().split(trackName);
  for (const TrackListEntry& known : entries_) {
    if (known.map == map && known.trackName == trackName) entry.onDisk = known.onDisk;
  }
  current_ = entry;
  return true;
}

std::vector<TrackListEntry> TrackLists::entries() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return entries_;
}

std::optional<TrackListEntry> TrackLists::current() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return current_;
}

}  // namespace kvl::tracks
