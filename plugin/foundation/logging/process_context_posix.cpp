#include <sys/syscall.h>
#include <unistd.h>

#include <cstdlib>

#include "plugin/foundation/logging/process_context.h"

namespace kvl {

std::string temporaryFolder() {
  const char* dir = std::getenv("TMPDIR");
  std::string folder = (dir != nullptr && *dir != '\0') ? dir : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

unsigned currentProcessId() { return static_cast<unsigned>(getpid()); }

unsigned currentThreadId() { return static_cast<unsigned>(syscall(SYS_gettid)); }

}  // namespace kvl
