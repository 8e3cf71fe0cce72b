#include "tests/support/run_program.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "tests/support/work_dir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kvl::testing {

namespace {

const char* const kOutputFile = "program-output.txt";

#ifdef _WIN32
std::string windowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// One argument quoted for the C runtime's command-line parser.
std::string quoted(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string q = "\"";
  std::size_t slashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++slashes;
    } else if (c == '"') {
      q.append(slashes + 1, '\\');
      slashes = 0;
    } else {
      slashes = 0;
    }
    q += c;
  }
  q.append(slashes, '\\');
  q += '"';
  return q;
}
#endif

}  // namespace

ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args) {
  ProgramResult result;
  std::remove(kOutputFile);
#ifdef _WIN32
  const std::string exe = windowsPath(program);
  std::string command = quoted(exe);
  for (const std::string& a : args) command += " " + quoted(a);
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE out = CreateFileA(kOutputFile, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return result;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = out;
  si.hStdError = out;
  PROCESS_INFORMATION pi{};
  std::vector<char> line(command.begin(), command.end());
  line.push_back('\0');
  if (CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    result.exitCode = static_cast<int>(code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(out);
#else
  const int fd = open(kOutputFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return result;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(fd, 1);
    dup2(fd, 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(fd);
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
#endif
  result.output = readText(kOutputFile);
  std::remove(kOutputFile);
  return result;
}

}  // namespace kvl::testing
