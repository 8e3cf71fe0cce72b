#include "hostsim/rally_host.h"

#include <cstring>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_words.h"
#include "hostsim/host_objects.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kRallyTableGlobal = 0x7D60CC, kStageTableGlobal = 0x7D6128;
constexpr std::uint32_t kRallyRecordReset = 0x5D68E0, kStageOfEntryWord = 0x5CF250;
constexpr std::uint32_t kCarStateConstruct = 0x4EF410, kCarStateAssign = 0x4EC470;
constexpr std::uint32_t kCarStateHostCall = 0x4EBFB0, kCarStateQuery = 0x4EC0D0;
constexpr std::uint32_t kSetMode = 0x5666E0;
constexpr std::uint32_t kPlayerRecordsOffset = 3224, kPlayerRecordCount = 6;
constexpr std::uint32_t kStageEntries = 14, kFirstEntry = 36, kEntrySize = 2316, kMark = 2260, kEntryWord = 2312;

std::int32_t get(const unsigned char* at, std::uint32_t offset) {
  std::int32_t v;
  std::memcpy(&v, at + offset, 4);
  return v;
}

// The host's car-state class: slot 0 destroys in place, slot 3 (+12) resets, slot 4 (+16)
// refreshes.
void* THISCALL carStateDestroy(unsigned char* record, std::uint32_t flags) {
  trace("host carState destroy " + std::to_string(flags));
  put(record, 0, 0);
  return record;
}
void* THISCALL carStateReset(unsigned char* record) {
  trace("host carState reset");
  std::memset(record + 4, 0, kCarStateSize - 4);
  hostWrote(record + 4, kCarStateSize - 4);
  return record;
}
void* THISCALL carStateRefresh(unsigned char* record) { return record; }
void* carStateTable[5] = {reinterpret_cast<void*>(&carStateDestroy), nullptr, nullptr,
                          reinterpret_cast<void*>(&carStateReset), reinterpret_cast<void*>(&carStateRefresh)};

void* THISCALL carStateConstruct(unsigned char* record) {
  trace("host carState construct");
  std::memset(record, 0, kCarStateSize);
  hostWrote(record, kCarStateSize);
  put(record, 0, static_cast<std::int32_t>(carStateTableAddress()));
  return record;
}
void* THISCALL carStateAssign(unsigned char* record, const unsigned char* source) {
  trace("host carState assign");
  std::memmove(record + 4, source + 4, kCarStateSize - 4);
  hostWrote(record + 4, kCarStateSize - 4);
  return record;
}
void* THISCALL carStateHostCall(unsigned char* record, std::int32_t value) {
  trace("host carState call " + std::to_string(value));
  return record;
}
std::int32_t THISCALL carStateQuery(unsigned char* record) { return get(record, 8); }

void* THISCALL rallyRecordReset(unsigned char* record) {
  std::memset(record, 0, kRallyRecordSize);
  hostWrote(record, kRallyRecordSize);
  return record;
}
std::int32_t THISCALL stageOfEntryWord(void*, std::int32_t word) { return word; }
void THISCALL setMode(void*, std::int32_t mode) { trace("host setMode " + std::to_string(mode)); }

// The wheel records of a car state: four of 32 bytes (eight floats each) from +15620, four of 56
// bytes from +15364 with their eight floats from +20.
constexpr std::uint32_t kWheelRecords = 15620, kWheelRecordSize = 32;
constexpr std::uint32_t kWheelPartRecords = 15364, kWheelPartRecordSize = 56, kWheelPartValues = 20;

// The player records: six car states from +16 (the hand-over writes records 0, 4 and 5), each
// built by the host: its table word, and its wheels unworn. The array's first 16 bytes and the
// records' other words are the host's, named nowhere.
unsigned char* playerRecords() {
  static unsigned char* records = [] {
    unsigned char* r = hostObject("playerrecords", 16 + kPlayerRecordCount * kCarStateSize);
    for (std::uint32_t i = 0; i < kPlayerRecordCount; ++i) {
      unsigned char* record = r + 16 + i * kCarStateSize;
      put(record, 0, static_cast<std::int32_t>(carStateTableAddress()));
      for (std::uint32_t o = 0; o < 4 * kWheelRecordSize; o += 4) put(record, kWheelRecords + o, 0.0f);
      for (std::uint32_t w = 0; w < 4; ++w) {
        unsigned char* values = record + kWheelPartRecords + kWheelPartRecordSize * w + kWheelPartValues;
        for (std::uint32_t k = 0; k < 8; ++k) put(values, 4 * k, 0.0f);
      }
    }
    return r;
  }();
  return records;
}

}  // namespace

std::uint32_t carStateTableAddress() { return wordOf(carStateTable); }

unsigned char* playerRecord(int i) { return playerRecords() + 16 + i * kCarStateSize; }

// The host's seven built-in event records, each with its service crew; their other words are the
// host's, named nowhere.
unsigned char* builtInRallyRecords() {
  static unsigned char* records = [] {
    unsigned char* r = hostObject("rallyrecords", 7 * kRallyRecordSize);
    for (std::uint32_t i = 0; i < 7; ++i) {
      put(r + i * kRallyRecordSize, kRallyRecordSkill, static_cast<std::int32_t>(1 + i % 5));
      put(r + i * kRallyRecordSize, kRallyRecordMechanics, static_cast<std::int32_t>(1 + i % 6));
    }
    return r;
  }();
  return records;
}

// The rally table: the active table of event records at +792, the built-in one at +796.
unsigned char* rallyTable() {
  static unsigned char* table = [] {
    unsigned char* t = hostObject("rallytable", 800);
    put(t, 792, static_cast<std::int32_t>(wordOf(builtInRallyRecords())));
    put(t, 796, static_cast<std::int32_t>(wordOf(builtInRallyRecords())));
    return t;
  }();
  return table;
}

// The stage table: fourteen entries from +36, each with its selection mark and the word the host
// maps to a stage; the table's other words are the host's, named nowhere.
unsigned char* stageTable() {
  static unsigned char* table = [] {
    unsigned char* t = hostObject("stagetable", kStageTableSize);
    for (std::uint32_t k = 0; k < kStageEntries; ++k) {
      unsigned char* e = t + kFirstEntry + k * kEntrySize;
      put(e, kMark, k == 0 ? 0 : -1);
      put(e, kEntryWord, static_cast<std::int32_t>(10 + k));  // entry k stands for stage 10 + k
    }
    put(t + kFirstEntry + 9 * kEntrySize, kEntryWord, 14);  // entries 4 and 9 both stand for stage 14
    return t;
  }();
  return table;
}

std::string rallyRecordCrew(const unsigned char* record) {
  return "mechanics " + std::to_string(get(record, kRallyRecordMechanics)) + " skill " +
         std::to_string(get(record, kRallyRecordSkill));
}

int selectedStageEntry() {
  int selected = -1;
  for (std::uint32_t k = 0; k < kStageEntries; ++k) {
    if (get(stageTable() + kFirstEntry + k * kEntrySize, kMark) == 0) {
      if (selected >= 0) return -1;
      selected = static_cast<int>(k);
    }
  }
  return selected;
}

std::vector<AddressEntry> rallyHostEntries() {
  put(hostObjects().gameModes, kPlayerRecordsOffset, static_cast<std::int32_t>(wordOf(playerRecords())));
  return {
      {EntryKind::global, kRallyTableGlobal, "rallyTable", wordOf(rallyTable())},
      {EntryKind::global, kStageTableGlobal, "stageTable", wordOf(stageTable())},
      {EntryKind::function, kRallyRecordReset, "rallyRecordReset", addressOf(&rallyRecordReset)},
      {EntryKind::function, kStageOfEntryWord, "stageOfEntryWord", addressOf(&stageOfEntryWord)},
      {EntryKind::function, kCarStateConstruct, "carStateConstruct", addressOf(&carStateConstruct)},
      {EntryKind::function, kCarStateAssign, "carStateAssign", addressOf(&carStateAssign)},
      {EntryKind::function, kCarStateHostCall, "carStateHostCall", addressOf(&carStateHostCall)},
      {EntryKind::function, kCarStateQuery, "carStateQuery", addressOf(&carStateQuery)},
      {EntryKind::function, kSetMode, "setMode", addressOf(&setMode)},
  };
}

}  // namespace hostsim
