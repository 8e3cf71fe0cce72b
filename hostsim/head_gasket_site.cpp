#include "hostsim/head_gasket_site.h"

#include <cstdint>
#include <cstdio>

#include "hostsim/call_trace.h"
#include "hostsim/site_coverage.h"
#include "hostsim/host_words.h"

extern "C" float hostsimRunGasketSite(float value, std::uint32_t edx, std::uint32_t* eax);
extern "C" void hostsimGasketSiteReturn();

namespace hostsim {

std::vector<AddressEntry> headGasketSiteEntries() {
  return {
      // 89 D0: mov eax,edx (the two bytes after it are the next row's jump).
      {EntryKind::global, 0x50D9C4, "gasketHostCode", 0x0000D089u},
      {EntryKind::function, 0x50D9C6, "gasketHostCodeGoesOn", addressOf(&hostsimGasketSiteReturn)},
  };
}

bool runHeadGasketStep(const std::string& step, std::istream& in) {
  if (step != "gasket") return false;
  float value = 0;
  std::uint32_t edx = 0, eax = 0;
  in >> value >> edx;
  // The site's jump runs the code the plugin placed up to 0x50DA20 and comes back.
  noteHostCodeRun(0x50D9C4, 0x50DA20);
  const float xmm1 = hostsimRunGasketSite(value, edx, &eax);
  char text[96];
  std::snprintf(text, sizeof text, "gasket xmm1 %.6f eax %u", xmm1, static_cast<unsigned>(eax));
  trace(text);
  return true;
}

}  // namespace hostsim
