#include "hostsim/host_code_sites.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_pieces.h"
#include "hostsim/host_words.h"
#include "hostsim/site_coverage.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kRoutineSite = 0x50F248;
constexpr std::uint32_t kOtherRoutine = 0x50BC90;
constexpr std::uint32_t kTimeFloat = 0x746828;
// Two more calls of the host's pressure routine, besides the one the host layout names.
constexpr std::uint32_t kPressureSites[] = {0x517E48, 0x517F43};

const float hostConstant = -1.0f;

// The object check at 0x5E2C8D: compares the object's word at +0x3E8 (object in EAX) with EDI;
// unequal, it jumps on to 0x5E2CC0, equal, it marks the object (+0x3EC) and keeps the word at
// +0x10, then goes on at 0x5E2CA6. Both places answer with where the code went (0 on, 1 jumped).
constexpr std::uint32_t kObjectCheck = 0x5E2C8D, kObjectCheckOn = 0x5E2CA6, kObjectCheckJumped = 0x5E2CC0;
const std::vector<std::uint8_t> kObjectCheckCode = {0x8B, 0x88, 0xE8, 0x03, 0x00, 0x00, 0x39, 0xF9, 0x75, 0x29,
                                                    0xC7, 0x80, 0xEC, 0x03, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
                                                    0x89, 0x48, 0x10, 0x90, 0x90};
// The test before 0x60DA5E: test eax, eax; jne 0x60DA69; the host goes on at 0x60DA60 (answers 1)
// or at 0x60DA69 (answers 2). The 5 bytes at 0x60DAD6 and the 22 at 0x60DD12 are padding.
constexpr std::uint32_t kWordTest = 0x60DA5C, kWordTestOn = 0x60DA60, kWordTestOther = 0x60DA69;
constexpr std::uint32_t kWordTestPadA = 0x60DAD6, kWordTestPadB = 0x60DD12;
// The call through the object's table slot +0x0C at 0x47CAD5: mov edx, [ecx]; call [edx+0Ch];
// add eax, 1; ret.
constexpr std::uint32_t kSlotCall = 0x47CAD3, kSlotCallSite = 0x47CAD5, kSlotCallReturn = 0x47CAD8;

std::uint32_t slotEnteredFrom = 0;
std::uint32_t __attribute__((thiscall)) __attribute__((noinline)) objectSlot(void*) {
  slotEnteredFrom = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(__builtin_return_address(0)));
  return 40;
}

std::string hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(v));
  return text;
}

// Patterned object words, so that a store shows.
constexpr std::uint32_t kObjectPattern = 0xA5A5A5A5;

void objectCheck(std::uint32_t word, std::uint32_t edi) {
  static std::uint32_t object[0x100];
  for (std::uint32_t& w : object) w = kObjectPattern;
  object[0x3E8 / 4] = word;
  HostRegisters before;
  before.eax = wordOf(object);
  before.edi = edi;
  const HostCodeRun run = runHostCode(kObjectCheck, before);
  const bool jumped = run.after.eax == 1;
  noteHostCodeRun(kObjectCheck, kObjectCheck + 10);
  if (jumped) {
    noteHostCodeRun(kObjectCheckJumped, kObjectCheckJumped + 6);
  } else {
    noteHostCodeRun(kObjectCheck + 10, kObjectCheckOn + 3);
  }
  std::string stores;
  if (object[0x3EC / 4] != kObjectPattern) stores += " +3ec " + hex(object[0x3EC / 4]);
  if (object[0x10 / 4] != kObjectPattern) stores += " +10 " + hex(object[0x10 / 4]);
  trace("host object check " + hex(word) + " " + hex(edi) + (jumped ? " jumped" : " went on") + " ecx " +
        hex(run.after.ecx) + " stored" + (stores.empty() ? " nothing" : stores) + balanceText(before, run));
}

void wordTest(std::uint32_t eax, std::uint32_t word) {
  static std::uint32_t object[0x20];
  for (std::uint32_t& w : object) w = kObjectPattern;
  object[0x78 / 4] = word;
  HostRegisters before;
  before.eax = eax;
  before.esi = wordOf(object);
  const HostCodeRun run = runHostCode(kWordTest, before);
  // The way the code took: the host's conditional jump, or the plugin's jumps through the test
  // of the word at +0x78.
  noteHostCodeRun(kWordTest, kWordTest + 4);
  if (*reinterpret_cast<const std::uint8_t*>(kWordTest + 2) == 0xEB) {
    noteHostCodeRun(kWordTestPadA, kWordTestPadA + 5);
    noteHostCodeRun(kWordTestPadB, kWordTestPadB + (eax != 0 ? 6 : word != 0 ? 22 : 17));
  }
  const std::uint32_t place = run.after.eax == 1 ? kWordTestOn : kWordTestOther;
  noteHostCodeRun(place, place + 6);
  trace("host object word " + hex(eax) + " " + hex(word) + " goes on at " + hex(place) + balanceText(before, run));
}

void slotCall() {
  static std::uint32_t table[4];
  static std::uint32_t object[2];
  table[3] = addressOf(&objectSlot);
  object[0] = wordOf(table);
  HostRegisters before;
  before.ecx = wordOf(object);
  slotEnteredFrom = 0;
  const HostCodeRun run = runHostCode(kSlotCall, before);
  noteHostCodeRun(kSlotCall, kSlotCallSite + 3);
  // A call from the site returns into the host's code after it, which then runs.
  if (slotEnteredFrom == kSlotCallReturn) noteHostCodeRun(kSlotCallReturn, kSlotCallReturn + 4);
  const char* from = slotEnteredFrom == kSlotCallReturn ? "from 47cad8" : "from the code's caller";
  trace(std::string("host slot +0c entered ") + from + " result " + std::to_string(run.after.eax) + balanceText(before, run));
}

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
  // push imm8; pop eax: single bytes of the physics, tyre, menu, replay and timing code.
  const std::pair<std::uint32_t, std::uint8_t> bytes[] = {
      {0x5365CB, 0xF0}, {0x5365EC, 0x18}, {0x517EC6, 0x70}, {0x57C60F, 0x12}, {0x57C6E8, 0x12}, {0x57C7A0, 0x12},
      {0x57C089, 0x12}, {0x57C9A5, 0x12}, {0x57CA35, 0x12}, {0x46A46E, 0x00}, {0x4E9BC8, 0x14}, {0x4E9C15, 0x14},
      {0x5735B6, 0x14}, {0x527508, 0x10}};
  for (const auto& [site, value] : bytes) addImmediatePiece(rows, site, value);
  // push 0x10; pop eax; push 0x12; pop edx: two placement values of the menu layout.
  addValuePiece(rows, 0x57C9F3, 0x57C9F2, {0x6A, 0x10, 0x58, 0x6A, 0x12, 0x5A, 0xC3}, true);
  // mov eax, 1: five-byte instructions of the tyre and engine code.
  for (std::uint32_t site : {0x530DD3u, 0x530ECCu, 0x530EA2u, 0x5177F4u, 0x51780Bu}) {
    addValuePiece(rows, site, site, {0xB8, 0x01, 0x00, 0x00, 0x00, 0xC3});
  }
  // lea eax, [eax+100]: seven-byte instructions of the tyre and event code.
  for (std::uint32_t site : {0x52B6E5u, 0x5220F2u}) addValuePiece(rows, site, site, {0x8D, 0x04, 0x05, 100, 0, 0, 0, 0xC3});
  // jl: two conditional jumps of the spring code.
  for (std::uint32_t site : {0x52E22Bu, 0x52E279u}) addBranchPiece(rows, site, {0x7C, 0x06}, site + 8);
  rows.push_back(codeEntry(kObjectCheck, "objectCheck", kObjectCheckCode));
  rows.push_back(codeEntry(kObjectCheckOn, "objectCheckOn", {0x31, 0xC0, 0xC3}));
  rows.push_back(codeEntry(kObjectCheckJumped, "objectCheckJumped", {0xB8, 0x01, 0x00, 0x00, 0x00, 0xC3}));
  rows.push_back(codeEntry(kWordTest, "wordTest", {0x85, 0xC0, 0x75, 0x09}));
  rows.push_back(codeEntry(kWordTestOn, "wordTestOn", {0xB8, 0x01, 0x00, 0x00, 0x00, 0xC3}));
  rows.push_back(codeEntry(kWordTestOther, "wordTestOther", {0xB8, 0x02, 0x00, 0x00, 0x00, 0xC3}));
  rows.push_back(codeEntry(kWordTestPadA, "wordTestPadding", std::vector<std::uint8_t>(5, 0xCC)));
  rows.push_back(codeEntry(kWordTestPadB, "wordTestPadding", std::vector<std::uint8_t>(22, 0xCC)));
  rows.push_back(codeEntry(kSlotCall, "slotCall", {0x8B, 0x11, 0xFF, 0x52, 0x0C, 0x83, 0xC0, 0x01, 0xC3}));
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
  } else if (step == "objectcheck") {
    std::string word, edi;
    in >> word >> edi;
    objectCheck(static_cast<std::uint32_t>(std::strtoul(word.c_str(), nullptr, 16)),
                static_cast<std::uint32_t>(std::strtoul(edi.c_str(), nullptr, 16)));
  } else if (step == "objectword") {
    std::string eax, word;
    in >> eax >> word;
    wordTest(static_cast<std::uint32_t>(std::strtoul(eax.c_str(), nullptr, 16)),
             static_cast<std::uint32_t>(std::strtoul(word.c_str(), nullptr, 16)));
  } else if (step == "slotcall") {
    slotCall();
  } else if (step == "timefloat") {
    // The timing code's float constant, as the host reads it.
    noteHostDataRead(kTimeFloat, kTimeFloat + 4);
    char text[48];
    std::snprintf(text, sizeof text, "host time float %g", static_cast<double>(get<float>(pointer(kTimeFloat), 0)));
    trace(text);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
