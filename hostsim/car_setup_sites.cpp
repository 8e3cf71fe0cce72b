#include "hostsim/car_setup_sites.h"

#include <cstdio>

#include "hostsim/call_trace.h"
#include "hostsim/host_pieces.h"
#include "hostsim/site_coverage.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kSetupRoutine = 0x5487D0, kOtherRoutine = 0x5488E0, kRoutineEntry = 0x744ECC;

// mov eax, routine; ret.
std::vector<std::uint8_t> answering(std::uint32_t routine) {
  std::vector<std::uint8_t> bytes = {0xB8};
  for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<std::uint8_t>(routine >> (8 * k)));
  bytes.push_back(0xC3);
  return bytes;
}

std::string hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(v));
  return text;
}

}  // namespace

std::vector<AddressEntry> carSetupSiteEntries() {
  std::vector<AddressEntry> rows;
  addValuePiece(rows, kSetupRoutine, kSetupRoutine, answering(kSetupRoutine));
  rows.push_back(codeEntry(kOtherRoutine, "setupOtherRoutine", answering(kOtherRoutine)));
  // jl: a conditional jump of the setup code.
  addBranchPiece(rows, 0x4906F2, {0x7C, 0x06}, 0x4906FA);
  rows.push_back({EntryKind::global, kRoutineEntry, "setupRoutineEntry", kSetupRoutine});
  return rows;
}

bool runCarSetupSiteStep(const std::string& step, std::istream&) {
  if (step != "setupentry") return false;
  noteHostDataRead(kRoutineEntry, kRoutineEntry + 4);
  const std::uint32_t routine = *reinterpret_cast<const std::uint32_t*>(kRoutineEntry);
  const HostRegisters before;
  const HostCodeRun run = runHostCode(routine, before);
  // A routine that returns at once ran its first byte only.
  noteHostCodeRun(routine, routine + (*reinterpret_cast<const std::uint8_t*>(routine) == 0xC3 ? 1 : 6));
  trace("host setup entry reaches " + hex(routine) + " returns " + hex(run.after.eax) + balanceText(before, run));
  return true;
}

}  // namespace hostsim
