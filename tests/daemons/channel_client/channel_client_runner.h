#pragma once
// Runs the channel client from a test: writes the script to a file, starts the client with its
// output going to a file, and returns what it printed.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/file_text.h"

namespace kvl::testing {

// The Windows path of a file in this preset's build tree ("daemons/recorder/X.exe").
std::string buildTreePath(const std::string& relative);
// A fresh, empty folder for one test's files (Windows path, no trailing separator).
std::string makeScratchFolder(const std::string& name);
// Deletes the files of a scratch folder and the folder itself.
void removeScratchFolder(const std::string& folder);

struct ProcessResult {
  bool finished = false;   // false when it was still running at the time-out (it is then killed)
  DWORD exitCode = 0;
  std::string output;      // standard output and standard error together
};

// Starts a program with the given arguments (already quoted as needed) and waits for it.
ProcessResult runProgram(const std::string& program, const std::string& arguments, DWORD timeoutMs = 60000,
                         const std::string& workingDirectory = "");

// The client as a running process, for tests that must act while it runs.
class ClientProcess {
 public:
  explicit ClientProcess(const std::string& script, const std::string& workingDirectory = "");
  ~ClientProcess();
  // Waits until the client has printed a line starting with `prefix`; returns that line or "".
  std::string waitForLine(const std::string& prefix, DWORD timeoutMs);
  ProcessResult wait(DWORD timeoutMs);
  void kill();
  std::string output() const;

 private:
  std::string folder_;
  std::string outputPath_;
  PROCESS_INFORMATION info_{};
};

// Runs a script through the client and returns its output.
ProcessResult runChannelClient(const std::string& script, DWORD timeoutMs = 120000,
                               const std::string& workingDirectory = "");

}  // namespace kvl::testing
