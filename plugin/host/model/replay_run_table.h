#pragma once
// The run-length table in which the plugin keeps a replay's per-frame control records: each run
// holds one 9-byte control record and how many consecutive frames used it. Plain logic over the
// replay object's counters, which the host-facing hooks copy in and out.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvl::host {

constexpr std::size_t kControlRecordSize = 9;

struct ReplayRun {
  std::uint16_t frames;  // 1..65535; 0 in the terminating entry
  std::uint8_t check;    // low byte of the host checksum when the run started
  std::uint8_t control[kControlRecordSize];
};
static_assert(sizeof(ReplayRun) == 12, "a run is 12 bytes, as stored in a replay");

// The counters of the host's replay object that the table logic reads and moves.
struct ReplayCounters {
  std::int32_t mode = 0;  // 0 recording, 2 playing
  std::int32_t lastRun = 0;
  std::int32_t recordedFrames = 0;
  std::int32_t playRun = 0;
  std::uint16_t frameInRun = 0;
  std::uint32_t tickCount = 0;
};

// Two control records are the same run when bytes 0, 1, 2 and 8 agree and, when the host counter
// is a multiple of 5, bytes 3 to 7 too.
bool sameControlRecord(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t hostCounter) noexcept;

enum class PlayResult : std::uint32_t { played = 0, notPlaying = 1, end = 2 };

class ReplayRunTable {
 public:
  static constexpr std::uint16_t kMaxRunFrames = 65535;
  // The most runs a replay may hold: far more than the host records, small enough that the
  // byte count of the runs cannot overflow.
  static constexpr std::int32_t kMaxRuns = 1 << 24;

  // The plugin-wide table, freed at process exit.
  static ReplayRunTable& instance();

  std::vector<ReplayRun>& runs() noexcept { return runs_; }
  const std::vector<ReplayRun>& runs() const noexcept { return runs_; }

  // One recorded frame (mode 0 only; false otherwise): extends the last run or starts a new one.
  // `checksum` is asked for the new run's check byte only when a run starts. Moves the counters
  // as the host expects; the caller clears the low bits of the host's control record and tells
  // the replay clock.
  template <typename Checksum>
  bool recordFrame(ReplayCounters& c, const std::uint8_t* control, std::uint32_t hostCounter, Checksum checksum) {
    std::int32_t started = -1;
    if (!recordStep(c, control, hostCounter, started)) return false;
    if (started >= 0) runs_[static_cast<std::size_t>(started)].check = static_cast<std::uint8_t>(checksum());
    return true;
  }

  // One played frame (mode 2 only). `frameTwo` is set when the frame in the run has just become
  // 2, the moment the host checksum runs. A play run outside the table reads as the end.
  PlayResult playFrame(ReplayCounters& c, bool& frameTwo) const noexcept;
  // True unless playing; while playing, true once the play run's frames are used up and every
  // recorded frame has been played (or the play run lies outside the table).
  bool isFinished(const ReplayCounters& c) const noexcept;
  // The run being played, or null when the play run lies outside the table.
  const ReplayRun* playRun(const ReplayCounters& c) const noexcept;

  // Replaces the table with the runs 0 .. lastRun of a loaded replay. A last run that cannot
  // describe the data (negative, more runs than recorded frames, or beyond kMaxRuns) empties the
  // table and sets lastRun to 0.
  void loadRuns(ReplayCounters& c, const void* source);
  // Writes the runs 0 .. lastRun to the destination; entries the table does not hold are written
  // as zeros. A negative last run writes nothing.
  void saveRuns(const ReplayCounters& c, void* destination) const noexcept;
  // A new recording starts in run 0.
  void restart() noexcept;

 private:
  bool recordStep(ReplayCounters& c, const std::uint8_t* control, std::uint32_t hostCounter, std::int32_t& started);

  std::vector<ReplayRun> runs_;
};

}  // namespace kvl::host
