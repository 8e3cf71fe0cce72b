#pragma once
// Starts one daemon program as a child process, tied to this process by a kill-on-close job
// that both join, and hands it five inheritable handle values on its command line: this
// process, the channel's mapping, request event, reply event and mutex.
#include <windows.h>

#include <atomic>
#include <string>

#include "common/daemon/daemon_channel.h"

namespace kvl {

class DaemonLauncher {
 public:
  // Creates the channel and starts the daemon suspended, puts it into the job, then lets it
  // run. Raises nothing: a daemon that could not be started leaves a null process handle.
  DaemonLauncher(const std::string& executable, const std::string& dllDirectory, size_t channelSize);
  // Closes the channel. A job that holds this process is left open until the process ends:
  // closing it would end this process and every daemon with it.
  ~DaemonLauncher();
  DaemonLauncher(const DaemonLauncher&) = delete;
  DaemonLauncher& operator=(const DaemonLauncher&) = delete;

  HANDLE process() const { return process_; }
  DWORD processId() const { return processId_; }
  DaemonChannel& channel() { return channel_; }
  HANDLE job() const { return job_; }
  // Gives the daemon a handle to the job: the job then stays open when this process ends, so the
  // daemon is not ended with it and can finish work that must outlive this process (it leaves by
  // itself once it sees this process gone). True when the daemon holds such a handle.
  bool shareJobWithDaemon();
  // Takes that handle back: from then on the end of this process ends the daemon again.
  void unshareJob();
  // The job's handle value in the daemon's process while shared, else null.
  HANDLE sharedJob() const { return sharedJob_.load(); }
  // The command line the daemon was given (empty before composing it).
  const std::string& commandLine() const { return commandLine_; }

 private:
  void closeInDaemon(HANDLE inDaemon);

  HANDLE job_ = nullptr;
  HANDLE process_ = nullptr;
  std::atomic<HANDLE> sharedJob_{nullptr};  // the handle's value in the daemon's process
  DaemonChannel channel_;
  HANDLE ownProcess_ = nullptr;  // inheritable handle of this process, passed first
  bool ownProcessInJob_ = false;
  DWORD processId_ = 0;
  std::string commandLine_;
};

// The command line a daemon gets: the quoted executable path and the five handle values as
// signed decimal numbers, each after one blank.
std::string daemonCommandLine(const std::string& executable, HANDLE ownProcess, HANDLE mapping,
                              HANDLE requestEvent, HANDLE replyEvent, HANDLE mutex);

}  // namespace kvl
