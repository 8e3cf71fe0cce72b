#include "hostsim/small_calls.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_words.h"
#include "hostsim/step_site.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kSettingsSites[] = {0x4B6628, 0x4D57DE, 0x4D585A};
constexpr std::uint32_t kThresholdSite = 0x4CC3E6, kThresholdValue = 0x4C2610;
constexpr std::uint32_t kCodeSites[] = {0x4D60E0, 0x4D6112};


void* THISCALL hostSettingsRecord(unsigned char* object) { return object + 112; }
float THISCALL hostThresholdValue(const float* object, std::int32_t which) { return which == 12 ? object[0] : -1.0f; }
std::uint8_t THISCALL hostThreshold(void*) { return 0; }
std::uint32_t __cdecl hostCodeTest(std::uint32_t) { return 7; }

std::int32_t intAt(const void* p, std::size_t offset) {
  std::int32_t v;
  std::memcpy(&v, static_cast<const unsigned char*>(p) + offset, 4);
  return v;
}

}  // namespace

std::vector<AddressEntry> smallCallEntries() {
  std::vector<AddressEntry> rows = {{EntryKind::function, kThresholdValue, "thresholdValue", addressOf(&hostThresholdValue)},
                                    {EntryKind::callSite, kThresholdSite, "thresholdSite", addressOf(&hostThreshold)}};
  for (std::uint32_t s : kSettingsSites) rows.push_back({EntryKind::callSite, s, "settingsRecordSite", addressOf(&hostSettingsRecord)});
  for (std::uint32_t s : kCodeSites) rows.push_back({EntryKind::callSite, s, "codeTestSite", addressOf(&hostCodeTest)});
  return rows;
}

bool runSmallCallStep(const std::string& step, std::istream& in) {
  if (step == "settings") {
    std::string siteText, subText;
    in >> siteText >> subText;
    const auto site = static_cast<std::uint32_t>(std::strtoul(siteText.c_str(), nullptr, 16));
    // A host object with its settings record embedded at +112; the record's word +1000 is its
    // sub-record pointer, the one word of it that the hook reads.
    static unsigned char* const object = hostObject("settingsowner", 112 + 1400);
    const auto sub = static_cast<std::uint32_t>(std::strtoul(subText.c_str(), nullptr, 16));
    put(object, 112 + 1000, sub);
    static std::uint32_t firstDefault = 0;
    const std::uint32_t record = runCallSite(site, {}, wordOf(object));
    std::string which;
    if (record == wordOf(object + 112)) {
      which = "own";
    } else {
      const auto* r = reinterpret_cast<const unsigned char*>(record);
      const auto* subRecord = reinterpret_cast<const unsigned char*>(static_cast<std::uintptr_t>(intAt(r, 1000)));
      float one = 0;
      if (subRecord != nullptr) std::memcpy(&one, subRecord + 8, 4);
      which = "default " + std::to_string(intAt(r, 0)) + " " + std::to_string(intAt(r, 4)) + " " +
              std::to_string(intAt(r, 1004)) + (one == 1.0f ? " sub ok" : " sub missing");
      if (firstDefault == 0) firstDefault = record;
      which += record == firstDefault ? " same" : " other";
    }
    trace("settings record " + which);
  } else if (step == "threshold") {
    static float object[4];
    in >> object[0];
    trace("threshold result " + std::to_string(runCallSite(kThresholdSite, {}, wordOf(object)) & 0xFF));
  } else if (step == "code") {
    std::uint32_t code = 0;
    in >> code;
    trace("code result " + std::to_string(runCallSite(siteOr(in, kCodeSites[0]), {code})));
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
