#pragma once
#include <string>

namespace kvl {

// The user's temporary folder, ending in a path separator (empty when the system has none).
std::string temporaryFolder();
// The numbers of the current process and thread.
unsigned currentProcessId();
unsigned currentThreadId();

}  // namespace kvl
