#include "hostsim/object_update_sites.h"

#include <cstdint>
#include <cstdio>

#include "hostsim/call_trace.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kSites[] = {0x47FA5E, 0x480A8F, 0x542839, 0x569474, 0x5698A8, 0x569CE5,
                                    0x569E29, 0x5A29AA, 0x5A2CF5, 0x5A2D15, 0x5A2D65, 0x5A2D86,
                                    0x5A2DB7, 0x5A2DEB, 0x5A301A, 0x5A4266, 0x5A465F, 0x5A4F5F};
constexpr std::uint32_t kFresh = 0x0B1EC700;
constexpr std::uint32_t kMarked = 0x0B1EC7FF;

struct HostObject {
  std::uint32_t words[4];
};

void __attribute__((thiscall)) hostObjectUpdate(HostObject* object) {
  if (object != nullptr) object->words[1] = kMarked;
}

}  // namespace

std::vector<AddressEntry> objectUpdateEntries() {
  std::vector<AddressEntry> rows;
  for (std::uint32_t site : kSites) rows.push_back({EntryKind::callSite, site, "objectUpdateSite", addressOf(&hostObjectUpdate)});
  return rows;
}

bool runObjectUpdateStep(const std::string& step, std::istream&) {
  if (step != "objectupdates") return false;
  for (std::uint32_t site : kSites) {
    HostObject object{{kFresh, kFresh, kFresh, kFresh}};
    runCallSite(site, {}, wordOf(&object));
    bool unchanged = true;
    for (std::uint32_t w : object.words) unchanged = unchanged && w == kFresh;
    char text[64];
    std::snprintf(text, sizeof text, "object update %06x %s", static_cast<unsigned>(site),
                  object.words[1] == kMarked ? "marked by host" : unchanged ? "unchanged" : "altered");
    trace(text);
  }
  runCallSite(kSites[0], {}, 0);
  trace("object update null survived");
  return true;
}

}  // namespace hostsim
