#include "hostsim/record_copies.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kRecordGlobal = 0x7C755C, kConstruct = 0x5001C0;
constexpr std::uint32_t kRecordSize = 6240, kBlock = 12, kBlockSize = 4096, kOwnWord = 4108, kLastWord = 4112;
constexpr std::uint32_t kHostPart = 4116, kCallbackA = 6176, kCallbackB = 6208;
constexpr std::uint32_t kCallbackAdjust = 16, kCallbackFunction = 24, kCallbackObject = 28;
constexpr std::uint32_t kSites[3][17] = {
    {0x4E54E8, 0x51BCB2, 0x51BDA4, 0x51BE3F, 0x51BF82, 0x51C119, 0x51C162, 0x51C261, 0x51C53C, 0x51C67E,
     0x51C726, 0x5254CA, 0x529D5A, 0x53D5E0, 0x53D6BE, 0x53D7E3, 0x53D923},
    {0x5FD732},
    {0x601A01, 0x601F77, 0x604216},
};
constexpr int kSiteCount[3] = {17, 1, 3};
// The constructor's adjustments of the two callbacks' objects.
constexpr std::uint32_t kAdjustA = 0, kAdjustB = kBlock;

// Distinct sentinel words: the host record's word at offset o is 0x7C000000 + o, the
// constructor's 0xC0000000 + o.
std::uint32_t recordWord(std::uint32_t offset) { return 0x7C000000u + offset; }
std::uint32_t constructorWord(std::uint32_t offset) { return 0xC0000000u + offset; }

std::uint32_t THISCALL hostRecordSlot(void*, std::uint32_t, std::uint32_t, std::uint32_t) { return 0x7C75; }
const std::uint32_t hostRecordTable[1] = {addressOf(&hostRecordSlot)};
void THISCALL hostCallbackDestroy(void*, std::uint32_t) {}
void THISCALL hostCallbackInvoke(void*) {}
const std::uint32_t hostCallbackTable[2] = {addressOf(&hostCallbackDestroy), addressOf(&hostCallbackInvoke)};

unsigned char* callbackTarget = nullptr;
void THISCALL hostRecordCallback(unsigned char* target) { callbackTarget = target; }

struct Failures {
  int mallocAt = 0, mallocSeen = 0;
  int constructAt = 0, constructSeen = 0;
};
Failures failures;

unsigned char* hostRecord() {
  static unsigned char* record = [] {
    // The worker copies its words +4, +8, the block from +12 and +4112; it writes none.
    unsigned char* r = hostObject("hostrecord", kRecordSize);
    for (std::uint32_t o = 0; o < kRecordSize; o += 4) put(r, o, recordWord(o));
    put(r, 0, wordOf(hostRecordTable));
    put(r, kCallbackA, wordOf(hostCallbackTable));
    put(r, kCallbackB, wordOf(hostCallbackTable));
    return r;
  }();
  return record;
}

// The record as painted, to tell whether the plugin wrote into it.
const std::vector<unsigned char>& paintedRecord() {
  static const std::vector<unsigned char> copy(hostRecord(), hostRecord() + kRecordSize);
  return copy;
}

bool pluginFieldsSet(const unsigned char* object) {
  const std::uint32_t table = get(object, 0);
  bool set = table != 0 && table != wordOf(hostRecordTable) && get(object, 4) == 0 && get(object, 8) == 0 &&
             get(object, kOwnWord) == 0 && get(object, kLastWord) == 0;
  for (std::uint32_t c : {kCallbackA, kCallbackB}) {
    set = set && get(object, c) != 0 && get(object, c) != wordOf(hostCallbackTable);
    for (std::uint32_t o = 4; o < 32; o += 4) set = set && get(object, c + o) == 0;
  }
  return set;
}

void THISCALL hostRecordConstruct(unsigned char* object) {
  trace(std::string("host record construct ") + (pluginFieldsSet(object) ? "after" : "before") + " plugin fields");
  if (++failures.constructSeen == failures.constructAt) {
    trace("host record construct raising");
    ULONG_PTR info[3] = {0x19930520u, 0, 0};
    RaiseException(0xE06D7363u, EXCEPTION_NONCONTINUABLE, 3, info);
  }
  put(object, kOwnWord, constructorWord(kOwnWord));
  for (std::uint32_t o = kHostPart; o < kCallbackA; o += 4) put(object, o, constructorWord(o));
  const std::uint32_t adjust[2] = {kAdjustA, kAdjustB};
  const std::uint32_t callbacks[2] = {kCallbackA, kCallbackB};
  for (int i = 0; i < 2; ++i) {
    put(object, callbacks[i] + kCallbackAdjust, adjust[i]);
    put(object, callbacks[i] + kCallbackFunction, addressOf(&hostRecordCallback));
    put(object, callbacks[i] + kCallbackObject, wordOf(object));
  }
}

bool sameBytes(const unsigned char* a, const unsigned char* b, std::uint32_t from, std::uint32_t to) {
  return std::memcmp(a + from, b + from, to - from) == 0;
}

std::string tableKind(unsigned char* object) {
  const std::uint32_t table = get(object, 0);
  if (table == 0) return "zero";
  if (table == wordOf(hostRecordTable)) return "host";
  using Slot = std::uint32_t(THISCALL*)(void*, std::uint32_t, std::uint32_t, std::uint32_t);
  const auto slot = reinterpret_cast<Slot>(static_cast<std::uintptr_t>(get(pointer(table), 0)));
  return slot != nullptr && slot(object, 1, 2, 3) == 0 ? "plugin" : "other";
}

std::string callbackKind(unsigned char* object, std::uint32_t callback, std::uint32_t adjust) {
  const std::uint32_t table = get(object, callback);
  if (table == 0) return "zero";
  if (table == wordOf(hostCallbackTable)) return "host";
  const auto invoke = get(pointer(table), 4);
  if (invoke == 0) return "other";
  callbackTarget = nullptr;
  reinterpret_cast<void(THISCALL*)(void*)>(static_cast<std::uintptr_t>(invoke))(object + callback);
  return callbackTarget == object + adjust ? "own" : "other";
}

std::string restKind(const unsigned char* object) {
  bool own = get(object, kOwnWord) == constructorWord(kOwnWord);
  for (std::uint32_t o = kHostPart; o < kCallbackA; o += 4) own = own && get(object, o) == constructorWord(o);
  if (own) return "own";
  return sameBytes(object, hostRecord(), kOwnWord, kCallbackA) ? "host" : "other";
}

void readSites() {
  std::vector<std::uint32_t> copies;
  for (int k = 0; k < 3; ++k) {
    for (int i = 0; i < kSiteCount[k]; ++i) {
      const std::uint32_t site = kSites[k][i];
      const std::uint32_t read = runOperandSite(site);
      char head[48];
      std::snprintf(head, sizeof head, "record copy %06x list %d ", static_cast<unsigned>(site), k);
      if (read == wordOf(hostRecord()) || read == 0) {
        trace(std::string(head) + (read == 0 ? "reads null" : "reads host record"));
        continue;
      }
      std::size_t id = 0;
      while (id < copies.size() && copies[id] != read) ++id;
      if (id == copies.size()) copies.push_back(read);
      unsigned char* copy = pointer(read);
      const unsigned char* host = hostRecord();
      const bool fields = get(copy, 4) == get(host, 4) && get(copy, 8) == get(host, 8) &&
                          sameBytes(copy, host, kBlock, kBlock + kBlockSize) && get(copy, kLastWord) == get(host, kLastWord);
      trace(std::string(head) + "copy " + std::to_string(id) + " table " + tableKind(copy) + " fields " +
            (fields ? "host" : "other") + " rest " + restKind(copy) + " callbacks " +
            callbackKind(copy, kCallbackA, kAdjustA) + " " + callbackKind(copy, kCallbackB, kAdjustB));
    }
  }
  trace(std::string("host record ") +
        (std::memcmp(hostRecord(), paintedRecord().data(), kRecordSize) == 0 ? "unchanged" : "altered"));
}

}  // namespace

std::vector<AddressEntry> recordCopyEntries() {
  (void)paintedRecord();
  std::vector<AddressEntry> rows = {{EntryKind::global, kRecordGlobal, "hostRecord", wordOf(hostRecord())},
                                    {EntryKind::function, kConstruct, "recordConstruct", addressOf(&hostRecordConstruct)}};
  for (int k = 0; k < 3; ++k) {
    for (int i = 0; i < kSiteCount[k]; ++i) {
      rows.push_back({EntryKind::operand, kSites[k][i], "recordCopySite", kRecordGlobal, {0xA1}, 1});
    }
  }
  return rows;
}

bool failsRecordCopyAllocation(std::uint32_t bytes) {
  return bytes == kRecordSize && ++failures.mallocSeen == failures.mallocAt;
}

bool runRecordCopyStep(const std::string& step, std::istream& in) {
  if (step != "recordcopies") return false;
  std::string what;
  in >> what;
  if (what == "failmalloc") {
    in >> failures.mallocAt;
  } else if (what == "failconstruct") {
    in >> failures.constructAt;
  } else if (what == "read") {
    readSites();
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
