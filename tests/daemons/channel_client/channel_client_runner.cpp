#include "tests/daemons/channel_client/channel_client_runner.h"

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kvl::testing {

namespace {

std::string windowsFromUnix(const std::string& path) {
  std::string out = "Z:";
  for (char ch : path) out += ch == '/' ? '\\' : ch;
  return out;
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

HANDLE openOutputFile(const std::string& path) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &sa,
                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

PROCESS_INFORMATION startProcess(const std::string& program, const std::string& arguments, HANDLE output,
                                 const std::string& workingDirectory) {
  std::string line = quoted(program) + (arguments.empty() ? "" : " " + arguments);
  std::string buffer = line + '\0';
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = nullptr;
  si.hStdOutput = output;
  si.hStdError = output;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(program.c_str(), &buffer[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                      workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &si, &info)) {
    throw std::runtime_error("cannot start " + program + " (error " + std::to_string(GetLastError()) + ")");
  }
  return info;
}

std::string clientPath() { return buildTreePath("tests/daemons/channel_client/channel_client.exe"); }

std::atomic<unsigned> scratchCounter{0};

}  // namespace

std::string buildTreePath(const std::string& relative) {
  return windowsFromUnix(std::string(QZR_BINARY_DIR_FOR_RUNNER) + "/" + relative);
}

std::string makeScratchFolder(const std::string& name) {
  std::string base = buildTreePath("test-scratch");
  CreateDirectoryA(base.c_str(), nullptr);
  std::string folder = base + "\\" + name + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                       std::to_string(scratchCounter++);
  // Start empty: remove what an earlier run left.
  removeScratchFolder(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void removeScratchFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(find, &found));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

ProcessResult runProgram(const std::string& program, const std::string& arguments, DWORD timeoutMs,
                         const std::string& workingDirectory) {
  std::string folder = makeScratchFolder("run");
  std::string outputPath = folder + "\\output.txt";
  HANDLE output = openOutputFile(outputPath);
  ProcessResult result;
  PROCESS_INFORMATION info = startProcess(program, arguments, output, workingDirectory);
  CloseHandle(output);
  result.finished = WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0;
  if (!result.finished) {
    TerminateProcess(info.hProcess, 1);
    WaitForSingleObject(info.hProcess, 5000);
  }
  GetExitCodeProcess(info.hProcess, &result.exitCode);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  result.output = readWholeFile(outputPath);
  removeScratchFolder(folder);
  return result;
}

ClientProcess::ClientProcess(const std::string& script, const std::string& workingDirectory) {
  folder_ = makeScratchFolder("client");
  outputPath_ = folder_ + "\\output.txt";
  writeWholeFile(folder_ + "\\script.txt", script);
  HANDLE output = openOutputFile(outputPath_);
  info_ = startProcess(clientPath(), quoted(folder_ + "\\script.txt"), output, workingDirectory);
  CloseHandle(output);
}

ClientProcess::~ClientProcess() {
  if (info_.hProcess) {
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) kill();
    CloseHandle(info_.hProcess);
  }
  if (info_.hThread) CloseHandle(info_.hThread);
  removeScratchFolder(folder_);
}

std::string ClientProcess::output() const { return readWholeFile(outputPath_); }

std::string ClientProcess::waitForLine(const std::string& prefix, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    for (const std::string& line : splitLines(output())) {
      if (line.compare(0, prefix.size(), prefix) == 0) return line;
    }
    if (GetTickCount64() >= end) return "";
    Sleep(20);
  }
}

ProcessResult ClientProcess::wait(DWORD timeoutMs) {
  ProcessResult result;
  result.finished = WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
  GetExitCodeProcess(info_.hProcess, &result.exitCode);
  result.output = output();
  return result;
}

void ClientProcess::kill() {
  TerminateProcess(info_.hProcess, 1);
  WaitForSingleObject(info_.hProcess, 5000);
}

ProcessResult runChannelClient(const std::string& script, DWORD timeoutMs, const std::string& workingDirectory) {
  ClientProcess client(script, workingDirectory);
  ProcessResult result = client.wait(timeoutMs);
  if (!result.finished) client.kill();
  return result;
}

}  // namespace kvl::testing
