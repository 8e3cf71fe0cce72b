#pragma once
// Small helpers for the simulated host's models: 32-bit words of handlers and objects, fields at
// byte offsets, and rows for host function entries.
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

template <typename F>
std::uint32_t addressOf(F f) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(reinterpret_cast<void*>(f)));
}

inline std::uint32_t wordOf(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

inline unsigned char* pointer(std::uint32_t word) {
  return reinterpret_cast<unsigned char*>(static_cast<std::uintptr_t>(word));
}

template <typename T = std::uint32_t>
T get(const void* object, std::uint32_t offset) {
  T value;
  std::memcpy(&value, static_cast<const unsigned char*>(object) + offset, sizeof value);
  return value;
}

template <typename T>
void put(void* object, std::uint32_t offset, T value) {
  std::memcpy(static_cast<unsigned char*>(object) + offset, &value, sizeof value);
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
