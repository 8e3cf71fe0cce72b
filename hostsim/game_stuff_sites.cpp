#include "hostsim/game_stuff_sites.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/host_pieces.h"
#include "hostsim/host_words.h"
#include "hostsim/site_coverage.h"
#include "hostsim/site_invoker.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kKeyFunction = 0x5B0320, kKeyCompare = 0x5B0C94;
constexpr std::uint32_t kJumpTable = 0x57F2B0;
constexpr std::uint32_t kJumpTargets[5] = {0x57F1A0, 0x57F1C0, 0x57F230, 0x57F260, 0x57F290};
constexpr std::uint32_t kStepCodeEntry = 0x44A62E, kStepCodeSite = 0x44A635, kStepCodeNext = 0x44A6BB;

void addCode(std::vector<AddressEntry>& rows, std::uint32_t address, const char* name, std::vector<std::uint8_t> bytes) {
  rows.push_back(codeEntry(address, name, std::move(bytes)));
}

void append(std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> more) { bytes.insert(bytes.end(), more); }
void appendWord(std::vector<std::uint8_t>& bytes, std::uint32_t word) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
}

// The host's jumps at the sites, each after a compare: where it goes when it jumps.
struct Branch {
  std::uint32_t site;
  std::vector<std::uint8_t> jump;
  std::uint32_t target;
};

const std::vector<Branch>& branches() {
  static const std::vector<Branch> list = {
      {0x558515, {0x7E, 0x1B}, 0x558532},
      {0x49F137, {0x7D, 0x06}, 0x49F13F},
      {0x49F290, {0x7D, 0x06}, 0x49F298},
      {0x57E17C, {0x7C, 0x06}, 0x57E184},
      {0x57E1B2, {0x7C, 0x06}, 0x57E1BA},
      {0x57E1D8, {0x7D, 0x06}, 0x57E1E0},
      {0x57E5D9, {0x7C, 0x06}, 0x57E5E1},
      {0x57E055, {0x7C, 0x06}, 0x57E05D},
      {0x57D247, {0x0F, 0x8C, 0x06, 0x00, 0x00, 0x00}, 0x57D253},
      {0x57D28C, {0x7C, 0x06}, 0x57D294},
      {0x571685, {0x74, 0x11}, 0x571698},
  };
  return list;
}

// Two pushed float immediates (the host's x then y of a placement): the code returns the second
// in EAX and the first in EDX.
constexpr std::uint32_t kPushPairs[] = {0x559232, 0x57E74C, 0x57E79C, 0x563B4C, 0x56AAA2};

std::uint32_t THISCALL hostEntryKey(const std::uint32_t* entry) { return entry[0]; }

// The host's own comparison at 0x5B0C94 before the plugin's: all entries equal.
std::vector<std::uint8_t> hostKeyCompare() {
  std::vector<std::uint8_t> bytes = {0x31, 0xC0, 0xC3};
  bytes.resize(36, 0xCC);
  return bytes;
}

float stepFloat = 0;
std::int32_t stepCount = 0;

}  // namespace

std::vector<AddressEntry> gameStuffEntries() {
  std::vector<AddressEntry> rows;
  for (const Branch& b : branches()) addBranchPiece(rows, b.site, b.jump, b.target);
  for (std::uint32_t site : kPushPairs) {
    std::vector<std::uint8_t> bytes = {0x68};
    appendWord(bytes, floatWord(45.0f));
    bytes.push_back(0x68);
    appendWord(bytes, floatWord(35.0f));
    append(bytes, {0x58, 0x5A, 0xC3});
    addCode(rows, site - 1, "placementPushes", bytes);
  }
  // mov eax, imm32: placement floats, a size and host addresses as the host's code holds them.
  const std::pair<std::uint32_t, std::uint32_t> immediates[] = {
      {0x558A7B, floatWord(400.0f)}, {0x56A88B, floatWord(400.0f)}, {0x57CEE3, floatWord(500.0f)},
      {0x57CEFF, floatWord(512.0f)}, {0x5EE773, 160},               {0x5592B9, 0x7CEC00},
      {0x5592CC, 0x7CEC00},          {0x55931F, 0x745C00}};
  for (const auto& [site, value] : immediates) rows.push_back({EntryKind::operand, site, "menuImmediate", value, {0xB8}, 1});
  // push imm8; pop eax: the item counts.
  for (std::uint32_t site : {0x558AE9u, 0x56A8F9u}) addImmediatePiece(rows, site, 0x17);
  // mov eax, 5; inc eax; nop / mov eax, 7; add eax, 5; nop: the host's arithmetic at the site.
  addValuePiece(rows, 0x5B1012, 0x5B1012 - 5, {0xB8, 0x05, 0x00, 0x00, 0x00, 0x40, 0x90, 0xC3});
  addValuePiece(rows, 0x44A833, 0x44A833 - 5, {0xB8, 0x07, 0x00, 0x00, 0x00, 0x83, 0xC0, 0x05, 0x90, 0xC3});
  // A jump table of the menu code; each place it leads to (with the plugin's entries or the
  // host's) answers with its own address: mov eax, place; ret.
  for (std::uint32_t i = 0; i < 5; ++i) rows.push_back({EntryKind::global, kJumpTable + 4 * i, "menuJumpTable", kJumpTargets[i]});
  for (std::uint32_t place : {0x57F1A0u, 0x57F1C0u, 0x57F230u, 0x57F260u, 0x57F290u, 0x57F1E9u, 0x57F21Du, 0x57F25Au,
                              0x57F2A8u}) {
    std::vector<std::uint8_t> bytes = {0xB8};
    appendWord(bytes, place);
    bytes.push_back(0xC3);
    addCode(rows, place, "menuJumpPlace", bytes);
  }
  // mov eax, imm32: the menu code's screen height.
  rows.push_back({EntryKind::operand, 0x615DD8, "screenHeight", 0x1C0, {0xB8}, 1});
  // The entry-key function and the comparison that calls it.
  rows.push_back({EntryKind::function, kKeyFunction, "entryKey", addressOf(&hostEntryKey)});
  addCode(rows, kKeyCompare, "keyCompare", hostKeyCompare());
  // Frame-time code: entered with the timing object in ECX, a float already loaded; the host's
  // own step time (0) and count (0), then where it goes on: the results stored for the trace.
  std::vector<std::uint8_t> step = {0x53, 0x56, 0x89, 0xCE, 0xD9, 0xE8, 0x90, 0xDD, 0xD8, 0xD9, 0xEE, 0x31, 0xDB};
  step.resize(step.size() + 12, 0x90);
  append(step, {0xEB, static_cast<std::uint8_t>(kStepCodeNext - (kStepCodeSite + 20))});
  addCode(rows, kStepCodeEntry, "frameTimeCode", step);
  std::vector<std::uint8_t> next = {0xD9, 0x1D};
  appendWord(next, wordOf(&stepFloat));
  append(next, {0x89, 0x1D});
  appendWord(next, wordOf(&stepCount));
  append(next, {0x5E, 0x5B, 0xC3});
  addCode(rows, kStepCodeNext, "frameTimeNext", next);
  return rows;
}

namespace {

std::uint32_t hexArgument(std::istream& in) {
  std::string text;
  in >> text;
  return static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 16));
}

std::string hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(v));
  return text;
}

// The comparison at 0x5B0C94 as the host's sort calls it: ECX points at the first entry's
// pointer, the second stack argument at the second's; the caller takes the arguments back.
std::string keyCompare(std::uint32_t keyA, std::uint32_t keyB) {
  std::uint32_t a[1] = {keyA}, b[1] = {keyB};
  void* entryA = a;
  void* entryB = b;
  const std::uint32_t args[2] = {0, wordOf(&entryB)};
  SiteOutcome outcome;
  const auto result = static_cast<std::int32_t>(
      hostsimCallMember(&outcome, reinterpret_cast<const void*>(kKeyCompare), args, 2, wordOf(&entryA)));
  // The plugin's routine returns at +29 when the second key is greater, else at +35; the host's
  // own returns at once.
  const auto* code = reinterpret_cast<const std::uint8_t*>(kKeyCompare);
  if (code[0] != 0x8B) {
    noteHostCodeRun(kKeyCompare, kKeyCompare + 3);
  } else if (result == -1) {
    noteHostCodeRun(kKeyCompare, kKeyCompare + 30);
  } else {
    noteHostCodeRun(kKeyCompare, kKeyCompare + 25);
    noteHostCodeRun(kKeyCompare + 30, kKeyCompare + 36);
  }
  return std::to_string(result) + " stack " + std::to_string(outcome.stackBytesLeft / 4) + " words left" +
         (outcome.registersKept != 0 ? " registers kept" : " registers changed");
}

// The menu code's jump through entry `index` of its table: the place it reaches.
std::string menuJump(std::uint32_t index) {
  const std::uint32_t entry = kJumpTable + 4 * index;
  noteHostDataRead(entry, entry + 4);
  const std::uint32_t place = *reinterpret_cast<const std::uint32_t*>(entry);
  const HostRegisters before;
  const HostCodeRun run = runHostCode(place, before);
  noteHostCodeRun(place, place + 6);
  return hex(run.after.eax) + balanceText(before, run);
}

}  // namespace

bool runGameStuffStep(const std::string& step, std::istream& in) {
  if (step == "pushes") {
    const std::uint32_t site = hexArgument(in);
    const HostRegisters before;
    const HostCodeRun run = runHostCode(site - 1, before);
    noteHostCodeRun(site - 1, site + 12);
    float first, second;
    std::memcpy(&first, &run.after.edx, 4);
    std::memcpy(&second, &run.after.eax, 4);
    trace("pushes " + hex(site) + " " + traceNumber(first) + " " + traceNumber(second) + balanceText(before, run));
  } else if (step == "menujump") {
    std::uint32_t index = 0;
    in >> index;
    if (index >= 5) return false;
    trace("menujump " + std::to_string(index) + " reaches " + menuJump(index));
  } else if (step == "keycompare") {
    std::uint32_t a = 0, b = 0;
    in >> a >> b;
    trace("keycompare " + std::to_string(a) + " " + std::to_string(b) + " result " + keyCompare(a, b));
  } else if (step == "steptime") {
    static std::uint32_t timing[4];
    using Code = void(THISCALL*)(void*);
    const auto run = reinterpret_cast<Code>(static_cast<std::uintptr_t>(kStepCodeEntry));
    run(timing);
    Sleep(30);
    run(timing);
    // The code runs from its entry through the site and its short jump to where it goes on.
    noteHostCodeRun(kStepCodeEntry, kStepCodeSite + 20);
    noteHostCodeRun(kStepCodeNext, kStepCodeNext + 15);
    const bool agree = std::lround(static_cast<double>(stepFloat) * 720.0) == stepCount;
    trace("steptime float " + traceNumber(stepFloat) + " steps " + std::to_string(stepCount) +
          (agree ? " agree" : " disagree"));
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
