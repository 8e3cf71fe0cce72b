#include "plugin/host/model/host_service.h"

#include <cstring>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/guarded_call.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/binding/vtable_clone.h"
#include "plugin/host/model/host_car_state.h"
#include "plugin/host/model/host_rally_tables.h"
#include "plugin/host/model/service_repair_maths.h"
#include "plugin/physics/host_car.h"

namespace kvl::host {
namespace {

constexpr std::int32_t kWheelPartIds[] = {106, 126, 146, 166};
constexpr std::int32_t kWheelPartPartIds[] = {105, 125, 145, 165};

void* pointerAt(const void* object, std::size_t offset) noexcept {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(object, offset)));
}
HostWord wordOf(const void* p) noexcept { return static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(p)); }

// The stage-table index of the running event: the game modes' pending word (host global
// 0x165FA90, +1940).
std::int32_t pendingStageIndex() {
  const void* modes = hostGlobal<0x165FA90, void*>();
  return modes == nullptr ? 0 : fieldAt<std::int32_t>(modes, 1940);
}

// Clones of the host's entry tables, made once.
struct EntryClones {
  void* generic[2];
  void* wheel[2];
  void* wheelPart[2];
  void* released[1];
};

void QZR_THISCALL releasedSlot(void*, std::uint32_t) noexcept {}

EntryClones& clones() {
  static EntryClones c = [] {
    EntryClones made{};
    VtableClone clone;
    clone.setTarget(made.generic);
    clone.copyFrom(HostAddress(0x739C1C).resolve(), 8);
    clone.setTarget(made.wheel);
    clone.copyFrom(HostAddress(0x739D88).resolve(), 8);
    clone.exchangeSlot(0, reinterpret_cast<void*>(&WheelEntry::condition));
    clone.exchangeSlot(4, reinterpret_cast<void*>(&WheelEntry::repair));
    clone.setTarget(made.wheelPart);
    clone.copyFrom(HostAddress(0x739CC0).resolve(), 8);
    clone.exchangeSlot(0, reinterpret_cast<void*>(&WheelPartEntry::condition));
    clone.setTarget(made.released);
    clone.copyFrom(HostAddress(0x73947C).resolve(), 4);
    clone.exchangeSlot(0, reinterpret_cast<void*>(&releasedSlot));
    return made;
  }();
  return c;
}

using EntryConstructor = void(QZR_THISCALL*)(void*, std::int32_t, std::int32_t);

// A 16-byte entry from the host runtime's allocator, built by the host constructor of its kind;
// null when the allocation fails.
void* buildEntry(EntryConstructor construct, void* const* kindTable, std::int32_t partId, std::int32_t wheel) {
  void* entry = hostRuntimeAlloc(16);
  if (entry == nullptr) return nullptr;
  fieldAt<HostWord>(entry, 0) = wordOf(clones().generic);
  const bool built = runGuarded([&] { construct(entry, partId, wheel); }, GuardCatch::memoryFaultsAndHostExceptions);
  fieldAt<HostWord>(entry, 0) = wordOf(built ? kindTable : clones().generic);
  return entry;
}

// The slot is the one of the part id the entry was built for: a host constructor that failed
// leaves the entry's own +4 word unset.
void putEntry(void* partTable, std::int32_t partId, void* entry) {
  if (entry == nullptr) return;
  auto& slot = fieldAt<HostWord>(partTable, 8 + 4 * static_cast<std::size_t>(partId));
  if (slot != 0) {
    void* old = reinterpret_cast<void*>(static_cast<std::uintptr_t>(slot));
    fieldAt<HostWord>(old, 0) = wordOf(clones().generic);
    hostRuntimeRelease(old);
  }
  slot = wordOf(entry);
}

HostCarState* servicedCar(void* partTable) noexcept { return static_cast<HostCarState*>(pointerAt(partTable, 4)); }

}  // namespace

void* hostService() { return hostGlobal<0x7D2AF4, void*>(); }

float HostService::workTime(void* service) { return hostFunction<0x5B11C0, float(QZR_THISCALL*)(void*)>()(service); }
std::int32_t HostService::elapsedCount(void* service) {
  return hostFunction<0x5B0590, std::int32_t(QZR_THISCALL*)(void*)>()(service);
}
std::int32_t HostService::hostActionB(void* service) {
  return hostFunction<0x5AFE00, std::int32_t(QZR_THISCALL*)(void*)>()(service);
}
std::int32_t HostService::isWorking(void* service) {
  return hostFunction<0x5B1360, std::int32_t(QZR_THISCALL*)(void*)>()(service);
}

void* HostService::findEntry(void* service, std::int32_t partId) noexcept {
  const auto count = fieldAt<std::int32_t>(service, 0);
  auto* entries = static_cast<std::uint8_t*>(pointerAt(service, 4));
  for (std::int32_t i = 0; entries != nullptr && i < count; ++i) {
    void* entry = entries + kRepairEntrySize * static_cast<std::size_t>(i);
    if (fieldAt<std::int32_t>(entry, 4) == partId) return entry;
  }
  return nullptr;
}

void HostService::buildRepairList(void* service, const char* repairFile) {
  hostFunction<0x5B16F0, void(QZR_THISCALL*)(void*, const char*)>()(service, repairFile);

  const auto count = fieldAt<std::int32_t>(service, 0);
  auto* entries = static_cast<std::uint8_t*>(pointerAt(service, 4));
  for (std::int32_t i = 0; entries != nullptr && i < count; ++i) {
    auto& id = fieldAt<std::int32_t>(entries + kRepairEntrySize * static_cast<std::size_t>(i), 4);
    if (id == 115) id = 125;
    if (id == 116) id = 126;
  }

  void* record = HostStageTable::record(hostStageTable(), pendingStageIndex());
  // The record's first word of the two is the skill (+144), its second the mechanics (+148).
  const std::int32_t skill = record == nullptr ? 0 : fieldAt<std::int32_t>(record, 144);
  const std::int32_t mechanics = record == nullptr ? 0 : fieldAt<std::int32_t>(record, 148);
  const RepairTimes times = repairTimesFor(mechanics, skill);
  for (std::int32_t partId : {106, 126, 146, 166, 105, 125, 145, 165}) {
    void* entry = findEntry(service, partId);
    if (entry == nullptr || fieldAt<float>(entry, 60) > 0.0f) continue;
    fieldAt<float>(entry, 60) = times.longTime;
    fieldAt<float>(entry, 68) = times.longTime;
    fieldAt<float>(entry, 56) = times.shortTime;
    fieldAt<float>(entry, 64) = times.shortTime;
  }
}

void HostService::refreshWheelParts(void* service) {
  hostFunction<0x5AFE40, void(QZR_THISCALL*)(void*)>()(service);
  void* partTable = pointerAt(service, 20);
  if (partTable == nullptr) return;
  const auto wheelConstructor = hostFunction<0x501960, EntryConstructor>();
  const auto wheelPartConstructor = hostFunction<0x501010, EntryConstructor>();
  for (std::int32_t w = 0; w < 4; ++w) {
    putEntry(partTable, kWheelPartIds[w], buildEntry(wheelConstructor, clones().wheel, kWheelPartIds[w], w));
  }
  for (std::int32_t w = 0; w < 4; ++w) {
    putEntry(partTable, kWheelPartPartIds[w], buildEntry(wheelPartConstructor, clones().wheelPart, kWheelPartPartIds[w], w));
  }
}

std::int32_t HostService::finish(void* service) {
  void* parts = partList(service);
  const std::int32_t count = HostPartList::count(parts);
  for (std::int32_t i = 0; i < count; ++i) {
    if (void* part = HostPartList::at(parts, i)) hostFunction<0x5B03A0, void(QZR_THISCALL*)(void*)>()(part);
  }

  if (void* partTable = pointerAt(service, 20)) {
    std::uint8_t wheels[4 * HostCarState::kWheelRecordSize];
    HostCarState* car = servicedCar(partTable);
    if (car != nullptr) std::memcpy(wheels, HostCarState::wheelRecord(car, 0), sizeof wheels);
    hostFunction<0x4F2BB0, void(QZR_THISCALL*)(void*)>()(partTable);
    if (car != nullptr) std::memcpy(HostCarState::wheelRecord(car, 0), wheels, sizeof wheels);

    callHostSlot(partTable, 0);
    fieldAt<HostWord>(partTable, 0) = wordOf(clones().released);
    hostRuntimeRelease(partTable);
    fieldAt<HostWord>(service, 20) = 0;
  }
  return hostFunction<0x5B1140, std::int32_t(QZR_THISCALL*)(void*)>()(service);
}

std::int32_t HostPartList::count(void* list) {
  return hostFunction<0x5AFDE0, std::int32_t(QZR_THISCALL*)(void*)>()(list);
}
void* HostPartList::at(void* list, std::int32_t index) {
  return hostFunction<0x5AFDB0, void*(QZR_THISCALL*)(void*, std::int32_t)>()(list, index);
}

void* hostServiceClock() { return hostGlobal<0x7D2AF8, void*>(); }

void HostServiceClock::setTime(void* clock, float seconds) {
  hostFunction<0x5B0050, void(QZR_THISCALL*)(void*, float)>()(clock, seconds);
}
std::int32_t HostServiceClock::advance(void* clock, float elapsedSeconds) {
  return hostFunction<0x5B1640, std::int32_t(QZR_THISCALL*)(void*, float)>()(clock, elapsedSeconds);
}

std::int32_t QZR_THISCALL WheelEntry::condition(void* entry, void* carState) noexcept {
  const auto w = fieldAt<std::int32_t>(entry, 12) & 3;
  float values[8];
  std::memcpy(values, HostCarState::wheelRecord(static_cast<HostCarState*>(carState), w), sizeof values);
  return wheelCondition(values);
}

void QZR_THISCALL WheelEntry::repair(void* entry, void* carState) noexcept {
  const auto w = fieldAt<std::int32_t>(entry, 12) & 3;
  physics::FloatOctet::fill(reinterpret_cast<float*>(HostCarState::wheelRecord(static_cast<HostCarState*>(carState), w)),
                            0.0f);
}

std::int32_t QZR_THISCALL WheelPartEntry::condition(void* entry, void* carState) noexcept {
  const auto w = fieldAt<std::int32_t>(entry, 12) & 3;
  return wheelConditionOfMean(
      physics::averageOfEightAt20(HostCarState::wheelPartRecord(static_cast<HostCarState*>(carState), w)));
}

}  // namespace kvl::host
