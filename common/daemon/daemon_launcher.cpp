#include "common/daemon/daemon_launcher.h"

#include <sstream>
#include <vector>

namespace kvl {

std::string daemonCommandLine(const std::string& executable, HANDLE ownProcess, HANDLE mapping,
                              HANDLE requestEvent, HANDLE replyEvent, HANDLE mutex) {
  std::ostringstream line;
  line << '"' << executable << '"';
  for (HANDLE h : {ownProcess, mapping, requestEvent, replyEvent, mutex}) line << ' ' << handleValue(h);
  return line.str();
}

DaemonLauncher::DaemonLauncher(const std::string& executable, const std::string& dllDirectory,
                               size_t channelSize)
    : channel_(channelSize) {
  HANDLE self = GetCurrentProcess();

  job_ = CreateJobObjectA(nullptr, nullptr);
  if (job_) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
      ownProcessInJob_ = AssignProcessToJobObject(job_, self) != FALSE;
    }
  }

  DuplicateHandle(self, self, self, &ownProcess_, 0, TRUE, DUPLICATE_SAME_ACCESS);

  const bool setDirectory = !dllDirectory.empty();
  if (setDirectory) SetDllDirectoryA(dllDirectory.c_str());

  commandLine_ = daemonCommandLine(executable, ownProcess_, channel_.mapping(), channel_.requestEvent().handle,
                                   channel_.replyEvent().handle, channel_.mutex());
  std::vector<char> buffer(commandLine_.size() + 1, '\0');
  commandLine_.copy(buffer.data(), commandLine_.size());

  // The daemon inherits only its own five handles, not every inheritable handle of this process
  // (another daemon's channel among them); where the list cannot be given, plain inheritance.
  HANDLE inherited[5] = {ownProcess_, channel_.mapping(), channel_.requestEvent().handle,
                         channel_.replyEvent().handle, channel_.mutex()};
  STARTUPINFOEXA startup{};
  startup.StartupInfo.cb = sizeof startup.StartupInfo;
  SIZE_T listSize = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &listSize);
  std::vector<unsigned char> listBytes(listSize);
  auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(listBytes.data());
  DWORD flags = CREATE_SUSPENDED | CREATE_NO_WINDOW;
  const bool listMade = listSize != 0 && InitializeProcThreadAttributeList(list, 1, 0, &listSize);
  if (listMade) {
    if (UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited, sizeof inherited, nullptr,
                                  nullptr)) {
      startup.StartupInfo.cb = sizeof startup;
      startup.lpAttributeList = list;
      flags |= EXTENDED_STARTUPINFO_PRESENT;
    }
  }
  PROCESS_INFORMATION info{};
  BOOL created = CreateProcessA(executable.c_str(), buffer.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                                &startup.StartupInfo, &info);
  if (!created && (flags & EXTENDED_STARTUPINFO_PRESENT) != 0) {
    startup.StartupInfo.cb = sizeof startup.StartupInfo;
    created = CreateProcessA(executable.c_str(), buffer.data(), nullptr, nullptr, TRUE,
                             CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup.StartupInfo, &info);
  }
  if (listMade) DeleteProcThreadAttributeList(list);
  if (created) {
    process_ = info.hProcess;
    processId_ = info.dwProcessId;
    if (job_) AssignProcessToJobObject(job_, info.hProcess);
    ResumeThread(info.hThread);
  }
  if (info.hThread) CloseHandle(info.hThread);

  if (setDirectory) SetDllDirectoryA(nullptr);
}

bool DaemonLauncher::shareJobWithDaemon() {
  if (sharedJob_.load() != nullptr) return true;
  if (!job_ || !process_) return false;
  HANDLE inDaemon = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), job_, process_, &inDaemon, 0, FALSE, DUPLICATE_SAME_ACCESS)) return false;
  HANDLE none = nullptr;
  // Two callers at once: the second one's handle goes again.
  if (!sharedJob_.compare_exchange_strong(none, inDaemon)) closeInDaemon(inDaemon);
  return true;
}

void DaemonLauncher::unshareJob() {
  HANDLE inDaemon = sharedJob_.exchange(nullptr);
  if (inDaemon != nullptr) closeInDaemon(inDaemon);
}

// Moves the handle out of the daemon's process into this one and closes it here (Wine closes
// nothing when the handle is not moved anywhere).
void DaemonLauncher::closeInDaemon(HANDLE inDaemon) {
  HANDLE here = nullptr;
  if (DuplicateHandle(process_, inDaemon, GetCurrentProcess(), &here, 0, FALSE,
                      DUPLICATE_CLOSE_SOURCE | DUPLICATE_SAME_ACCESS)) {
    CloseHandle(here);
  }
}

DaemonLauncher::~DaemonLauncher() {
  // This process is a member of the job: closing it would end the process itself, so such a
  // job stays open until the process ends (the daemon then leaves with it).
  if (job_ && !ownProcessInJob_) CloseHandle(job_);
  channel_.close();
  if (process_) CloseHandle(process_);
  if (ownProcess_) CloseHandle(ownProcess_);
}

}  // namespace kvl
