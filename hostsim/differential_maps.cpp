#include "hostsim/differential_maps.h"

#include <cstdint>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/fields.h"

namespace hostsim {
namespace {

constexpr int kMaps = 16, kPoints = 11;

std::uint32_t valueOffset(int map, int point) { return 1696 + 108 + 176 * map + 16 * point + 12; }
float fillValue(int map, int point) { return 1.5f + static_cast<float>(kPoints * map + point) / 100.0f; }

}  // namespace

bool runDifferentialMapStep(const std::string& step, std::istream& in) {
  if (step == "diffranges") {
    std::uint32_t features = 0;
    in >> features;
    put(carSetupRangesObject(), 3640, features);
    put(hostCarObject(), 2128, wordOf(carObject("gearbox")));
  } else if (step == "diffmaps") {
    std::string what;
    in >> what;
    int changed = 0;
    for (int m = 0; m < kMaps; ++m) {
      for (int j = 0; j < kPoints; ++j) {
        if (what == "fill") put(carSetupObject(), valueOffset(m, j), fillValue(m, j));
        else if (get<float>(carSetupObject(), valueOffset(m, j)) != fillValue(m, j)) ++changed;
      }
    }
    if (what != "fill") trace("diffmaps changed " + std::to_string(changed));
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
