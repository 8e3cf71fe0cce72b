#include "plugin/host/model/host_rally_tables.h"

#include <cstring>

#include "plugin/host/binding/call_through.h"

namespace kvl::host {
namespace {

void* pointerAt(const void* object, std::size_t offset) noexcept {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(object, offset)));
}

}  // namespace

void* HostRallyRecord::reset(void* record) {
  hostFunction<0x5D68E0, void*(QZR_THISCALL*)(void*)>()(record);
  return record;
}

void* hostRallyTable() { return hostGlobal<0x7D60CC, void*>(); }

void* HostRallyTable::builtInRecords(void* table) noexcept { return pointerAt(table, 796); }

void* HostRallyTable::exchangeActive(void* table, void* records) noexcept {
  void* previous = pointerAt(table, 792);
  fieldAt<HostWord>(table, 792) = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(records));
  return previous;
}

void* hostStageTable() { return hostGlobal<0x7D6128, void*>(); }

void* HostStageTable::selectedEntry(void* table) {
  return hostFunction<0x5CFFD0, void*(QZR_THISCALL*)(void*)>()(table);
}

std::int32_t HostStageTable::stageOfEntryWord(void* table, std::int32_t word) {
  return hostFunction<0x5CF250, std::int32_t(QZR_THISCALL*)(void*, std::int32_t)>()(table, word);
}

void* HostStageTable::record(void* table, std::int32_t index) {
  return hostFunction<0x5D0300, void*(QZR_THISCALL*)(void*, std::int32_t)>()(table, index);
}

void* HostStageTable::entry(void* table, std::int32_t index) {
  return hostFunction<0x5CF490, void*(QZR_THISCALL*)(void*, std::int32_t)>()(table, index);
}

void HostStageTable::selectEntry(void* table, std::int32_t stage) {
  bool selected = false;
  for (std::size_t k = 0; k < kEntries; ++k) {
    void* e = addressAt(table, kFirstEntry + kEntrySize * k);
    fieldAt<std::int32_t>(e, kMarkOffset) = -1;
    if (!selected && stageOfEntryWord(table, fieldAt<std::int32_t>(e, kWordOffset)) == stage) {
      fieldAt<std::int32_t>(e, kMarkOffset) = 0;
      selected = true;
    }
  }
  if (!selected) fieldAt<std::int32_t>(addressAt(table, kFirstEntry), kMarkOffset) = 0;
}

std::uint8_t* copyHostStageTable(const void* table) {
  auto* block = new std::uint8_t[HostStageTable::kSize];
  std::memcpy(block, table, HostStageTable::kSize);
  return block;
}

void restoreHostStageTable(void* table, std::uint8_t* saved) noexcept {
  if (saved == nullptr) return;
  std::memcpy(table, saved, HostStageTable::kSize);
  delete[] saved;
}

}  // namespace kvl::host
