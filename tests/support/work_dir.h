#pragma once
#include <string>

#include "tests/support/file_text.h"

namespace kvl::testing {

// A fresh, empty folder in the build tree's scratch area that becomes the current directory for
// the object's lifetime (tests of the same program run in parallel, each in its own folder).
class ScopedWorkDir {
 public:
  explicit ScopedWorkDir(const std::string& name);
  ~ScopedWorkDir();
  ScopedWorkDir(const ScopedWorkDir&) = delete;
  ScopedWorkDir& operator=(const ScopedWorkDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string previous_;
  std::string path_;
};

// Whether a file exists.
bool exists(const std::string& path);

}  // namespace kvl::testing
