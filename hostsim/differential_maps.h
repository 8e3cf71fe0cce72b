#pragma once
// The car setup's sixteen differential maps (eleven points each, from +108 of the differential
// block at +1696, 176 bytes apart) in the host's order: centre throttle, brake and speed map, the
// left-foot centre set, front, rear, four spare maps; and the ranges the load pass checks them
// against.
//   diffmap NAME J VALUE         the setup's value of map NAME at point J
//   diffranges FEATURES LO HI CMIN CMAX FMIN FMAX RMIN RMAX
//                                the setup ranges' Features word and map-value range, and six
//                                values of the host's own in the integer parameters ahead of
//                                Features (their value words +3544 to +3624; the host's key table
//                                puts the renamed lock-percentage keys there, which the plugin
//                                cannot know and must not read); the car gets its engine,
//                                gearbox and differential block (+2128)
//   diffmaps NAME...             traces "diffmap NAME J = V" for the given maps' non-zero points
#include <istream>
#include <string>

namespace hostsim {

bool runDifferentialMapStep(const std::string& step, std::istream& in);

}  // namespace hostsim
