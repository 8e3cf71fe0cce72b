#pragma once
// The plugin's client of the telemetry recorder daemon. It starts the daemon once, selects the
// record set "QZR", sends one packed row every telemetryTics-th host step while recording, asks
// the daemon to save the rows to a file and polls the save job; it also owns the UDP sender.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/telemetry/recorder_command_record.h"
#include "common/telemetry/telemetry_recorder_base.h"
#include "plugin/host/events/host_listener.h"

namespace kvl {

class DaemonLauncher;
class UdpTelemetrySender;

class SaveJob : public RecorderJob {
 public:
  explicit SaveJob(std::string fileName) : fileName_(std::move(fileName)) {}
  const std::string& name() const override { return fileName_; }
  std::string fileName() const { return fileName_; }
  void setState(JobState state) { state_.exchange(static_cast<std::int32_t>(state)); }
  void setProgress(std::int32_t percent) { progress_.exchange(percent); }
  JobState state() const { return static_cast<JobState>(state_.load()); }
  std::int32_t progress() const { return progress_.load(); }

 private:
  std::string fileName_;
  std::atomic<std::int32_t> state_{0};
  std::atomic<std::int32_t> progress_{0};
};

class TelemetryRecorder : public TelemetryRecorderBase {
 public:
  static TelemetryRecorder& instance();
  ~TelemetryRecorder() override;

  void setActive(bool on) override;
  void clear() override;
  void setRecordSet(const std::string& name) override;
  void stop() override;
  const void* car() const override;
  const void* replay() const override;
  const void* race() const override;
  const void* game() const override;

  void onGameState(const void* record);
  void onFrame(const void* record);
  void onShutdown(const void* record);

  // Null while recording (nothing is sent); else the job, polled on the recorder's thread.
  std::shared_ptr<SaveJob> saveRecording();
  std::string outputFileName();
  std::int64_t lastBufferedBytes() const { return lastBufferedBytes_.load(); }
  // The daemon's row buffer after the last exchange, in whole megabytes (bytes / 1024 / 1000).
  std::int64_t bufferedMegabytes() const { return lastBufferedBytes_.load() / 1024 / 1000; }
  // Asks the daemon to cancel the job's write (the file keeps what was written); true when the
  // daemon knew the job.
  bool cancelSaveJob(const SaveJob& job);
  bool daemonRunning() const;
  std::shared_ptr<UdpTelemetrySender> udpSender() const { return std::atomic_load(&udp_); }

 private:
  TelemetryRecorder();
  void startDaemon();
  bool exchange(RecorderCommandRecord& record);
  void sendCommand(RecorderCommand command, const std::string& payload = std::string());
  void pollSaveJob(const std::shared_ptr<SaveJob>& job);
  void cancelUnfinishedSaves();

  std::shared_ptr<RecorderCommandRecord> addData_;
  std::uint32_t tics_ = 5;
  std::shared_ptr<UdpTelemetrySender> udp_;
  std::shared_ptr<DaemonLauncher> launcher_;
  std::atomic<std::int64_t> lastBufferedBytes_{0};
  host::HostListenerNode gameStateNode_;
  host::HostListenerNode frameNode_;
  host::HostListenerNode shutdownNode_;

  // Serialises the table's rebuild with the frame thread's packing.
  std::mutex rowMutex_;
  bool sampled_ = false;
  std::uint32_t lastSampledTick_ = 0;

  // The saves asked for; those not seen to end are cancelled when the game closes.
  std::mutex savesMutex_;
  std::vector<std::shared_ptr<SaveJob>> saves_;
};

// The physics worker's END_RACE job: an active recording is switched off and saved.
void stopAndSaveTelemetry();

}  // namespace kvl
