#pragma once
// The car setup's sixteen differential maps: eleven points each, from +108 of the differential
// block at +1696, 176 bytes apart. Which map carries which key is the host's own; the load pass
// must leave every one of them as the host read it.
//   diffranges FEATURES  the setup ranges' Features word (+3640); the car gets its engine,
//                        gearbox and differential block (+2128)
//   diffmaps fill        every map point takes a value of its own, 1.5 + (11 x map + point) / 100,
//                        outside every lock-percentage range
//   diffmaps check       traces "diffmaps changed N": the map points that no longer hold it
#include <istream>
#include <string>

namespace hostsim {

bool runDifferentialMapStep(const std::string& step, std::istream& in);

}  // namespace hostsim
