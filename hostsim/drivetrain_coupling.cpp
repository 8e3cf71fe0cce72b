#include "hostsim/drivetrain_coupling.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kStickSlipSite = 0x50A34B, kSynchronisedStep = 0x509210, kFreeStep = 0x509120;
constexpr std::uint32_t kHeatSites[] = {0x518A33, 0x53428D};

unsigned char params[1684 + 80 * 10];
unsigned char state[1408];
unsigned char solver[512];

template <typename T>
void put(unsigned char* block, std::size_t offset, T value) {
  std::memcpy(block + offset, &value, sizeof value);
}
template <typename T>
T get(const unsigned char* block, std::size_t offset) {
  T value;
  std::memcpy(&value, block + offset, sizeof value);
  return value;
}

void THISCALL hostStickSlip(void*, float, float* output, float, float, float) { *output = -1.0f; }
void THISCALL hostSynchronisedStep(void*, float f) {
  char text[64];
  std::snprintf(text, sizeof text, "host synchronised step %g", f);
  trace(text);
}
std::int32_t THISCALL hostFreeStep(void*, float torque) {
  char text[64];
  std::snprintf(text, sizeof text, "host free step %g", torque);
  trace(text);
  return 0;
}
float __cdecl hostHeatExchange(float a, float b, float k, float area) { return (a - b) * k * area; }

std::uint32_t bitsOf(float f) {
  std::uint32_t b;
  std::memcpy(&b, &f, 4);
  return b;
}

}  // namespace

std::vector<AddressEntry> drivetrainCouplingEntries() {
  std::vector<AddressEntry> rows = {
      {EntryKind::callSite, kStickSlipSite, "stickSlipSite", addressOf(&hostStickSlip)},
      {EntryKind::function, kSynchronisedStep, "synchronisedStep", addressOf(&hostSynchronisedStep)},
      {EntryKind::function, kFreeStep, "freeStep", addressOf(&hostFreeStep)},
  };
  for (std::uint32_t s : kHeatSites) rows.push_back({EntryKind::callSite, s, "heatExchangeSite", addressOf(&hostHeatExchange)});
  return rows;
}

bool runDrivetrainCouplingStep(const std::string& step, std::istream& in) {
  if (step == "clutch") {
    float torque = 0, limit = 0, ratio = 0, dt = 0, speed = 0;
    std::int32_t slip = 0, sync = 0, engaged = 0, gear = 0;
    in >> torque >> limit >> ratio >> dt >> speed >> slip >> sync >> engaged >> gear;
    put(solver, 4, wordOf(params));
    put(solver, 8, wordOf(state));
    put(params, 1636, 0.2f);
    put(params, 1652, 0.05f);
    for (int g = 0; g < 10; ++g) put(params, 1684 + 80 * g, 1.0f);
    put(state, 872, slip);
    put(state, 900, 3.0f);
    put(state, 1116, speed);
    put(state, 1356, gear);
    put(state, 1372, engaged);
    put(state, 1400, sync);
    static float output;
    output = -7.0f;
    runCallSite(kStickSlipSite, {bitsOf(torque), wordOf(&output), bitsOf(limit), bitsOf(ratio), bitsOf(dt)}, wordOf(solver));
    char text[128];
    std::snprintf(text, sizeof text, "clutch output %g speed %g slip %d sync %d", output, get<float>(state, 1116),
                  get<std::int32_t>(state, 872), get<std::int32_t>(state, 1400));
    trace(text);
  } else if (step == "heat") {
    std::string siteText;
    float a = 0, b = 0, k = 0, area = 0;
    in >> siteText >> a >> b >> k >> area;
    const auto site = static_cast<std::uint32_t>(std::strtoul(siteText.c_str(), nullptr, 16));
    char text[64];
    std::snprintf(text, sizeof text, "heat %s %.3f", siteText.c_str(),
                  runFloatCallSite(site, {bitsOf(a), bitsOf(b), bitsOf(k), bitsOf(area)}));
    trace(text);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
