#pragma once
// Test helper: a fresh folder per test, made the current directory while the test runs. Windows
// only.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>

#include "tests/support/file_text.h"

namespace kvl::testing {

inline std::string currentDirectory() {
  char buffer[4096] = {};
  GetCurrentDirectoryA(sizeof buffer, buffer);
  return buffer;
}

inline void removeTree(const std::string& path) {
  WIN32_FIND_DATAA data;
  const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(child);
      } else {
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(search, &data));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

// Creates <current directory>\scratch-<test>-<process id> and enters it; leaves and removes
// it at the end.
class ScratchFolder {
 public:
  ScratchFolder() : previous_(currentDirectory()) {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::ostringstream name;
    name << previous_ << "\\scratch-" << (info ? info->test_suite_name() : "t") << "-" << (info ? info->name() : "t")
         << "-" << GetCurrentProcessId();
    path_ = name.str();
    removeTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
    SetCurrentDirectoryA(path_.c_str());
  }
  ~ScratchFolder() {
    SetCurrentDirectoryA(previous_.c_str());
    removeTree(path_);
  }
  const std::string& path() const { return path_; }

 private:
  std::string previous_;
  std::string path_;
};

inline void makeFolder(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }

}  // namespace kvl::testing
