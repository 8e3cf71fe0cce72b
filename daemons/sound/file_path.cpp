#include "daemons/sound/file_path.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

#include <vector>

namespace kvl {
namespace io {

File::File(const std::string& path) {
  const auto cut = path.find_last_of("\\/");
  if (cut == std::string::npos) {
    name_ = path;
  } else {
    directory_ = path.substr(0, cut);
    name_ = path.substr(cut + 1);
  }
}

File::File(const File& directory, const std::string& name)
    : directory_(directory.path()), name_(name) {}

std::string File::path() const { return directory_.empty() ? name_ : directory_ + "\\" + name_; }

std::string File::fullPath() const {
#ifdef _WIN32
  std::vector<char> buffer(4096, '\0');
  const DWORD length =
      GetFullPathNameA(path().c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  if (length == 0 || length >= buffer.size()) return std::string();
  return std::string(buffer.data(), length);
#else
  return path();
#endif
}

bool File::exists() const {
#ifdef _WIN32
  const std::string full = fullPath();
  return !full.empty() && _access(full.c_str(), 0) == 0;
#else
  return false;
#endif
}

}  // namespace io
}  // namespace kvl
