#pragma once
// Test helper (Windows): the folder of the running test program, where the build puts the
// programs and modules a test starts or loads beside it.
#include <windows.h>

#include <string>

namespace kvl::testing {

// Without a trailing separator.
inline std::string programFolder() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program(path, length);
  const auto cut = program.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : program.substr(0, cut);
}

}  // namespace kvl::testing
