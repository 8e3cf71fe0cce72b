#pragma once
// The recorder daemon's server: carries out the plugin's commands on the recorder base, keeps
// the received rows in a row buffer and hands them to save jobs that its worker writes.
#include <cstdint>
#include <memory>

#include "common/telemetry/recorder_command_record.h"
#include "common/telemetry/telemetry_recorder_base.h"
#include "daemons/recorder/row_buffer.h"
#include "daemons/recorder/save_job.h"

#ifdef _WIN32
#include <windows.h>

#include "common/daemon/inherited_channel.h"
#endif

namespace kvl {

class RecorderServer : public TelemetryRecorderBase {
 public:
  static constexpr uint32_t kRequestWaitMs = 60000;

  explicit RecorderServer(uint64_t rowBufferCapBytes = RowBuffer::kDefaultCapBytes, JobThread jobs = JobThread::Own);
#ifdef _WIN32
  RecorderServer(std::shared_ptr<InheritedChannel> channel, HANDLE pluginProcess,
                 uint64_t rowBufferCapBytes = RowBuffer::kDefaultCapBytes);
  // Answers requests until the plugin's process ends or Shutdown was answered, then writes every
  // queued and running save to its end.
  void commandLoop();
#endif
  ~RecorderServer() override;

  void setActive(bool on) override;
  void clear() override;

  // Carries out the request in `record` and writes its reply (found, progress, state, and the
  // buffered bytes last). Returns false after Shutdown.
  bool handleCommand(RecorderCommandRecord& record);

  void prepareRowBuffer();
  void appendRow(const unsigned char* row);
  // The row buffer's size counted in whole chunks; 0 without a buffer.
  uint64_t bufferedBytes() const;
  const std::shared_ptr<RowBuffer>& rowBuffer() const { return rows_; }

  // Runs on the worker: writes the job's file from the rows with the channel list of its Save.
  void writeJob(const std::shared_ptr<SaveJob>& job, const std::shared_ptr<RowBuffer>& rows,
                const ChannelList& channels);

 private:
  void save(RecorderCommandRecord& record);
  void cancel(RecorderCommandRecord& record);

#ifdef _WIN32
  std::shared_ptr<InheritedChannel> channel_;
  HANDLE pluginProcess_ = nullptr;
#endif
  std::shared_ptr<RowBuffer> rows_;
  uint64_t rowBufferCapBytes_;
};

}  // namespace kvl
