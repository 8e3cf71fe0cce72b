#include "hostsim/game_stuff_sites.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

#include "hostsim/call_trace.h"
#include "hostsim/host_words.h"
#include "hostsim/site_coverage.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kKeyFunction = 0x5B0320, kKeyCompare = 0x5B0C94;
constexpr std::uint32_t kStepCodeEntry = 0x44A62E, kStepCodeSite = 0x44A635, kStepCodeNext = 0x44A6BB;

void addCode(std::vector<AddressEntry>& rows, std::uint32_t address, const char* name, std::vector<std::uint8_t> bytes) {
  rows.push_back(codeEntry(address, name, std::move(bytes)));
}

void append(std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> more) { bytes.insert(bytes.end(), more); }
void appendWord(std::vector<std::uint8_t>& bytes, std::uint32_t word) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
}
std::vector<std::uint8_t> returning(std::uint8_t value) { return {0xB8, value, 0x00, 0x00, 0x00, 0xC3}; }

// Where the code that runs a site starts.
std::map<std::uint32_t, std::uint32_t>& entryOfSite() {
  static std::map<std::uint32_t, std::uint32_t> entries;
  return entries;
}

// cmp eax, edx; the host's jump at the site; 0 when it falls through, 1 at its target.
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
  for (const Branch& b : branches()) {
    std::vector<std::uint8_t> bytes = {0x39, 0xD0};
    bytes.insert(bytes.end(), b.jump.begin(), b.jump.end());
    const std::vector<std::uint8_t> fall = returning(0);
    bytes.insert(bytes.end(), fall.begin(), fall.end());
    addCode(rows, b.site - 2, "menuBranch", bytes);
    addCode(rows, b.target, "menuBranchTarget", returning(1));
    entryOfSite()[b.site] = b.site - 2;
  }
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
  for (std::uint32_t site : {0x558AE9u, 0x56A8F9u}) {
    addCode(rows, site - 1, "itemCount", {0x6A, 0x17, 0x58, 0xC3});
    entryOfSite()[site] = site - 1;
  }
  // mov eax, 5; inc eax; nop / mov eax, 7; add eax, 5; nop: the host's arithmetic at the site.
  addCode(rows, 0x5B1012 - 5, "indexArithmetic", {0xB8, 0x05, 0x00, 0x00, 0x00, 0x40, 0x90, 0xC3});
  entryOfSite()[0x5B1012] = 0x5B1012 - 5;
  addCode(rows, 0x44A833 - 5, "frameArithmetic", {0xB8, 0x07, 0x00, 0x00, 0x00, 0x83, 0xC0, 0x05, 0x90, 0xC3});
  entryOfSite()[0x44A833] = 0x44A833 - 5;
  // A jump table of the menu code and a screen height word.
  const std::uint32_t jumpTable[] = {0x57F1A0, 0x57F1C0, 0x57F230, 0x57F260, 0x57F290};
  for (std::uint32_t i = 0; i < 5; ++i) rows.push_back({EntryKind::global, 0x57F2B0 + 4 * i, "menuJumpTable", jumpTable[i]});
  rows.push_back({EntryKind::global, 0x615DD8, "screenHeight", 0x1C0});
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

std::string number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

std::int32_t runKeyCompare(std::uint32_t keyA, std::uint32_t keyB) {
  std::uint32_t a[1] = {keyA}, b[1] = {keyB};
  void* entryA = a;
  void* entryB = b;
  std::int32_t result;
  void* first = &entryA;
  // ECX points at the first entry's pointer, the second stack argument at the second's; the
  // caller takes the arguments back.
  __asm__ volatile(
      "pushl %3\n\t"
      "pushl $0\n\t"
      "call *%2\n\t"
      "addl $8, %%esp"
      : "=a"(result), "+c"(first)
      : "D"(kKeyCompare), "S"(&entryB)
      : "edx", "memory", "cc");
  return result;
}

}  // namespace

bool runGameStuffStep(const std::string& step, std::istream& in) {
  if (step == "branch") {
    const std::uint32_t site = hexArgument(in);
    std::int32_t a = 0, b = 0;
    in >> a >> b;
    using Code = std::int32_t __attribute__((regparm(2))) (*)(std::int32_t, std::int32_t);
    const auto taken = reinterpret_cast<Code>(static_cast<std::uintptr_t>(entryOfSite()[site]))(a, b);
    trace("branch " + hex(site) + " " + std::to_string(a) + " " + std::to_string(b) + (taken ? " taken" : " not taken"));
  } else if (step == "pushes") {
    const std::uint32_t site = hexArgument(in);
    const auto both = reinterpret_cast<std::uint64_t (*)()>(static_cast<std::uintptr_t>(site - 1))();
    float first, second;
    const auto high = static_cast<std::uint32_t>(both >> 32), low = static_cast<std::uint32_t>(both);
    std::memcpy(&first, &high, 4);
    std::memcpy(&second, &low, 4);
    trace("pushes " + hex(site) + " " + number(first) + " " + number(second));
  } else if (step == "hostcode") {
    const std::uint32_t site = hexArgument(in);
    const auto value = reinterpret_cast<std::uint32_t (*)()>(static_cast<std::uintptr_t>(entryOfSite()[site]))();
    trace("hostcode " + hex(site) + " returns " + std::to_string(value));
  } else if (step == "words") {
    const std::uint32_t site = hexArgument(in);
    int count = 0;
    in >> count;
    std::string text = "words " + hex(site);
    for (int i = 0; i < count; ++i) text += " " + hex(*reinterpret_cast<const std::uint32_t*>(site + 4 * i));
    trace(text);
  } else if (step == "keycompare") {
    std::uint32_t a = 0, b = 0;
    in >> a >> b;
    trace("keycompare " + std::to_string(a) + " " + std::to_string(b) + " result " +
          std::to_string(runKeyCompare(a, b)));
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
    trace("steptime float " + number(stepFloat) + " steps " + std::to_string(stepCount) +
          (agree ? " agree" : " disagree"));
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
