#pragma once
// The declarative table from which the simulated host paints its address region: host function
// entries, call sites, globals. Each later need of the plugin adds rows here.
#include <cstdint>
#include <vector>

namespace hostsim {

enum class EntryKind {
  function,  // a JMP at the address to the handler
  callSite,  // a fragment whose CALL operand sits at the address, calling `target`
  global,    // a 32-bit word at the address holding `value`
};

struct AddressEntry {
  EntryKind kind;
  std::uint32_t address;
  const char* name;
  std::uint32_t value;  // handler or target address, or the global's value
};

// The rows, with the objects behind the globals created on first use.
const std::vector<AddressEntry>& addressTable();

// Writes every row into the region and makes the code pages execute-read.
void paintRegion();

// Runs the call site named in the table with 32-bit arguments and `self` in ECX.
std::uint32_t runCallSite(std::uint32_t siteAddress, const std::vector<std::uint32_t>& args,
                          std::uint32_t self = 0);

}  // namespace hostsim
