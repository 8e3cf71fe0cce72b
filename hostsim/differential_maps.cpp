#include "hostsim/differential_maps.h"

#include <cstdint>
#include <cstdio>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/fields.h"

namespace hostsim {
namespace {

const char* const kMaps[16] = {"CenterDiffThrottle", "CenterDiffBrake",   "CenterSpeedMap",    "LfCenterDiffThrottle",
                               "LfCenterDiffBrake",  "LfCenterSpeedMap",  "FrontDiffThrottle", "FrontDiffBrake",
                               "FrontSpeedMap",      "RearDiffThrottle",  "RearDiffBrake",     "RearSpeedMap",
                               "Spare12",            "Spare13",           "Spare14",           "Spare15"};

int mapIndex(const std::string& name) {
  for (int m = 0; m < 16; ++m) {
    if (name == kMaps[m]) return m;
  }
  return -1;
}

std::uint32_t valueOffset(int map, int point) { return 1696 + 108 + 176 * map + 16 * point + 12; }

}  // namespace

bool runDifferentialMapStep(const std::string& step, std::istream& in) {
  if (step == "diffmap") {
    std::string name;
    int point = 0;
    float value = 0;
    in >> name >> point >> value;
    const int m = mapIndex(name);
    if (m >= 0 && point >= 0 && point < 11) put(carSetupObject(), valueOffset(m, point), value);
  } else if (step == "diffranges") {
    std::uint32_t features = 0, lock[6] = {};
    float low = 0, high = 0;
    in >> features >> low >> high;
    for (std::uint32_t& l : lock) in >> l;
    unsigned char* ranges = carSetupRangesObject();
    put(ranges, 3640, features);
    put(ranges, 4840 + 12, low);  // the values of the differential range block's first two parameters
    put(ranges, 4856 + 12, high);
    for (int i = 0; i < 6; ++i) put(ranges, 3544 + 16 * i, lock[i]);
    put(hostCarObject(), 2128, wordOf(carObject("gearbox")));
  } else if (step == "diffmaps") {
    for (std::string name; in >> name;) {
      const int m = mapIndex(name);
      for (int j = 0; m >= 0 && j < 11; ++j) {
        const float v = get<float>(carSetupObject(), valueOffset(m, j));
        if (v == 0.0f) continue;
        char text[96];
        std::snprintf(text, sizeof text, "diffmap %s %d = %g", name.c_str(), j, static_cast<double>(v));
        trace(text);
      }
    }
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
