#pragma once
// The host's display set-up: the window it creates (style word at 0x40B383, Korvala.ini
// [Settings] XRes, YRes, Fullscreen), its graphics object (constructor call at 0x4C18FB, host
// table 0x78E7C4) and the code that reads the screen's aspect ratio in the host and Spindle3D.DLL.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

constexpr std::uint32_t kWindowStyleSite = 0x40B383;
constexpr std::uint32_t kGraphicsConstructSite = 0x4C18FC;  // operand of the CALL at 0x4C18FB
constexpr std::uint32_t kGraphicsConstructor = 0x40AE60;
constexpr std::uint32_t kGraphicsDestructor = 0x40E890;
constexpr std::uint32_t kGraphicsTable = 0x78E7C4;
constexpr std::uint32_t kGraphicsTableSlots = 13;
constexpr std::uint32_t kAspectHalfRatioData = 0x60050000;  // Spindle3D's own half ratio

void appendDisplayRows(std::vector<AddressEntry>& rows);

// Scenario steps:
//   window      the host creates its window: traces its size, mode and the style it uses
//   graphics    the host builds its graphics object through the call site, runs its slot 4 and
//               traces the present interval fields, then destroys the object
// false for any other step.
bool runDisplayStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
