#pragma once
// The twelve differential maps of the car's engine, gearbox and differential block (behind the
// car's +2128): the centre, left-foot centre, front and rear sets of a throttle, a brake and a
// speed map, eleven points each (throttle from +440, +1144, +1848, +2552, 16 bytes a point; the
// brake map 176 bytes later; the speed map 192 bytes after that, 32 bytes a point).
//   diffranges FEATURES   the setup ranges' Features word (+3640); the car gets its engine,
//                         gearbox and differential block (+2128)
//   diffmaps fill V0..V11 every point of map m takes Vm
//   diffmaps show         traces "diffmap M P0 ... P10" for each map
#include <istream>
#include <string>

namespace hostsim {

bool runDifferentialMapStep(const std::string& step, std::istream& in);

}  // namespace hostsim
