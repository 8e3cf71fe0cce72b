#pragma once
// The host's car-parameter key tables: the descriptor through which the host's car-file parser
// finds its table of known keys, and the body key table that the plugin extends with its own
// keys.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// One known key: name pointer, a zero word, field index, a zero word.
struct HostKeyEntry {
  HostWord name;
  HostWord zero1;
  std::int32_t field;
  HostWord zero2;
};
QZR_HOST_LAYOUT_ASSERT(sizeof(HostKeyEntry) == 16, "key entry is 16 bytes");

struct HostKeyTableDescriptor {
  static void* setTable(void* descriptor, const void* table) noexcept;
  static void* setCount(void* descriptor, std::int32_t count) noexcept;
};

void* hostKeyTableDescriptor();  // host 0x1659AD8
void* hostBodyKeyTable();        // host 0x7CAF38, 134 entries

struct KeyAliasTable {
  // Points the entry's name at newName when it equals hostName exactly; true when it did.
  static bool rename(HostKeyEntry& entry, const char* hostName, const char* newName) noexcept;
};

// The plugin's body key table: the host's 134 entries, then the plugin's 15 rows.
constexpr std::size_t kHostBodyKeys = 134;
constexpr std::size_t kBodyKeys = 149;
// The plugin's 15 rows: "Bendable_01_QZR" .. "Bendable_15_QZR", field 17691 + 88k.
void fillPluginBodyKeys(HostKeyEntry* rows) noexcept;

// Copies the host's body keys into the plugin's table and points the descriptor at it, with the
// count 149; returns the descriptor.
void* extendBodyKeys();

}  // namespace kvl::host
