// The parts of kvl::io::File that ask the operating system.
#include <io.h>
#include <windows.h>

#include <vector>

#include "plugin/foundation/files/file.h"

namespace kvl::io {

namespace {
constexpr DWORD kFullPathCapacity = 4096;
}

std::string File::fullPath() const {
  const std::string relative = path();
  std::vector<char> buffer(kFullPathCapacity + 1, '\0');
  const DWORD length = GetFullPathNameA(relative.c_str(), kFullPathCapacity, buffer.data(), nullptr);
  if (length == 0 || length > kFullPathCapacity) return std::string();
  return std::string(buffer.data());
}

bool File::exists() const {
  const std::string full = fullPath();
  if (full.empty()) return false;
  return _access(full.c_str(), 0) == 0;
}

}  // namespace kvl::io
