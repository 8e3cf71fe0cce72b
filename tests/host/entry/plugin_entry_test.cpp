#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/host/entry/startup_checks.h"
#include "tests/support/scratch_folder.h"

using kvl::testing::ScratchFolder;

namespace {

struct ProbeRun {
  DWORD exitCode = 0;
  std::string output;
};

std::string probePath() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, n);
  folder.erase(folder.find_last_of("\\/") + 1);
  return folder + "entry_probe.exe";
}

// Runs the probe in the current folder and collects its output through a file.
// Each run writes a file of its own name: a file of the same name made again at once can show
// the earlier run's bytes on a shared folder that caches what it read.
ProbeRun runProbe(const std::string& arguments) {
  static int runs = 0;
  const std::string outputName = "probe-output-" + std::to_string(++runs) + ".txt";
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE out = CreateFileA(outputName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = out;
  si.hStdInput = nullptr;
  PROCESS_INFORMATION pi{};
  std::string command = "\"" + probePath() + "\" " + arguments;
  ProbeRun run;
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    CloseHandle(out);
    run.exitCode = 0xFFFFFFFF;
    return run;
  }
  WaitForSingleObject(pi.hProcess, 60000);
  GetExitCodeProcess(pi.hProcess, &run.exitCode);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  CloseHandle(out);
  // Standard output is in text mode: line ends arrive as CR LF.
  for (char ch : kvl::testing::readWholeFile(outputName)) {
    if (ch != '\r') run.output += ch;
  }
  return run;
}

std::string full(const std::string& relative) {
  char buffer[4096];
  const DWORD n = GetFullPathNameA(relative.c_str(), sizeof buffer, buffer, nullptr);
  return std::string(buffer, n);
}

void makeBin(bool withFiles) {
  for (const char* d : {"Plugins", "Plugins\\QZR", "Plugins\\QZR\\bin", "Plugins\\QZR\\bin\\x64"}) {
    CreateDirectoryA(d, nullptr);
  }
  if (!withFiles) return;
  for (const char* f : {"QzrFmodDaemon.exe", "fmod.dll", "fmodstudio.dll"}) {
    kvl::testing::writeWholeFile(std::string("Plugins\\QZR\\bin\\x64\\") + f, "x");
  }
}

}  // namespace

TEST(PluginEntry, EndsTheProcessWithItsMessage) {
  struct Case {
    const char* name;
    bool binFiles;
    bool conflict;
    const char* arguments;
    DWORD exitCode;
    std::vector<std::string> textParts;
  } cases[] = {
      {"installation complete", true, false, "", 0, {"created=yes"}},
      {"conflicting plugin", true, true, "", 42,
       {"caption=QZR Plugin Sanity Check\nstyle=16\ntext=Incompatible plugins found:\n\n",
        "\n\nPlease delete and restart!"}},
      {"missing sound-daemon files", false, false, "", 42,
       {"caption=QZR Plugin Sanity Check\nstyle=16\ntext=Missing FMOD executable files:\n\n",
        "fmodstudio.dll\n\n\nPlease verify installation and restart!"}},
      {"start-up throws", true, false, "--failing-page", 42,
       {"caption=QZR Plugin Sanity Check\nstyle=16\n", "status page refused"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchFolder scratch;
    makeBin(c.binFiles);
    if (c.conflict) kvl::testing::writeWholeFile(std::string("Plugins\\") + kvl::kConflictingPlugins[1] + ".dll", "x");
    const ProbeRun run = runProbe(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.output;
    for (const auto& part : c.textParts) EXPECT_NE(run.output.find(part), std::string::npos) << run.output;
    if (c.exitCode == 42) {
      EXPECT_EQ(run.output.find("created="), std::string::npos) << "never returns";
    }
    if (c.conflict) {
      EXPECT_NE(run.output.find(full(std::string("Plugins\\") + kvl::kConflictingPlugins[1] + ".dll") + "\n"),
                std::string::npos);
    }
  }
}
