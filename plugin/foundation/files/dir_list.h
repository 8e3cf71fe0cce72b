#pragma once
#include <deque>
#include <string>

#include "plugin/foundation/files/file.h"

namespace kvl::io {

// The regular files that match a wildcard pattern, in the order the system reports them.
// The folder is read once, on the first call of `entries`; subfolders, "." and ".." are
// never listed and the listing does not descend.
class DirList {
 public:
  explicit DirList(const std::string& pattern);
  virtual ~DirList();

  // Reads the folder on the first call; later calls return the same entries.
  std::deque<File>& entries();
  // Fills the entries; throws kvl::Exception when the search fails for another reason than
  // "nothing matches".
  void readDir();
  std::string pattern() const;
  // The pattern's text before its last separator; empty when it has none.
  std::string patternDirectory() const;

 private:
  std::string pattern_;
  bool listFiles_ = true;
  bool listDirectories_ = false;  // and never descends into subfolders
  std::deque<File> entries_;
  bool read_ = false;
};

}  // namespace kvl::io
