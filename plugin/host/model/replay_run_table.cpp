#include "plugin/host/model/replay_run_table.h"

#include <algorithm>
#include <cstring>

namespace kvl::host {

bool sameControlRecord(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t hostCounter) noexcept {
  if (a[0] != b[0] || a[1] != b[1] || a[2] != b[2] || a[8] != b[8]) return false;
  return hostCounter % 5 != 0 || std::memcmp(a + 3, b + 3, 5) == 0;
}

ReplayRunTable& ReplayRunTable::instance() {
  static ReplayRunTable table;
  return table;
}

bool ReplayRunTable::recordStep(ReplayCounters& c, const std::uint8_t* control, std::uint32_t hostCounter,
                                std::int32_t& started) {
  if (c.mode != 0) return false;
  if (c.lastRun < 0 || c.lastRun >= kMaxRuns) c.lastRun = 0;
  const auto a = static_cast<std::size_t>(c.lastRun);
  if (runs_.size() < a + 2) runs_.resize(a + 2, ReplayRun{});

  ReplayRun& run = runs_[a];
  if (run.frames == 0) {
    std::memcpy(run.control, control, kControlRecordSize);
    run.frames = 1;
    runs_[a + 1].frames = 0;
    started = static_cast<std::int32_t>(a);
  } else if (run.frames < kMaxRunFrames && sameControlRecord(run.control, control, hostCounter)) {
    ++run.frames;
  } else {
    c.lastRun = static_cast<std::int32_t>(a + 1);
    ReplayRun& next = runs_[a + 1];
    std::memcpy(next.control, control, kControlRecordSize);
    next.frames = 1;
    started = c.lastRun;
  }
  ++c.tickCount;
  ++c.recordedFrames;
  c.playRun = c.lastRun;
  return true;
}

const ReplayRun* ReplayRunTable::playRun(const ReplayCounters& c) const noexcept {
  if (c.playRun < 0 || static_cast<std::size_t>(c.playRun) >= runs_.size()) return nullptr;
  return &runs_[static_cast<std::size_t>(c.playRun)];
}

PlayResult ReplayRunTable::playFrame(ReplayCounters& c, bool& frameTwo) const noexcept {
  frameTwo = false;
  if (c.mode != 2) return PlayResult::notPlaying;
  const ReplayRun* run = playRun(c);
  if (run == nullptr) return PlayResult::end;
  if (c.frameInRun < run->frames) {
    ++c.tickCount;
    ++c.frameInRun;
    frameTwo = c.frameInRun == 2;
    return PlayResult::played;
  }
  if (c.playRun < c.lastRun) {
    ++c.tickCount;
    ++c.playRun;
    c.frameInRun = 1;
    return PlayResult::played;
  }
  return PlayResult::end;
}

bool ReplayRunTable::isFinished(const ReplayCounters& c) const noexcept {
  if (c.mode != 2) return true;
  const ReplayRun* run = playRun(c);
  if (run == nullptr) return true;
  return c.frameInRun >= run->frames && c.tickCount == static_cast<std::uint32_t>(c.recordedFrames);
}

void ReplayRunTable::loadRuns(ReplayCounters& c, const void* source) {
  runs_.clear();
  // The last run comes from the replay file. Every run holds at least one frame, so no recording
  // has more runs than recorded frames: a value beyond that, negative or past the table's limit is
  // a damaged file, which loads as an empty replay rather than size the table and its copy from
  // the host's buffer by a count no recording gave.
  if (c.lastRun < 0 || c.lastRun >= kMaxRuns || c.lastRun >= c.recordedFrames) {
    c.lastRun = 0;
    return;
  }
  runs_.resize(static_cast<std::size_t>(c.lastRun) + 1, ReplayRun{});
  std::memcpy(runs_.data(), source, runs_.size() * sizeof(ReplayRun));
}

void ReplayRunTable::saveRuns(const ReplayCounters& c, void* destination) const noexcept {
  if (c.lastRun < 0) return;
  const std::size_t wanted = static_cast<std::size_t>(c.lastRun) + 1;
  const std::size_t held = std::min(wanted, runs_.size());
  auto* out = static_cast<unsigned char*>(destination);
  if (held > 0) std::memcpy(out, runs_.data(), held * sizeof(ReplayRun));
  std::memset(out + held * sizeof(ReplayRun), 0, (wanted - held) * sizeof(ReplayRun));
}

void ReplayRunTable::restart() noexcept {
  if (runs_.empty()) return;
  runs_.front().frames = 0;
}

}  // namespace kvl::host
