#include "hostsim/site_coverage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <utility>

namespace hostsim {
namespace {

// Kept in memory while the host runs (so that recording does not change its timing) and written
// when it exits; never destroyed, as threads may still run while the process ends.
struct Coverage {
  std::mutex lock;
  std::set<std::pair<std::uint32_t, std::uint32_t>> ran;
  std::string path;
};

Coverage* coverage() {
  static Coverage* const c = [] {
    const char* path = std::getenv("QZR_SITE_COVERAGE");
    if (path == nullptr || *path == '\0') return static_cast<Coverage*>(nullptr);
    auto* made = new Coverage;
    made->path = path;
    std::atexit([] {
      Coverage* c = coverage();
      std::lock_guard<std::mutex> hold(c->lock);
      if (std::FILE* out = std::fopen(c->path.c_str(), "a")) {
        for (const auto& r : c->ran) std::fprintf(out, "%08x %08x\n", static_cast<unsigned>(r.first), static_cast<unsigned>(r.second));
        std::fclose(out);
      }
    });
    return made;
  }();
  return c;
}

}  // namespace

void noteHostCodeRun(std::uint32_t start, std::uint32_t end) {
  Coverage* c = coverage();
  if (c == nullptr) return;
  std::lock_guard<std::mutex> hold(c->lock);
  c->ran.insert({start, end});
}

void noteCallTargetRun(std::uint32_t operand) {
  std::int32_t displacement = 0;
  std::memcpy(&displacement, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(operand)), 4);
  const std::uint32_t target = operand + 4 + static_cast<std::uint32_t>(displacement);
  noteHostCodeRun(target, target + 1);
}

}  // namespace hostsim
