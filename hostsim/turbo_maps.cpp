#include "hostsim/turbo_maps.h"

#include <cstdint>
#include <cstdio>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kCompressorCount = 156, kCompressorList = 160, kTurbineCount = 164, kTurbineList = 168;

// The host's points: (flow, ratio, efficiency).
float compressor[3][3];
float turbine[2][3];

}  // namespace

void readTurboMaps(unsigned char* engine) {
  const float c[3][3] = {{0.0f, 1.0f, 0.6f}, {0.5f, 2.0f, 0.7f}, {1.0f, 3.0f, 0.65f}};
  const float t[2][3] = {{0.0f, 0.5f, 0.6f}, {1.0f, 1.5f, 0.7f}};
  for (int i = 0; i < 3; ++i) {
    for (int k = 0; k < 3; ++k) compressor[i][k] = c[i][k];
  }
  for (int i = 0; i < 2; ++i) {
    for (int k = 0; k < 3; ++k) turbine[i][k] = t[i][k];
  }
  put(engine, kCompressorCount, std::int32_t{3});
  put(engine, kCompressorList, wordOf(compressor));
  put(engine, kTurbineCount, std::int32_t{2});
  put(engine, kTurbineList, wordOf(turbine));
}

bool runTurboMapStep(const std::string& step, std::istream&) {
  if (step != "turbomaps") return false;
  char text[128];
  std::snprintf(text, sizeof text, "turbo maps compressor %g %g %g turbine %g %g", compressor[0][1], compressor[1][1],
                compressor[2][1], turbine[0][1], turbine[1][1]);
  trace(text);
  return true;
}

}  // namespace hostsim
