#include "hostsim/host_code_sites.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "hostsim/call_trace.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kRoutineSite = 0x50F248;
constexpr std::uint32_t kOtherRoutine = 0x50BC90;
constexpr std::uint32_t kTimeFloat = 0x746828;
// Two more calls of the host's pressure routine, besides the one the host layout names.
constexpr std::uint32_t kPressureSites[] = {0x517E48, 0x517F43};

const float hostConstant = -1.0f;

std::uint32_t __cdecl hostRoutine() {
  trace("host routine A");
  return 0;
}

std::uint32_t __cdecl hostOtherRoutine() {
  trace("host routine 50bc90");
  return 0;
}

}  // namespace

std::vector<AddressEntry> hostCodeEntries() {
  std::vector<AddressEntry> rows = {
      {EntryKind::callSite, kRoutineSite, "routineSite", addressOf(&hostRoutine)},
      {EntryKind::function, kOtherRoutine, "otherRoutine", addressOf(&hostOtherRoutine)},
      {EntryKind::global, kTimeFloat, "timeFloat", floatWord(14400.0f)},
  };
  for (std::uint32_t site : kPressureSites) rows.push_back({EntryKind::callSite, site, "pressureSite", kPressureFunction});
  // fld dword [m32]: the timing factor, the degrees constant and the constant 20.
  for (std::uint32_t site : {0x4D619Bu, 0x4D62A6u, 0x54E690u, 0x54E870u, 0x527447u}) {
    rows.push_back({EntryKind::operand, site, "floatLoad", wordOf(&hostConstant), {0xD9, 0x05}, 2});
  }
  // mov eax, imm32: two menu table addresses, limits and positions of the host's own.
  const std::pair<std::uint32_t, std::uint32_t> immediates[] = {
      {0x5567C1, 0x744600},          {0x5567DB, 0x745000},          {0x482BC0, 1000},
      {0x5DFF5D, 32},                {0x4A033A, 250},               {0x57C860, floatWord(400.0f)},
      {0x57C8C8, floatWord(420.0f)}, {0x57C8E9, floatWord(400.0f)}, {0x57B98E, floatWord(420.0f)},
      {0x57B9AF, floatWord(460.0f)}};
  for (const auto& [site, value] : immediates) rows.push_back({EntryKind::operand, site, "immediate", value, {0xB8}, 1});
  return rows;
}

bool runHostCodeStep(const std::string& step, std::istream& in) {
  if (step == "hostroutine") {
    runCallSite(kRoutineSite, {});
  } else if (step == "hostpressure") {
    std::string site;
    std::uint32_t p = 0, b = 0, x = 0, d = 0;
    in >> site >> p >> b >> x >> d;
    runCallSite(static_cast<std::uint32_t>(std::strtoul(site.c_str(), nullptr, 16)), {p, b, x, d});
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
