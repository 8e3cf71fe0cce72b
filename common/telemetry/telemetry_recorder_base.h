#pragma once
// The base of both sides of telemetry recording (the plugin's recorder client and the recorder
// daemon's server): the channel table with its record-set selection, an active flag, a job map,
// a STOP event and one worker thread running an io_context for background jobs.
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/io_context.hpp>

#include "common/telemetry/stop_event.h"
#include "common/telemetry/telemetry_channel_table.h"

namespace kvl {

// A job a derived class keeps in the job map, under its name.
class RecorderJob {
 public:
  virtual ~RecorderJob() = default;
  virtual const std::string& name() const = 0;
};

// Who runs the background jobs: the base's own worker thread, or (for a harness that wants
// every step on one thread, in a known order) the owner, through ioContext().poll().
enum class JobThread { Own, Caller };

class TelemetryRecorderBase {
 public:
  // The worker (running when this returns) runs its loop in slices of `slice` (10 s), ending early
  // when stopped.
  explicit TelemetryRecorderBase(JobThread jobs = JobThread::Own,
                                 std::chrono::milliseconds slice = std::chrono::seconds(10));
  virtual ~TelemetryRecorderBase();
  TelemetryRecorderBase(const TelemetryRecorderBase&) = delete;
  TelemetryRecorderBase& operator=(const TelemetryRecorderBase&) = delete;

  // On: builds the table from car() (and replay(), race(), game() when there is a car), selects
  // the record set's channels, then sets the flag. Off: clears the flag only.
  virtual void setActive(bool on);
  // While inactive, empties the active list and the channel map.
  virtual void clear();
  // A different name runs the (possibly overridden) clear first.
  virtual void setRecordSet(const std::string& name);
  virtual std::string recordSetName() const;
  // Lets the worker finish what is queued (jobs see the STOP event set), then joins it; without
  // a worker, runs what is queued on the calling thread.
  virtual void stop();
  // Lets the worker run every queued job to its end with the STOP event still clear, then stops
  // as stop() does.
  void finishJobs();
  // The process is ending and the system has already ended the worker thread: lets go of the
  // thread, the loop and its guard without joining, locking or destroying anything (a job cut off
  // while it ran would keep the loop's destruction waiting for it forever).
  void abandonAtProcessExit() noexcept;

  virtual const void* car() const;
  virtual const void* replay() const;
  virtual const void* race() const;
  virtual const void* game() const;

  bool isActive() const { return active_.load(); }
  std::string iniPath() const { return iniPath_; }
  void setIniPath(const std::string& path) { iniPath_ = path; }
  std::vector<std::string> readRecordSet() const;
#if defined(_WIN32)
  std::vector<std::string> listRecordSets() const;
#endif

  // Inserts the job under its name unless that name is present.
  void addJob(const std::shared_ptr<RecorderJob>& job);
  std::shared_ptr<RecorderJob> findJob(const std::string& name) const;

  boost::asio::io_context& ioContext() { return *io_; }
  StopEvent& stopEvent() { return stopEvent_; }
  const ChannelList& activeChannels() const { return table_.active(); }
  TelemetryChannelTable& table() { return table_; }

 protected:
  void run();
  // Binds the table to the current car() (and its replay, race and game), keeping the channels of
  // the active list: the row keeps its size and column order.
  void rebindTable();

 private:
  std::atomic<bool> active_{false};
  TelemetryChannelTable table_;
  std::string recordSetName_;
  std::string iniPath_;
  std::map<std::string, std::shared_ptr<RecorderJob>> jobs_;
  StopEvent stopEvent_;
  std::chrono::milliseconds slice_;
  std::unique_ptr<boost::asio::io_context> io_;
  std::unique_ptr<boost::asio::executor_work_guard<boost::asio::io_context::executor_type>> workGuard_;
  std::shared_ptr<std::thread> worker_;
};

}  // namespace kvl
