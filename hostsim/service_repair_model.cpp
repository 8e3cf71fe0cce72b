#include "hostsim/service_repair_model.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/rally_host.h"
#include "hostsim/service_page_model.h"
#include "hostsim/service_visit_model.h"
#include "hostsim/site_invoker.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kActionB = 0x5AFE00, kClockSetTime = 0x5B0050, kStageFolder = 0x47C7D0;
constexpr std::uint32_t kRepairListBuild = 0x5B16F0, kStageRecord = 0x5D0300, kWheelRefresh = 0x5AFE40;
constexpr std::uint32_t kWheelEntryConstruct = 0x501960, kWheelPartEntryConstruct = 0x501010;
constexpr std::uint32_t kServicedUpdate = 0x4F2BB0;
constexpr std::uint32_t kGenericTable = 0x739C1C, kWheelTable = 0x739D88, kWheelPartTable = 0x739CC0;
constexpr std::uint32_t kServicedTable = 0x73947C;

// The service: repair-list count +0 and entries +4, the part table +20. A repair entry is 84
// bytes: part id +4, work times +56, +60, +64, +68.
constexpr std::uint32_t kListCount = 0, kListEntries = 4, kServicePartTable = 20;
constexpr std::uint32_t kRepairEntrySize = 84, kRepairPartId = 4;
constexpr std::uint32_t kTimes[] = {56, 60, 64, 68};
// The part table: its class table +0, the serviced car's state +4, part id k's entry at +8 + 4k
// (slots for the ids up to 253, past every id a repair list holds).
constexpr std::uint32_t kServicedCar = 4, kFirstSlot = 8, kPartTableSize = 1024;
// A part entry (16 bytes): table +0, part id +4, wheel index +12.
constexpr std::uint32_t kPartEntrySize = 16, kEntryPartId = 4, kEntryWheel = 12;
// The serviced car's state: four 32-byte wheel records from +15620, four 56-byte wheel-part
// records from +15364 (their eight floats from +20).
constexpr std::uint32_t kWheelRecords = 15620, kWheelRecordSize = 32;
constexpr std::uint32_t kWheelPartRecords = 15364, kWheelPartRecordSize = 56, kWheelPartValues = 20;

constexpr std::int32_t kListIds[] = {115, 116, 106, 146, 166, 105, 145, 165, 200};
constexpr int kListLength = sizeof kListIds / sizeof kListIds[0];
constexpr std::int32_t kPartIds[] = {106, 126, 146, 166, 105, 125, 145, 165};

std::uint32_t patternAt(std::uint32_t offset) { return 0xFFA60000u | offset; }

struct Repair {
  std::int32_t actionB = 0;
  std::int32_t failingId = 0;  // the part whose next entry construction raises; 0 none
  // The host's repair list, built anew by each repair-list build.
  unsigned char* list = hostObject("repairlist", kListLength * kRepairEntrySize);
  unsigned char* partTable = nullptr;
  bool partTableFreed = false;
  unsigned char* car = nullptr;
  std::set<unsigned char*> entries;  // every part entry the part table has held
};
Repair& repair() {
  static Repair r;
  return r;
}

std::int32_t THISCALL actionB(void*) {
  trace("host service action B");
  return repair().actionB;
}
void THISCALL clockSetTime(unsigned char* clock, float seconds) {
  trace("host service clock set " + traceNumber(seconds));
  put(clock, 4, seconds);  // the remaining time
}
const char* THISCALL stageFolder(void*, std::int32_t key) {
  static char folder[64];
  std::snprintf(folder, sizeof folder, "Maps\\Stage%d\\", static_cast<int>(key));
  trace("host stage folder " + std::to_string(key));
  return folder;
}
void THISCALL buildRepairList(unsigned char* service, const char* path) {
  trace(std::string("host repair list from ") + path);
  Repair& r = repair();
  for (std::uint32_t o = 0; o < kListLength * kRepairEntrySize; o += 4) put(r.list, o, patternAt(o % kRepairEntrySize));
  for (int i = 0; i < kListLength; ++i) {
    unsigned char* e = r.list + i * kRepairEntrySize;
    put(e, kRepairPartId, kListIds[i]);
    for (std::uint32_t t : kTimes) put(e, t, 0.0f);
    if (kListIds[i] == 146) {  // a time already set: kept
      for (int k = 0; k < 4; ++k) put(e, kTimes[k], 1.0f + static_cast<float>(k));
    }
    if (kListIds[i] == 165) put(e, kTimes[1], -1.0f);  // not above 0: not yet set
  }
  put(service, kListCount, std::int32_t{kListLength});
  put(service, kListEntries, wordOf(r.list));
}
// The record for an index is the one of the event table the host reads its events from; traced
// with the crew it holds, read the host's way.
unsigned char* THISCALL stageRecord(unsigned char* table, std::int32_t index) {
  unsigned char* record = pointer(get(rallyTable(), 792)) + kRallyRecordSize * static_cast<std::uint32_t>(index);
  trace("host stage record " + std::to_string(index) + (table == stageTable() ? "" : " of an unexpected table") + ", " +
        rallyRecordCrew(record));
  return record;
}
void THISCALL wheelRefresh(void*) { trace("host service wheel refresh"); }

// Two words of the host's generic entry table at the table word: what the plugin's copy holds.
bool holdsGenericSlots(std::uint32_t table) {
  return table != 0 && get(pointer(table), 0) == get(pointer(kGenericTable), 0) &&
         get(pointer(table), 4) == get(pointer(kGenericTable), 4);
}

void construct(const char* kind, std::uint32_t hostTable, unsigned char* entry, std::int32_t id, std::int32_t wheel) {
  trace(std::string("host ") + kind + " entry construct " + std::to_string(id) + " wheel " + std::to_string(wheel) +
        (holdsGenericSlots(get(entry, 0)) ? " over the generic table" : " over another table"));
  if (id == repair().failingId) {
    repair().failingId = 0;
    trace(std::string("host ") + kind + " entry construct raising");
    ULONG_PTR info[3] = {0x19930520u, 0, 0};
    RaiseException(0xE06D7363u, EXCEPTION_NONCONTINUABLE, 3, info);
  }
  put(entry, 0, hostTable);
  put(entry, kEntryPartId, id);
  put(entry, 8, 0x48u);
  put(entry, kEntryWheel, wheel);
}
void THISCALL constructWheelEntry(unsigned char* entry, std::int32_t id, std::int32_t wheel) {
  construct("wheel", kWheelTable, entry, id, wheel);
}
void THISCALL constructWheelPartEntry(unsigned char* entry, std::int32_t id, std::int32_t wheel) {
  construct("wheel-part", kWheelPartTable, entry, id, wheel);
}

// The host's own entry slots.
std::int32_t THISCALL genericSlot0(void*, void*) { return trace("host generic entry slot 0"), 0; }
std::int32_t THISCALL genericSlot1(void*, void*) { return trace("host generic entry slot 1"), 0; }
std::int32_t THISCALL wheelCondition(void*, void*) { return trace("host wheel entry slot 0"), 9; }
std::int32_t THISCALL wheelRepair(void*, void*) { return trace("host wheel entry slot 1"), 9; }
std::int32_t THISCALL wheelPartCondition(void*, void*) { return trace("host wheel-part entry slot 0"), 9; }
std::int32_t THISCALL wheelPartSlot1(void*, void*) { return trace("host wheel-part entry slot 1"), 9; }
void* THISCALL servicedDestroy(unsigned char* object, std::uint32_t flags) {
  trace(std::string("host serviced object destroy flags ") + std::to_string(flags) +
        (object == repair().partTable ? "" : " on another object"));
  return object;
}

void THISCALL servicedUpdate(unsigned char* partTable) {
  Repair& r = repair();
  trace(std::string("host serviced-object update ") + (partTable == r.partTable ? "on the part table" : "on another object"));
  // The host's update works the serviced car's wheel records over.
  for (std::uint32_t o = 0; o < 4 * kWheelRecordSize; o += 4) put(r.car, kWheelRecords + o, 7.0f);
}

void setFloats(unsigned char* at, std::initializer_list<float> values) {
  std::uint32_t o = 0;
  for (float v : values) put(at, o, v), o += 4;
}

// The serviced car's state: built by the host (its table word), its wheel records worn. Its other
// words are the host's, named nowhere.
unsigned char* servicedCar() {
  Repair& r = repair();
  if (r.car != nullptr) return r.car;
  r.car = hostObject("servicedcar", kCarStateSize);
  put(r.car, 0, carStateTableAddress());
  // Means 0.375, 0.5, 5 and 0.125; the wheel parts' 0.75, 1, 0 and 0.25.
  setFloats(r.car + kWheelRecords, {0.0f, 0.75f, 0.0f, 0.75f, 0.0f, 0.75f, 0.0f, 0.75f});
  setFloats(r.car + kWheelRecords + 32, {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f});
  setFloats(r.car + kWheelRecords + 64, {5.0f, 5.0f, 5.0f, 5.0f, 5.0f, 5.0f, 5.0f, 5.0f});
  setFloats(r.car + kWheelRecords + 96, {0.125f, 0.125f, 0.125f, 0.125f, 0.125f, 0.125f, 0.125f, 0.125f});
  const float parts[4] = {0.75f, 1.0f, 0.0f, 0.25f};
  for (std::uint32_t w = 0; w < 4; ++w) {
    unsigned char* values = r.car + kWheelPartRecords + kWheelPartRecordSize * w + kWheelPartValues;
    for (std::uint32_t k = 0; k < 8; ++k) put(values, 4 * k, parts[w]);
  }
  return r.car;
}

unsigned char* slotEntry(std::int32_t id) {
  Repair& r = repair();
  if (r.partTable == nullptr || r.partTableFreed) return nullptr;
  return pointer(get(r.partTable, kFirstSlot + 4 * static_cast<std::uint32_t>(id)));
}

std::string slotName(std::uint32_t slot) {
  if (slot == addressOf(&genericSlot0) || slot == addressOf(&genericSlot1)) return "generic";
  if (slot == addressOf(&wheelCondition) || slot == addressOf(&wheelRepair)) return "host wheel";
  if (slot == addressOf(&wheelPartCondition) || slot == addressOf(&wheelPartSlot1)) return "host wheel-part";
  return "plugin";
}

std::string tableName(std::uint32_t table) {
  if (table == kWheelTable || table == kWheelPartTable || table == kGenericTable) return "the host's table";
  return "a table with slots " + slotName(get(pointer(table), 0)) + ", " + slotName(get(pointer(table), 4));
}

// A word of a part entry, "unset" while it still holds the runtime allocator's pattern.
std::string entryWord(const unsigned char* e, std::uint32_t offset) {
  return get(e, offset) == patternWord(offset) ? "unset" : std::to_string(get<std::int32_t>(e, offset));
}

// The part table of the car being serviced: its class table, the serviced car, and a slot per part
// id, which holds the host's own entry for two of the parts the plugin replaces and no entry for
// every other id.
void layOutPartTable() {
  Repair& r = repair();
  r.partTable = hostObject("parttable", kPartTableSize);
  r.partTableFreed = false;
  put(r.partTable, 0, kServicedTable);
  put(r.partTable, kServicedCar, wordOf(servicedCar()));
  for (std::uint32_t o = kFirstSlot; o < kPartTableSize; o += 4) put(r.partTable, o, 0u);
  for (std::int32_t id : {106, 105}) {
    unsigned char* e = hostObject("partentry", kPartEntrySize);
    put(e, 0, id == 106 ? kWheelTable : kWheelPartTable);
    put(e, kEntryPartId, id);
    put(e, 8, 0x48u);
    put(e, kEntryWheel, std::int32_t{0});
    put(r.partTable, kFirstSlot + 4 * static_cast<std::uint32_t>(id), wordOf(e));
    r.entries.insert(e);
  }
  put(serviceObject(), kServicePartTable, wordOf(r.partTable));
}

void traceAfterService(const unsigned char* wheelsBefore) {
  Repair& r = repair();
  const unsigned char* service = serviceObject();
  if (pointer(get(service, kListEntries)) == r.list) {
    for (int i = 0; i < get<std::int32_t>(service, kListCount) && i < kListLength; ++i) {
      const unsigned char* e = r.list + i * kRepairEntrySize;
      std::string line = "host repair entry " + std::to_string(get<std::int32_t>(e, kRepairPartId)) + ":";
      for (std::uint32_t t : kTimes) line += " +" + std::to_string(t) + " " + traceNumber(get<float>(e, t));
      int others = 0;
      for (std::uint32_t o = 0; o < kRepairEntrySize; o += 4) {
        const bool named = o == kRepairPartId || o == 56 || o == 60 || o == 64 || o == 68;
        if (!named && get(e, o) != patternAt(o)) ++others;
      }
      trace(line + ", " + std::to_string(others) + " other words changed");
    }
  }
  if (r.partTableFreed) {
    trace(std::string("host service part table ") + (get(service, kServicePartTable) == 0 ? "cleared" : "still set"));
    trace(std::string("host serviced car's wheel records ") +
          (std::memcmp(wheelsBefore, r.car + kWheelRecords, 4 * kWheelRecordSize) == 0 ? "kept" : "changed"));
    return;
  }
  for (std::int32_t id : kPartIds) {
    unsigned char* e = slotEntry(id);
    if (e == nullptr) {
      trace("host part " + std::to_string(id) + " none");
      continue;
    }
    r.entries.insert(e);
    trace("host part " + std::to_string(id) + " entry " + tableName(get(e, 0)) + ", id " + entryWord(e, kEntryPartId) +
          " wheel " + entryWord(e, kEntryWheel));
  }
}

}  // namespace

void noteRuntimeFree(void* block) {
  Repair& r = repair();
  auto* b = static_cast<unsigned char*>(block);
  if (b == nullptr) return;
  if (b == r.partTable && !r.partTableFreed) {
    r.partTableFreed = true;
    const std::uint32_t table = get(b, 0);
    const std::uint32_t slot0 = table == 0 ? 0 : get(pointer(table), 0);
    const std::uint32_t args[] = {0};
    SiteOutcome outcome;
    if (slot0 != 0 && slot0 != addressOf(&servicedDestroy)) hostsimCallMember(&outcome, pointer(slot0), args, 1, wordOf(b));
    trace(std::string("host part table freed, its table slot 0 ") +
          (slot0 == addressOf(&servicedDestroy) ? "the host's destructor"
                                                : "another routine, stack words left " + std::to_string(outcome.stackBytesLeft / 4)));
    return;
  }
  if (r.entries.erase(b) == 0) return;
  trace("host part entry " + std::to_string(get<std::int32_t>(b, kEntryPartId)) + " freed with " +
        (holdsGenericSlots(get(b, 0)) ? "the generic table" : tableName(get(b, 0))));
}

void appendServiceRepairRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {
                            {kActionB, "serviceActionB", addressOf(&actionB)},
                            {kClockSetTime, "serviceClockSetTime", addressOf(&clockSetTime)},
                            {kStageFolder, "stageFolder", addressOf(&stageFolder)},
                            {kRepairListBuild, "repairListBuild", addressOf(&buildRepairList)},
                            {kStageRecord, "stageRecord", addressOf(&stageRecord)},
                            {kWheelRefresh, "serviceWheelRefresh", addressOf(&wheelRefresh)},
                            {kWheelEntryConstruct, "wheelEntryConstruct", addressOf(&constructWheelEntry)},
                            {kWheelPartEntryConstruct, "wheelPartEntryConstruct", addressOf(&constructWheelPartEntry)},
                            {kServicedUpdate, "servicedObjectUpdate", addressOf(&servicedUpdate)},
                        });
  const std::pair<std::uint32_t, std::uint32_t> slots[] = {
      {kGenericTable, addressOf(&genericSlot0)},        {kGenericTable + 4, addressOf(&genericSlot1)},
      {kWheelTable, addressOf(&wheelCondition)},        {kWheelTable + 4, addressOf(&wheelRepair)},
      {kWheelPartTable, addressOf(&wheelPartCondition)}, {kWheelPartTable + 4, addressOf(&wheelPartSlot1)},
      {kServicedTable, addressOf(&servicedDestroy)},
  };
  for (const auto& s : slots) rows.push_back({EntryKind::global, s.first, "serviceEntryTable", s.second});
}

bool runServiceRepairStep(const std::string& step, std::istream& in) {
  Repair& r = repair();
  if (step == "serviceactionb") {
    in >> r.actionB;
    return true;
  }
  if (step == "failentry") {
    in >> r.failingId;
    return true;
  }
  if (step == "repairservice") {
    const unsigned char* page = lastServiceObject("entered page");
    const std::uint32_t action = page == nullptr ? 0 : get(page, 40);
    if (action == 0) {
      trace("host repair service without a page action");
      return true;
    }
    layOutPartTable();
    unsigned char wheelsBefore[4 * kWheelRecordSize];
    std::memcpy(wheelsBefore, servicedCar() + kWheelRecords, sizeof wheelsBefore);
    put(serviceObject(), kListCount, std::int32_t{0});
    put(serviceObject(), kListEntries, 0u);
    SiteOutcome outcome;
    hostsimCallMember(&outcome, pointer(action), nullptr, 0, 0);
    trace("host page action stack words left " + std::to_string(outcome.stackBytesLeft / 4));
    traceAfterService(wheelsBefore);
    return true;
  }
  if (step == "servicepart") {
    std::int32_t id = 0;
    std::uint32_t slot = 0;
    in >> id >> slot;
    unsigned char* e = slotEntry(id);
    if (e == nullptr || slot > 1) {
      trace("host part " + std::to_string(id) + " has no entry");
      return true;
    }
    const std::uint32_t fn = get(pointer(get(e, 0)), 4 * slot);
    const std::uint32_t args[] = {wordOf(servicedCar())};
    SiteOutcome outcome;
    const auto result = static_cast<std::int32_t>(hostsimCallMember(&outcome, pointer(fn), args, 1, wordOf(e)));
    // Slot 1 of a wheel entry (the repair) gives nothing back.
    trace("host part " + std::to_string(id) + " slot " + std::to_string(slot) +
          (slot == 0 ? " result " + std::to_string(result) : std::string()) + " stack words left " + std::to_string(outcome.stackBytesLeft / 4) + " registers " +
          (outcome.registersKept != 0 ? "kept" : "changed"));
    return true;
  }
  return false;
}

}  // namespace hostsim
