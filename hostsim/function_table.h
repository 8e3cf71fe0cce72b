#pragma once
// A host object's table of functions, as the simulated host lays them out: every slot holds the
// function that reports an unexpected call, except the slots the host's objects are known to
// serve. The table lives as long as the process.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace hostsim {

inline std::uint32_t* functionTable(std::size_t slots, std::uint32_t unexpected,
                                    std::initializer_list<std::pair<std::size_t, std::uint32_t>> known) {
  auto* table = new std::uint32_t[slots];
  std::fill_n(table, slots, unexpected);
  for (const auto& [slot, function] : known) table[slot] = function;
  return table;
}

}  // namespace hostsim
