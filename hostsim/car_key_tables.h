#pragma once
// The host's car-physics key tables and the parser that reads a car file through them: lines
// "key value" under "[Section]" headers; each section names the table (through its descriptor
// where the host has one) and the parameter block it fills. A key's value lands at byte
// 12 + 4 x locator of the block: an int when the text has no '.', 'e' or letters, else a float.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

struct KeyTablePlace {
  const char* section;
  std::uint32_t table;       // the host table
  std::uint32_t count;       // its entries
  std::uint32_t descriptor;  // 0: the parser walks the host table itself
};
const std::vector<KeyTablePlace>& keyTablePlaces();

// Rows painting the host tables (16-byte entries) and the descriptors (+8 count, +12 table).
void appendKeyTableRows(std::vector<AddressEntry>& rows);

// The block a section's keys fill (wheel sections carry the wheel index).
using BlockFor = unsigned char* (*)(const std::string& section, int wheel);
// Parses the text; traces unknown keys and sections. Returns the number of values stored.
int parseCarFile(std::istream& text, BlockFor blockFor);

}  // namespace hostsim
