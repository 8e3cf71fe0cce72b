#include "plugin/foundation/files/module_path.h"

#include <windows.h>

#include <cstring>

#include "plugin/foundation/files/file.h"

namespace kvl::io {

char* modulePath(char (&buffer)[kModulePathBufferSize]) {
  std::memset(buffer, 0, sizeof buffer);
  GetModuleFileNameA(nullptr, buffer, kModulePathBufferSize - 1);
  buffer[kModulePathBufferSize - 1] = '\0';
  return buffer;
}

std::string modulePath() {
  char buffer[kModulePathBufferSize];
  return modulePath(buffer);
}

std::string directoryOf(const char* path) { return File(path).directory(); }

}  // namespace kvl::io
