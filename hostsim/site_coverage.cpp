#include "hostsim/site_coverage.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <utility>

namespace hostsim {

void noteHostCodeRun(std::uint32_t start, std::uint32_t end) {
  static std::mutex lock;
  static std::set<std::pair<std::uint32_t, std::uint32_t>> seen;
  static std::FILE* out = [] {
    const char* path = std::getenv("QZR_SITE_COVERAGE");
    return path != nullptr && *path != '\0' ? std::fopen(path, "a") : nullptr;
  }();
  if (out == nullptr) return;
  std::lock_guard<std::mutex> hold(lock);
  if (!seen.insert({start, end}).second) return;
  // Written at once: the host may end without running its exit handlers.
  std::fprintf(out, "%08x %08x\n", static_cast<unsigned>(start), static_cast<unsigned>(end));
  std::fflush(out);
}

}  // namespace hostsim
