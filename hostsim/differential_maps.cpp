#include "hostsim/differential_maps.h"

#include <cstdint>
#include <cstdio>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/fields.h"

namespace hostsim {
namespace {

// The twelve maps of the engine, gearbox and differential block: centre, left-foot centre, front
// and rear sets of throttle (+16 a point), brake (+16) and speed (+32) maps, eleven points each.
constexpr int kMaps = 12, kPoints = 11;
constexpr std::uint32_t kMapStart[kMaps] = {440, 616, 808, 1144, 1320, 1512, 1848, 2024, 2216, 2552, 2728, 2920};

std::uint32_t pointOffset(int map, int point) {
  return kMapStart[map] + static_cast<std::uint32_t>(point) * (map % 3 == 2 ? 32u : 16u);
}

}  // namespace

bool runDifferentialMapStep(const std::string& step, std::istream& in) {
  if (step == "diffranges") {
    std::uint32_t features = 0;
    in >> features;
    put(carSetupRangesObject(), 3640, features);
    put(hostCarObject(), 2128, wordOf(carObject("gearbox")));
  } else if (step == "diffmaps") {
    // "diffmaps fill V0 ... V11": every point of map m takes Vm; "diffmaps show": one line a map.
    std::string what;
    in >> what;
    unsigned char* block = carObject("gearbox");
    for (int m = 0; m < kMaps; ++m) {
      if (what == "fill") {
        float value = 0;
        in >> value;
        for (int j = 0; j < kPoints; ++j) put(block, pointOffset(m, j), value);
        continue;
      }
      std::string line = "diffmap " + std::to_string(m);
      for (int j = 0; j < kPoints; ++j) {
        char text[24];
        std::snprintf(text, sizeof text, " %g", static_cast<double>(get<float>(block, pointOffset(m, j))));
        line += text;
      }
      trace(line);
    }
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
