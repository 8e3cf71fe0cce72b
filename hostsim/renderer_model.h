#pragma once
// The host's menu renderer (held by the game object at +92), recording the calls it gets and
// ending the run on a call of a slot it has no known function in, and the race object with the
// engine speed, gear and lamp positions of the driving display, whose drawing code the plugin
// enters at four places.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "hostsim/address_table.h"

namespace hostsim {

constexpr std::uint32_t kGameMenuRendererOffset = 92;

void appendRendererRows(std::vector<AddressEntry>& rows);

// Scenario steps (false for any other step):
//   car RPM GEAR       the race's engine speed and gear index
//   enginedata LIMIT   the host car's engine data (behind +2128): rev limit LIMIT (+392), every
//                      other word 6500.0; "enginedata off": the car has no engine data
//   dashboard X Y      the race gets a dashboard layout with float base X Y (no step: none)
//   lampset N          the player's lamp set (0 the first, otherwise the second)
//   lamps [N]          the host draws its driving display through lamp place N (0 to 3, default
//                      0): traces the registers, the x87 control word, the x87 stack top and
//                      MXCSR as the host finds them afterwards
bool runRendererStep(const std::string& step, std::istream& arguments);

}  // namespace hostsim
