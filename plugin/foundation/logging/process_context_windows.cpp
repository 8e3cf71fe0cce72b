#include <windows.h>

#include "plugin/foundation/logging/process_context.h"

namespace kvl {

std::string temporaryFolder() {
  char buffer[MAX_PATH] = {};
  const DWORD length = GetTempPathA(MAX_PATH, buffer);
  if (length == 0 || length >= MAX_PATH) return std::string();
  return std::string(buffer, length);
}

unsigned currentProcessId() { return GetCurrentProcessId(); }

unsigned currentThreadId() { return GetCurrentThreadId(); }

}  // namespace kvl
