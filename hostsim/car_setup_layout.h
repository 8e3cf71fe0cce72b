#pragma once
// The host's car-setup values object (5888 bytes, global 0x7ECD00) and setup-ranges object
// (22096 bytes, global 0x7ECD04) as the host lays them out: each block a 12-byte header (its
// class table and two words) followed by whole parameter objects (a table word, two header words,
// the value; a vector parameter's x, y and z from +16 and a fourth word at +28). Every word that
// is not a parameter's value holds a sentinel of its own, so that a write into a table word, a
// header, padding or a vector's fourth word shows.
//
// Scenario steps:
//   setupwords fill    every value word of both objects takes the left-over 0x3F3F3F3F that a
//                      previous car leaves
//   setupwords check   traces, per block, "setup words OBJECT BLOCK host words changed N[ first
//                      +OFFSET] values cleared C of V" (OFFSET within the object), then
//                      "setup words host words changed N in all"
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace hostsim {

// The setup-values object's read slot; its class table starts one slot before.
constexpr std::uint32_t kSetupValuesSlot = 0x72ED2C;

// A block of the setup ranges whose class's read slot the host calls when it reads a car (the
// class table starts one slot before the slot).
struct SetupRangeBlock {
  std::uint32_t slot;
  std::uint32_t offset;  // within the setup ranges
  std::string name;
};
const std::vector<SetupRangeBlock>& setupRangeBlocks();

// Lays the objects out: the setup values' value words hold a previous car's left-overs
// (0x3F3F3F3F), the ranges' value words 0.
void layOutCarSetup(unsigned char* setup);
void layOutCarSetupRanges(unsigned char* ranges);

bool runSetupLayoutStep(const std::string& step, std::istream& in);

}  // namespace hostsim
