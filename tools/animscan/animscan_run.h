#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

namespace kvl::tools {

// Writes the usage text.
void printAnimscanUsage(std::ostream& out);

// A file's whole content in one block.
struct FileContent {
  std::unique_ptr<uint8_t[]> bytes;
  std::size_t size = 0;
};

// The whole file's bytes, read straight into one block; empty when it cannot be opened. Throws
// when it does not fit in memory.
FileContent readWholeFile(const std::string& path);

// The whole program: checks every named DLS file and prints one verdict line for each; the
// findings go to "dlserrors.log". The files themselves are never written. Returns the exit
// code, always 0.
int runAnimscan(int argc, const char* const* argv, std::ostream& out);

}  // namespace kvl::tools
