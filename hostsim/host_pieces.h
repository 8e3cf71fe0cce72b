#pragma once
// Host code around single patched bytes and short instructions, run the way the host's flow runs
// through it: small pieces that end in a return with what the host's instruction made of the
// bytes in place (a value, or where a branch went), and a way to call host code with every
// register known, its stack balance and the registers it must keep checked.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

struct HostRegisters {
  std::uint32_t eax = 0xA1A1A1A1, ecx = 0xC3C3C3C3, edx = 0xD4D4D4D4, ebx = 0xB2B2B2B2;
  std::uint32_t esi = 0x5E5E5E5E, edi = 0xD1D1D1D1, ebp = 0xE5E5E5E5;
};

struct HostCodeRun {
  HostRegisters after;
  std::int32_t stackWords = 0;  // words the code took beyond its return address (RET 4: 1)
};

// Calls the host code at `entry`, which ends with a near return, with the registers `before`.
HostCodeRun runHostCode(std::uint32_t entry, const HostRegisters& before);

// " stack 0 registers kept", or the stack words and which of EBX, ESI, EDI and EBP came back
// changed (leaving out those named in `mayChange`, e.g. "esi").
std::string balanceText(const HostRegisters& before, const HostCodeRun& run, const std::string& mayChange = "");

// A piece through the patched bytes at `site` that leaves a value in EAX (and one in EDX where
// `edxToo`): `bytes` from `entry`, ending in a return.
void addValuePiece(std::vector<AddressEntry>& rows, std::uint32_t site, std::uint32_t entry,
                   std::vector<std::uint8_t> bytes, bool edxToo = false);
// push imm8 with the host's own byte `value` at `site`; pop eax; ret: from site - 1.
void addImmediatePiece(std::vector<AddressEntry>& rows, std::uint32_t site, std::uint8_t value);
// cmp eax, edx at site - 2; the host's jump `jump` at the site; falling through, mov eax, 0; ret;
// at `target`, mov eax, 1; ret.
void addBranchPiece(std::vector<AddressEntry>& rows, std::uint32_t site, std::vector<std::uint8_t> jump,
                    std::uint32_t target);

// Scenario steps (sites in hex):
//   hostcode SITE [EAX]   runs the value piece through SITE with EAX (default A1A1A1A1); traces
//                         "hostcode SITE returns N[ edx M]" (signed) and the balance
//   branch SITE A B       runs the branch piece at SITE with A and B compared (signed); traces
//                         "branch SITE A B taken" or "... not taken", and the balance
bool runHostPieceStep(const std::string& step, std::istream& in);

}  // namespace hostsim
