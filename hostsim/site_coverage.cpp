#include "hostsim/site_coverage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "hostsim/host_layout.h"

namespace hostsim {
namespace {

// Kept in memory while the host runs (so that recording does not change its timing) and written
// when it exits; never destroyed, as threads may still run while the process ends.
struct Coverage {
  std::mutex lock;
  std::set<std::pair<std::uint32_t, std::uint32_t>> ran;
  std::set<std::pair<std::uint32_t, std::uint32_t>> read;
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
        for (const auto& r : c->read) {
          std::fprintf(out, "%08x %08x read\n", static_cast<unsigned>(r.first), static_cast<unsigned>(r.second));
        }
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

void noteHostDataRead(std::uint32_t start, std::uint32_t end) {
  Coverage* c = coverage();
  if (c == nullptr) return;
  std::lock_guard<std::mutex> hold(c->lock);
  c->read.insert({start, end});
}

void noteCallTargetRun(std::uint32_t operand) {
  std::int32_t displacement = 0;
  std::memcpy(&displacement, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(operand)), 4);
  const std::uint32_t target = operand + 4 + static_cast<std::uint32_t>(displacement);
  noteHostCodeRun(target, target + 1);
}

void noteCallerRun(std::uint32_t returnAddress) {
  // The painted ranges of the executable and of its two modules; a caller in the plugin or in
  // the simulated host's own code is none of the host's.
  const std::uint32_t start = returnAddress - 5;
  const auto within = [&](std::uint32_t from, std::uint32_t to) { return start >= from && returnAddress <= to; };
  const bool host = within(kRegionStart, kRegionEnd) || within(kSpindleBase + 0x1000, kSpindleBase + 0x201000) ||
                    within(kRailwiseBase + 0x1000, kRailwiseBase + 0x101000);
  if (!host) return;
  if (*reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(returnAddress - 5)) == 0xE8) {
    noteHostCodeRun(returnAddress - 5, returnAddress);
  }
}

}  // namespace hostsim

extern "C" void __cdecl hostsimNoteCaller(std::uint32_t returnAddress) { hostsim::noteCallerRun(returnAddress); }
