#include "hostsim/object_update_sites.h"

#include <cstdint>
#include <cstdio>

#include "hostsim/call_trace.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kUpdate = 0x5693F0;
constexpr std::uint32_t kSites[] = {0x47FA5E, 0x480A8F, 0x542839, 0x569474, 0x5698A8, 0x569CE5,
                                    0x569E29, 0x5A29AA, 0x5A2CF5, 0x5A2D15, 0x5A2D65, 0x5A2D86,
                                    0x5A2DB7, 0x5A2DEB, 0x5A301A, 0x5A4266, 0x5A465F, 0x5A4F5F};
constexpr std::uint32_t kFresh = 0x0B1EC700;
constexpr std::uint32_t kMarked = 0x0B1EC7FF;

// words[2] holds the result the host's routine gives for the object.
struct HostObject {
  std::uint32_t words[4];
};

// Where the last call of the routine came from: host code or elsewhere (the plugin).
bool calledFromHost = false;

std::int32_t __attribute__((thiscall)) hostObjectUpdate(HostObject* object) {
  const auto from = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(__builtin_return_address(0)));
  calledFromHost = from >= kRegionStart && from < kRegionEnd;
  if (object == nullptr) return 0;
  object->words[1] = kMarked;
  return static_cast<std::int32_t>(object->words[2]);
}

}  // namespace

std::vector<AddressEntry> objectUpdateEntries() {
  std::vector<AddressEntry> rows = {{EntryKind::function, kUpdate, "objectUpdate", addressOf(&hostObjectUpdate)}};
  for (std::uint32_t site : kSites) rows.push_back({EntryKind::callSite, site, "objectUpdateSite", kUpdate});
  return rows;
}

bool runObjectUpdateStep(const std::string& step, std::istream&) {
  if (step != "objectupdates") return false;
  for (std::uint32_t site : kSites) {
    const std::uint32_t result = 0x5EED0000u + (site & 0xFFFFu);
    HostObject object{{kFresh, kFresh, result, kFresh}};
    calledFromHost = false;
    const std::uint32_t returned = runCallSite(site, {}, wordOf(&object));
    const bool restKept = object.words[0] == kFresh && object.words[2] == result && object.words[3] == kFresh;
    char text[112];
    if (object.words[1] == kMarked) {
      std::snprintf(text, sizeof text, "object update %06x marked by host via %s result %s%s", static_cast<unsigned>(site),
                    calledFromHost ? "host" : "plugin", returned == result ? "kept" : "lost", restKept ? "" : " altered");
    } else {
      std::snprintf(text, sizeof text, "object update %06x %s", static_cast<unsigned>(site),
                    restKept && object.words[1] == kFresh ? "unchanged" : "altered");
    }
    trace(text);
  }
  runCallSite(kSites[0], {}, 0);
  trace("object update null survived");
  return true;
}

}  // namespace hostsim
