#pragma once
// The host's rally table (seven built-in 232-byte event records and the pointer to the table in
// use) and its stage table (a 41164-byte object with 14 stage entries, one marked selected).
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

struct HostRallyRecord {
  static constexpr std::size_t kSize = 232;
  static constexpr std::size_t kCount = 7;
  // Host 0x5D68E0: the host's initialiser run on one record; returns the record.
  static void* reset(void* record);
  // The two words the host's repair list reads back: value A at +148 (the crew's mechanics) and
  // value B at +144 (their skill). The rally event's own notes put the mechanics at +144, but the
  // record's layout and the host's read of it both have the skill first, so we follow the host.
  static void setValueA(void* record, std::int32_t v) noexcept { fieldAt<std::int32_t>(record, 148) = v; }
  static void setValueB(void* record, std::int32_t v) noexcept { fieldAt<std::int32_t>(record, 144) = v; }
};

void* hostRallyTable();  // host global 0x7D60CC

struct HostRallyTable {
  static void* builtInRecords(void* table) noexcept;
  // Stores a new active table and returns the one it replaced.
  static void* exchangeActive(void* table, void* records) noexcept;
};

void* hostStageTable();  // host global 0x7D6128

struct HostStageTable {
  static constexpr std::size_t kSize = 41164;
  static constexpr std::size_t kEntries = 14;
  static constexpr std::size_t kFirstEntry = 36;
  static constexpr std::size_t kEntrySize = 2316;
  static constexpr std::size_t kMarkOffset = 2260;  // 0 selected, -1 not
  static constexpr std::size_t kWordOffset = 2312;  // the word the host maps to a stage

  static void* selectedEntry(void* table);                             // host 0x5CFFD0
  static std::int32_t stageOfEntryWord(void* table, std::int32_t word);  // host 0x5CF250
  static void* record(void* table, std::int32_t index);                // host 0x5D0300
  static void* entry(void* table, std::int32_t index);                 // host 0x5CF490
  // Marks the first entry that stands for the stage as selected and every other as not; entry 0
  // when none does.
  static void selectEntry(void* table, std::int32_t stage);
};

struct HostStageEntry {
  static std::int32_t key(const void* entry) noexcept { return fieldAt<std::int32_t>(entry, 0); }
};

// A copy of the stage table in a block of the plugin's own; restore copies it back and frees
// it (a null copy changes nothing).
std::uint8_t* copyHostStageTable(const void* table);
void restoreHostStageTable(void* table, std::uint8_t* saved) noexcept;

}  // namespace kvl::host
