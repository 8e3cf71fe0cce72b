#pragma once
// The engine data's turbo maps as the host reads them with a car: a compressor map and a turbine
// map, each a list of 12-byte points (three floats) the engine data points at (compressor count
// +156 and list +160, turbine count +164 and list +168). Every reading of a car file writes the
// host's values afresh.
#include <istream>
#include <string>

namespace hostsim {

void readTurboMaps(unsigned char* engine);

// Scenario step (false for any other):
//   turbomaps   traces "turbo maps compressor A B C turbine D E", each point's second float
bool runTurboMapStep(const std::string& step, std::istream& in);

}  // namespace hostsim
