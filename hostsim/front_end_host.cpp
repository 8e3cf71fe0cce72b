#include "hostsim/front_end_host.h"

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_words.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kActionA = 0x5ABD30, kActionB = 0x5ABC60;
constexpr std::uint32_t kSiteA = 0x5AD035, kSiteB = 0x5ACFDE;
constexpr std::uint32_t kPrepareMode = 0x565430, kFrontEndRoutine = 0x582650;

void __attribute__((thiscall)) prepareMode(void*, std::int32_t mode) {
  trace("host prepareMode " + std::to_string(mode));
}
void __cdecl frontEndRoutine() { trace("host front-end routine"); }
std::int32_t __cdecl actionA() {
  trace("host front-end action a");
  return 11;
}
std::int32_t __cdecl actionB() {
  trace("host front-end action b");
  return 12;
}

}  // namespace

std::vector<AddressEntry> frontEndEntries() {
  std::vector<AddressEntry> rows;
  appendFunctions(rows, {{kPrepareMode, "prepareMode", addressOf(&prepareMode)},
                         {kFrontEndRoutine, "frontEndRoutine", addressOf(&frontEndRoutine)},
                         {kActionA, "frontEndActionA", addressOf(&actionA)},
                         {kActionB, "frontEndActionB", addressOf(&actionB)}});
  // mov eax, imm32: the menu code takes each action's address from its instruction.
  rows.push_back({EntryKind::operand, kSiteA, "frontEndSiteA", kActionA, {0xB8}, 1});
  rows.push_back({EntryKind::operand, kSiteB, "frontEndSiteB", kActionB, {0xB8}, 1});
  return rows;
}

bool runFrontEndStep(const std::string& step, std::istream& in) {
  if (step != "frontend") return false;
  std::string which;
  in >> which;
  if (which != "a" && which != "b") return false;
  const auto action =
      reinterpret_cast<std::int32_t(__cdecl*)()>(static_cast<std::uintptr_t>(runOperandSite(which == "a" ? kSiteA : kSiteB)));
  trace("frontend " + which + " result " + std::to_string(action()));
  return true;
}

}  // namespace hostsim
