#include "hostsim/replaced_calls.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_words.h"
#include "hostsim/race.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kRaceValueUpdate = 0x573D90;
constexpr std::uint32_t kRaceValueSites[] = {0x48261A, 0x482695, 0x4829F2, 0x482E52};

// The host's update has a lasting effect on the race value.
void __attribute__((thiscall)) raceValueUpdate(unsigned char* race, float value) {
  trace("host raceValueUpdate " + traceNumber(value));
  put(race, 320, value);
}

}  // namespace

std::vector<AddressEntry> replacedCallEntries() {
  std::vector<AddressEntry> rows = {
      {EntryKind::function, kRaceValueUpdate, "raceValueUpdate", addressOf(&raceValueUpdate)},
  };
  for (std::uint32_t s : kRaceValueSites) rows.push_back({EntryKind::callSite, s, "raceValueSite", kRaceValueUpdate});
  return rows;
}

bool runReplacedCallStep(const std::string& step, std::istream& in) {
  if (step == "racevalue") {
    std::string site;
    float value = 0;
    in >> site >> value;
    runCallSite(static_cast<std::uint32_t>(std::strtoul(site.c_str(), nullptr, 16)), {floatWord(value)}, wordOf(hostRace()));
    float now = 0;
    std::memcpy(&now, hostRace() + 320, 4);
    trace("race value " + traceNumber(now));
  } else if (step == "framecallback") {
    runCallSite(kFrameCallbackSite, {});
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
