#pragma once
#include <string>
#include <vector>

namespace kvl::testing {

struct ProgramResult {
  int exitCode = -1;
  std::string output;  // standard output, CR LF read as LF
};

// Starts a program with the arguments (each passed as one argument) in the current directory,
// waits for it and collects its standard output. A program path in the Linux form (/...) is
// given its Wine drive name on Windows.
ProgramResult runProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace kvl::testing
