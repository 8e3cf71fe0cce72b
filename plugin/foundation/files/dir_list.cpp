#include "plugin/foundation/files/dir_list.h"

#include <io.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "plugin/foundation/files/exception.h"

namespace kvl::io {

namespace {

constexpr unsigned kSubdirectoryBit = 0x10;

// Closes a search handle when the listing ends, also by an exception.
class SearchHandle {
 public:
  explicit SearchHandle(intptr_t handle) : handle_(handle) {}
  ~SearchHandle() { _findclose(handle_); }
  SearchHandle(const SearchHandle&) = delete;
  SearchHandle& operator=(const SearchHandle&) = delete;
  intptr_t get() const { return handle_; }

 private:
  intptr_t handle_;
};

}  // namespace

DirList::DirList(const std::string& pattern) : pattern_(pattern) {}

DirList::~DirList() = default;

std::deque<File>& DirList::entries() {
  if (!read_) {
    read_ = true;
    readDir();
  }
  return entries_;
}

void DirList::readDir() {
  entries_.clear();
  _finddata64i32_t match;
  std::memset(&match, 0, sizeof match);
  errno = 0;
  const intptr_t found = _findfirst64i32(pattern_.c_str(), &match);
  if (found == -1) {
    const int error = errno;
    if (error == ENOENT) return;
    std::ostringstream text;
    text << "scan dir failed: " << pattern_ << " errno: " << error << " - " << std::strerror(error);
    throw Exception(text.str(), "kvl::io::DirList::readDir");
  }
  SearchHandle search(found);
  const File directory(patternDirectory());
  do {
    const std::string name = match.name;
    if (name == "." || name == "..") continue;
    if ((match.attrib & kSubdirectoryBit) != 0 && !listDirectories_) continue;
    if ((match.attrib & kSubdirectoryBit) == 0 && !listFiles_) continue;
    entries_.push_back(File(directory, name));
  } while (_findnext64i32(search.get(), &match) == 0);
}

std::string DirList::pattern() const { return pattern_; }

std::string DirList::patternDirectory() const {
  const std::string::size_type k = pattern_.find_last_of("\\/");
  if (k == std::string::npos) return std::string();
  return pattern_.substr(0, k);
}

}  // namespace kvl::io
