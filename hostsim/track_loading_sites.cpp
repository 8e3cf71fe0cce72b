#include "hostsim/track_loading_sites.h"

#include <cstdio>
#include <cstdlib>

#include "hostsim/call_trace.h"
#include "hostsim/host_pieces.h"
#include "hostsim/host_words.h"
#include "hostsim/site_coverage.h"

namespace hostsim {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The executable's places; Spindle3D.DLL holds the same code 0x5FC7A640 higher.
constexpr std::uint32_t kModuleOffset = 0x5FC7A640;
struct SourcePlace {
  std::uint32_t site;
  Bytes code;    // 6 bytes: mov ecx, [eax]; then the place's own four bytes
  Bytes goesOn;  // from site + 6
  std::uint32_t padding;  // 12 bytes where the group puts its stub
};
const SourcePlace kPlaces[] = {
    // mov ecx, [eax]; push ebx; push ebp; xor ebx, ebx / mov edx, ebx; pop ebp; pop ebx; ret
    {0x41761E, {0x8B, 0x08, 0x53, 0x55, 0x31, 0xDB}, {0x89, 0xDA, 0x5D, 0x5B, 0xC3}, 0x417820},
    // mov ecx, [eax]; inc ebp; add edx, 0x74 / dec ebp; ret
    {0x4176BE, {0x8B, 0x08, 0x45, 0x83, 0xC2, 0x74}, {0x4D, 0xC3}, 0x417830},
};
constexpr std::uint32_t kStubLength = 12;

std::string hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(v));
  return text;
}

bool runSourcePlace(std::uint32_t site) {
  const SourcePlace* place = nullptr;
  std::uint32_t offset = 0;
  for (const SourcePlace& p : kPlaces) {
    for (std::uint32_t o : {0u, kModuleOffset}) {
      if (p.site + o == site) place = &p, offset = o;
    }
  }
  if (place == nullptr) return false;
  static std::uint32_t object[2] = {0x11111111, 0x22222222};
  HostRegisters before;
  before.eax = wordOf(object);
  before.edx = 0x100;
  const HostCodeRun run = runHostCode(site, before);
  // The place's own code, or the group's jump and the stub it leads to; then where it goes on.
  if (*reinterpret_cast<const std::uint8_t*>(site) == 0xE9) {
    noteHostCodeRun(site, site + 5);
    noteHostCodeRun(place->padding + offset, place->padding + offset + kStubLength);
  } else {
    noteHostCodeRun(site, site + 6);
  }
  noteHostCodeRun(site + 6, site + 6 + static_cast<std::uint32_t>(place->goesOn.size()));
  trace("host source word " + hex(site) + " ecx " + hex(run.after.ecx) + " edx " + hex(run.after.edx) +
        balanceText(before, run));
  return true;
}

}  // namespace

std::vector<AddressEntry> trackLoadingSiteEntries() {
  std::vector<AddressEntry> rows;
  // push 1; pop eax: single bytes of Spindle3D.DLL's code.
  for (std::uint32_t site : {0x600550EDu, 0x600541E1u, 0x60017C67u, 0x600707C7u, 0x600707F1u, 0x60072BF1u}) {
    addImmediatePiece(rows, site, 0x01);
  }
  // mov eax, 1: a five-byte instruction of Spindle3D.DLL.
  addValuePiece(rows, 0x6004921E, 0x6004921E, {0xB8, 0x01, 0x00, 0x00, 0x00, 0xC3});
  // add eax, 5: a three-byte instruction of Railwise.DLL.
  addValuePiece(rows, 0x6101BBF1, 0x6101BBF1, {0x83, 0xC0, 0x05, 0xC3});
  // Railwise.DLL's jge (signed, 32-bit displacement) and je.
  addBranchPiece(rows, 0x610376BE, {0x0F, 0x8D, 0x06, 0x00, 0x00, 0x00}, 0x610376CA);
  addBranchPiece(rows, 0x61021DCC, {0x74, 0x30}, 0x61021DFE);
  for (const SourcePlace& p : kPlaces) {
    for (std::uint32_t o : {0u, kModuleOffset}) {
      rows.push_back(codeEntry(p.site + o, "sourcePlace", p.code));
      rows.push_back(codeEntry(p.site + o + 6, "sourcePlaceGoesOn", p.goesOn));
      rows.push_back(codeEntry(p.padding + o, "sourcePlacePadding", Bytes(kStubLength, 0xCC)));
    }
  }
  return rows;
}

bool runTrackLoadingSiteStep(const std::string& step, std::istream& in) {
  if (step != "sourceword") return false;
  std::string site;
  in >> site;
  return runSourcePlace(static_cast<std::uint32_t>(std::strtoul(site.c_str(), nullptr, 16)));
}

}  // namespace hostsim
