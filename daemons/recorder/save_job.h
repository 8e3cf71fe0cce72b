#pragma once
// One request to write the recorded rows to a tab-separated file, and the writer that does it
// on the recorder's worker thread while publishing progress and state.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "common/telemetry/recorder_command_record.h"
#include "common/telemetry/stop_event.h"
#include "common/telemetry/telemetry_channel_table.h"
#include "common/telemetry/telemetry_recorder_base.h"
#include "daemons/recorder/row_buffer.h"

namespace kvl {

class SaveJob : public RecorderJob {
 public:
  explicit SaveJob(std::string fileName) : fileName_(std::move(fileName)) {}
  const std::string& name() const override { return fileName_; }

  JobState state() const { return static_cast<JobState>(state_.load()); }
  void setState(JobState s) { state_.exchange(static_cast<int32_t>(s)); }
  int32_t progress() const { return progress_.load(); }
  void setProgress(int32_t percent) { progress_.exchange(percent); }
  // Marks a job that is queued or being written as Canceled; a job that has ended keeps its
  // state: Canceled says the file was cut short, and a Finished file is whole (a Failed one stays
  // a failure). Returns true when the state changed.
  bool cancel();
  // Moves the state from `from` to `to` unless something else changed it first.
  bool transition(JobState from, JobState to);

 private:
  std::atomic<int32_t> state_{static_cast<int32_t>(JobState::New)};
  std::string fileName_;
  std::atomic<int32_t> progress_{0};
};

// Writes the job's file from the rows, with the columns of `channels`: a header line, then one
// line per row; every cell followed by TAB, every line ended by CR LF. Ends Finished (progress
// 100), Failed (no rows buffered, the stream failed, or the buffer had refused rows) or
// Canceled (by the job's own state or the STOP event).
void writeSaveJob(SaveJob& job, const std::shared_ptr<RowBuffer>& rows, const ChannelList& channels,
                  const StopEvent& stop);

}  // namespace kvl
