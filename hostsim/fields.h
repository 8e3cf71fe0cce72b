#pragma once
// Fields of the simulated host's objects at byte offsets, and rows for host function entries.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "hostsim/address_table.h"
#include "hostsim/host_words.h"
#include "hostsim/stray_words.h"

namespace hostsim {

inline unsigned char* pointer(std::uint32_t word) {
  return reinterpret_cast<unsigned char*>(static_cast<std::uintptr_t>(word));
}

template <typename T = std::uint32_t>
T get(const void* object, std::uint32_t offset) {
  T value;
  std::memcpy(&value, static_cast<const unsigned char*>(object) + offset, sizeof value);
  return value;
}

// The host's own write: a watched object's baseline takes it (hostsim/stray_words.h).
template <typename T>
void put(void* object, std::uint32_t offset, T value) {
  hostWrite(static_cast<unsigned char*>(object) + offset, &value, sizeof value);
}

// A zero-terminated text in a field of `bytes` bytes at `offset` (cut to fit, the rest zeros), as
// the host's own write.
inline void putText(void* object, std::uint32_t offset, std::size_t bytes, const char* text) {
  std::vector<char> field(bytes, '\0');
  const std::size_t n = std::min(std::strlen(text), bytes - 1);
  std::memcpy(field.data(), text, n);
  hostWrite(static_cast<unsigned char*>(object) + offset, field.data(), bytes);
}

// Three floats from `offset` (a row of a frame, a vector), as the host's own write.
inline void putRow(void* object, std::uint32_t offset, float x, float y, float z) {
  put(object, offset, x);
  put(object, offset + 4, y);
  put(object, offset + 8, z);
}

struct FunctionRow {
  std::uint32_t address;
  const char* name;
  std::uint32_t handler;
};

// One host function entry (a jump to its handler) per row.
inline void appendFunctions(std::vector<AddressEntry>& rows, std::initializer_list<FunctionRow> functions) {
  for (const FunctionRow& f : functions) rows.push_back({EntryKind::function, f.address, f.name, f.handler});
}

}  // namespace hostsim
