#include "common/daemon/daemon_executable_path.h"

#include <windows.h>

#include "common/platform/processor_arch.h"

namespace kvl {

std::string daemonExecutablePath(const std::string& executableName) {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length < MAX_PATH ? length : 0);
  const size_t slash = folder.find_last_of("\\/");
  folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
  return folder + "Plugins\\QZR\\bin\\" + processorArchitectureName() + "\\" + executableName;
}

}  // namespace kvl
