#pragma once
// Words the host writes into the car while it drives, between two track initialisations, none of
// them a value of the car file: each wheel body's position (its transform at +752 of the body,
// the object at +52 of the wheel, holds the position from +16), the bodywork's two aero
// configurations (+15796 and +15804 of the car's table at +2548) as parts come off, the stage's
// surface (+17600 of the parameter block) for the next stage, and each tyre parameter record's
// camber grip values (+580..+608) as a camber step leaves them.
//
// Scenario step (false for any other):
//   carwords   writes those words: wheel w at (10 w + 1, 10 w + 2, 10 w + 3), configurations 1 and
//              2, surface 1 (tarmac), the camber values times 0.95
#include <istream>
#include <string>

namespace hostsim {

bool runCarRuntimeWordStep(const std::string& step, std::istream& in);

}  // namespace hostsim
