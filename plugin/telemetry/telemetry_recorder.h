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
  // At the game's shutdown the client waits for its unfinished saves while they make progress:
  // at most kSaveWaitLimit in all, and no longer than kSaveStallLimit without a change of state
  // or progress. What is still being written then is the daemon's to finish: it holds the job
  // and writes every save before it leaves.
  static constexpr DWORD kSaveWaitLimitMs = 1000;
  static constexpr DWORD kSaveStallLimitMs = 500;
  static constexpr DWORD kSaveWaitStepMs = 20;
  static constexpr DWORD kDaemonExitWaitMs = 2000;

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

  // Null while recording (nothing is sent); else the job. The daemon has been asked for it when
  // this returns; the recorder's thread then polls it to its end.
  std::shared_ptr<SaveJob> saveRecording();
  std::string outputFileName();
  std::int64_t lastBufferedBytes() const { return lastBufferedBytes_.load(); }
  // The daemon's row buffer after the last exchange, in whole megabytes (bytes / 1024 / 1000).
  std::int64_t bufferedMegabytes() const { return lastBufferedBytes_.load() / 1024 / 1000; }
  // Asks the daemon to cancel the job's write (the file keeps what was written); true when the
  // daemon knew the job.
  bool cancelSaveJob(const SaveJob& job);
  bool daemonRunning() const;
  // Saves asked for and not yet seen to end.
  std::size_t unfinishedSaves();
  std::shared_ptr<UdpTelemetrySender> udpSender() const { return std::atomic_load(&udp_); }

 protected:
  // For tests: a client that starts the given daemon executable instead of the game folder's.
  explicit TelemetryRecorder(std::string daemonPath);
  void startDaemon();
  DaemonLauncher* launcher() const { return launcher_.get(); }
  // The shutdown's clock, pause and wait for the daemon's end: a test replaces them to count
  // what stop() waits for.
  virtual DWORD shutdownClock() const { return GetTickCount(); }
  virtual void shutdownPause(DWORD ms) { Sleep(ms); }
  virtual DWORD waitForDaemonExit(HANDLE process, DWORD ms) { return WaitForSingleObject(process, ms); }

 private:
  TelemetryRecorder();
  bool exchange(RecorderCommandRecord& record);
  void sendCommand(RecorderCommand command, const std::string& payload = std::string());
  void pollSaveJob(const std::shared_ptr<SaveJob>& job);
  // One Save of the job's name, the reply stored into the job; true while it is unfinished.
  bool askAboutSave(SaveJob& job);
  void keepUnfinished(const std::shared_ptr<SaveJob>& job);
  void forgetEnded(const std::shared_ptr<SaveJob>& job);
  // Shutdown: follows the unfinished saves while they progress; true when some are still being
  // written.
  bool waitForUnfinishedSaves();

  std::string daemonPath_;
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

  // The saves asked for and not yet seen to end; while there are any, the daemon holds the job.
  std::mutex savesMutex_;
  std::vector<std::shared_ptr<SaveJob>> saves_;
};

// The physics worker's END_RACE job: an active recording is switched off and saved.
void stopAndSaveTelemetry() noexcept;

}  // namespace kvl
