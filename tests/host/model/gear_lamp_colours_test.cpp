#include <gtest/gtest.h>

#include "plugin/host/model/gear_lamp_colours.h"

using namespace kvl::host;

namespace {
const char* name(const LampColour& c) {
  if (c.alpha < 1.0f) return c.red == 0 && c.green == 0 && c.blue == 0 ? "dim" : "?";
  if (c.blue != 0) return "?";
  if (c.red == 1 && c.green == 1) return "yellow";
  if (c.red == 1 && c.green == 0) return "red";
  if (c.red == 0 && c.green == 1) return "green";
  return "?";
}
}  // namespace

TEST(GearLampColours, StagesByTheDistanceToTheShiftPoint) {
  const struct {
    float distance, step;
    const char* first;
    const char* second;
  } cases[] = {
      {1001, 200, "dim", "dim"},     {1000, 200, "green", "dim"},  {801, 200, "green", "dim"},
      {800, 200, "green", "green"},  {601, 200, "green", "green"}, {600, 200, "yellow", "green"},
      {201, 200, "yellow", "yellow"}, {200, 200, "red", "yellow"},  {26, 200, "red", "yellow"},
      {25, 200, "red", "red"},       {-300, 200, "red", "red"},    {60, 10, "dim", "dim"},
      {15, 10, "yellow", "yellow"},    {10, 10, "red", "red"},
  };
  for (const auto& c : cases) {
    const LampColours colours = lampColours(c.distance, c.step);
    EXPECT_STREQ(name(colours.first), c.first) << c.distance << " / " << c.step;
    EXPECT_STREQ(name(colours.second), c.second) << c.distance << " / " << c.step;
  }
}
