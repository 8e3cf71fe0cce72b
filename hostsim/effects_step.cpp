#include "hostsim/effects_step.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kEffectsStep = 0x5E2850;
constexpr std::uint32_t kSites[] = {0x48263B, 0x4826A1, 0x482729, 0x4827BE, 0x4829A4, 0x482A12, 0x482AD4, 0x482B4B};

unsigned char effects[2704];
int hostSteps = 0;

void THISCALL hostEffectsStep(void* object, float seconds) {
  if (object != effects) return;
  ++hostSteps;
  char text[64];
  std::snprintf(text, sizeof text, "host effects step %.7f", seconds);
  trace(text);
}

}  // namespace

std::vector<AddressEntry> effectsStepEntries() {
  std::vector<AddressEntry> rows = {{EntryKind::function, kEffectsStep, "effectsStep", addressOf(&hostEffectsStep)}};
  for (std::uint32_t s : kSites) rows.push_back({EntryKind::callSite, s, "effectsStepSite", addressOf(&hostEffectsStep)});
  return rows;
}

bool runEffectsStep(std::istream& in) {
  std::string siteText;
  int waitMs = 0;
  in >> siteText >> waitMs;
  const auto site = static_cast<std::uint32_t>(std::strtoul(siteText.c_str(), nullptr, 16));
  if (waitMs > 0) Sleep(static_cast<DWORD>(waitMs));
  const float frameTime = 0.5f;
  std::uint32_t bits;
  std::memcpy(&bits, &frameTime, 4);
  const int before = hostSteps;
  runCallSite(site, {bits}, wordOf(effects));
  trace("effects site " + siteText + " stepped " + std::to_string(hostSteps - before));
  return true;
}

}  // namespace hostsim
