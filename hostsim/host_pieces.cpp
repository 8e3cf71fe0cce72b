#include "hostsim/host_pieces.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include "hostsim/call_trace.h"
#include "hostsim/host_code_runner.h"
#include "hostsim/site_coverage.h"

namespace hostsim {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Piece {
  std::uint32_t entry = 0, end = 0;  // the straight run from the entry (a branch: through its jump)
  bool edxToo = false;
  bool branch = false;
  std::uint32_t target = 0;
};

std::map<std::uint32_t, Piece>& pieces() {
  static std::map<std::uint32_t, Piece> all;
  return all;
}

constexpr std::uint32_t kReturningLength = 6;
Bytes returning(std::uint8_t value) { return {0xB8, value, 0x00, 0x00, 0x00, 0xC3}; }

std::string hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(v));
  return text;
}

std::uint32_t hexArgument(std::istream& in) {
  std::string text;
  in >> text;
  return static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 16));
}

const Piece* pieceAt(std::uint32_t site) {
  const auto it = pieces().find(site);
  return it == pieces().end() ? nullptr : &it->second;
}

}  // namespace

HostCodeRun runHostCode(std::uint32_t entry, const HostRegisters& before) {
  std::uint32_t words[14] = {before.eax, before.ecx, before.edx, before.ebx, before.esi, before.edi, before.ebp};
  HostCodeRun run;
  run.stackWords = hostsimRunCode(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(entry)), words);
  run.after = {words[7], words[8], words[9], words[10], words[11], words[12], words[13]};
  return run;
}

std::string balanceText(const HostRegisters& before, const HostCodeRun& run, const std::string& mayChange) {
  std::string changed;
  const std::pair<const char*, bool> kept[] = {{"ebx", run.after.ebx == before.ebx},
                                               {"esi", run.after.esi == before.esi},
                                               {"edi", run.after.edi == before.edi},
                                               {"ebp", run.after.ebp == before.ebp}};
  for (const auto& [name, same] : kept) {
    if (!same && mayChange.find(name) == std::string::npos) changed += std::string(" ") + name;
  }
  return " stack " + std::to_string(run.stackWords) + (changed.empty() ? " registers kept" : " registers changed" + changed);
}

void addValuePiece(std::vector<AddressEntry>& rows, std::uint32_t site, std::uint32_t entry, Bytes bytes, bool edxToo) {
  Piece p;
  p.entry = entry;
  p.end = entry + static_cast<std::uint32_t>(bytes.size());
  p.edxToo = edxToo;
  pieces()[site] = p;
  rows.push_back(codeEntry(entry, "valuePiece", std::move(bytes)));
}

void addImmediatePiece(std::vector<AddressEntry>& rows, std::uint32_t site, std::uint8_t value) {
  addValuePiece(rows, site, site - 1, {0x6A, value, 0x58, 0xC3});
}

void addBranchPiece(std::vector<AddressEntry>& rows, std::uint32_t site, Bytes jump, std::uint32_t target) {
  Piece p;
  p.entry = site - 2;
  p.end = site + static_cast<std::uint32_t>(jump.size());
  p.branch = true;
  p.target = target;
  pieces()[site] = p;
  Bytes bytes = {0x39, 0xD0};  // cmp eax, edx
  bytes.insert(bytes.end(), jump.begin(), jump.end());
  const Bytes fall = returning(0);
  bytes.insert(bytes.end(), fall.begin(), fall.end());
  rows.push_back(codeEntry(site - 2, "branchPiece", std::move(bytes)));
  rows.push_back(codeEntry(target, "branchPieceTarget", returning(1)));
}

bool runHostPieceStep(const std::string& step, std::istream& in) {
  if (step != "hostcode" && step != "branch") return false;
  const std::uint32_t site = hexArgument(in);
  const Piece* p = pieceAt(site);
  if (p == nullptr || p->branch != (step == "branch")) return false;
  HostRegisters before;
  if (step == "hostcode") {
    std::string eax;
    if (in >> eax) before.eax = static_cast<std::uint32_t>(std::strtoul(eax.c_str(), nullptr, 0));
    const HostCodeRun run = runHostCode(p->entry, before);
    noteHostCodeRun(p->entry, p->end);
    std::string text = "hostcode " + hex(site) + " returns " + std::to_string(static_cast<std::int32_t>(run.after.eax));
    if (p->edxToo) text += " edx " + std::to_string(static_cast<std::int32_t>(run.after.edx));
    trace(text + balanceText(before, run));
    return true;
  }
  std::int32_t a = 0, b = 0;
  in >> a >> b;
  before.eax = static_cast<std::uint32_t>(a);
  before.edx = static_cast<std::uint32_t>(b);
  const HostCodeRun run = runHostCode(p->entry, before);
  const bool taken = run.after.eax == 1;
  // The compare and the jump, then where it went.
  noteHostCodeRun(p->entry, p->end);
  if (taken) {
    noteHostCodeRun(p->target, p->target + kReturningLength);
  } else {
    noteHostCodeRun(p->end, p->end + kReturningLength);
  }
  trace("branch " + hex(site) + " " + std::to_string(a) + " " + std::to_string(b) + (taken ? " taken" : " not taken") +
        balanceText(before, run));
  return true;
}

}  // namespace hostsim
