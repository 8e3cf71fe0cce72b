#pragma once
#include <ostream>
#include <string>

namespace kvl::tools {

// Writes the usage text.
void printAnimscanUsage(std::ostream& out);

// The whole file's bytes; empty when it cannot be opened. Throws when it does not fit in memory.
std::string readWholeFile(const std::string& path);

// The whole program: checks every named DLS file and prints one verdict line for each; the
// findings go to "dlserrors.log". The files themselves are never written. Returns the exit
// code, always 0.
int runAnimscan(int argc, const char* const* argv, std::ostream& out);

}  // namespace kvl::tools
