#include "plugin/physics/models/differential_menu_values.h"

#include <gtest/gtest.h>

namespace kvl::physics {
namespace {

MenuRangeInputs carRanges() {
  MenuRangeInputs in;
  in.leftFootThreshold[1] = 0.5f;
  in.mapRange[0] = 0.1f, in.mapRange[1] = 0.9f, in.mapRange[2] = 0.05f;
  in.secondMapRange[0] = 2.0f, in.secondMapRange[1] = 3.0f, in.secondMapRange[2] = 0.5f;
  return in;
}

void expectRange(const MenuRange& r, float minimum, float maximum, float step, const char* what) {
  EXPECT_FLOAT_EQ(r.minimum, minimum) << what;
  EXPECT_FLOAT_EQ(r.maximum, maximum) << what;
  EXPECT_FLOAT_EQ(r.step, step) << what;
}

TEST(DifferentialMenuValues, SlotKinds) {
  struct Case {
    std::int32_t features;
    std::uint32_t centreMax, frontMax, rearMax;
    float leftFoot;
    std::array<int, 4> kinds;
  } cases[] = {
      {0, 0, 0, 0, 0.5f, {1, 1, 1, 1}},
      {0x1310, 0, 0, 0, 0.5f, {1, 1, 3, 1}},
      {0x0057, 0, 0, 0, 0.5f, {5, 2, 0, 0}},
      {0x1310, 0, 0, 0, 0.0f, {1, 0, 3, 1}},
      {0, 0, 60, 100, 0.5f, {2, 2, 4, 1}},
      {0, 50, 0, 150, 0.5f, {4, 2, 2, 1}},
      {0, 100, 100, 1, 0.0f, {1, 0, 1, 4}},
  };
  for (const Case& c : cases) {
    MenuRangeInputs in = carRanges();
    in.features = c.features;
    in.lockPct[0][1] = c.centreMax, in.lockPct[1][1] = c.frontMax, in.lockPct[2][1] = c.rearMax;
    in.leftFootThreshold[1] = c.leftFoot;
    EXPECT_EQ(menuSlotKinds(in), c.kinds) << std::hex << c.features << std::dec << " " << c.centreMax;
  }
}

TEST(DifferentialMenuValues, WithoutLocksEveryPointOffersTheMapRange) {
  const MenuValues v = differentialMenuValues(carRanges());
  expectRange(v[0][0][0], 0.1f, 0.9f, 0.05f, "map 0");
  expectRange(v[3][1][10], 0.1f, 0.9f, 0.05f, "map 1");
  expectRange(v[1][2][4], 2.0f, 3.0f, 0.5f, "map 2");
  expectRange(v[2][3][7], 0.1f, 0.9f, 0.05f, "map 3 of a plain slot");
  MenuRangeInputs noLeftFoot = carRanges();
  noLeftFoot.leftFootThreshold[1] = 0.0f;
  expectRange(differentialMenuValues(noLeftFoot)[1][3][0], 0, 0, 0, "map 3 without a left-foot threshold");
}

TEST(DifferentialMenuValues, LockPercentagesLimitThePoints) {
  MenuRangeInputs in = carRanges();
  in.lockPct[0][0] = 20, in.lockPct[0][1] = 100;  // centre: plain slot
  in.lockPct[1][0] = 10, in.lockPct[1][1] = 60;   // front: partial lock (kind 4)
  in.lockPct[2][0] = 30, in.lockPct[2][1] = 30;   // rear: kind 4, no step
  const MenuValues v = differentialMenuValues(in);
  expectRange(v[0][1][5], 0.2f, 1.0f, 0.05f, "centre, every point");
  expectRange(v[2][0][0], 0.1f, 0.6f, 0.05f, "front point 0");
  for (int m : {0, 1, 3}) expectRange(v[2][m][3], 0, 0, 0, "front point 3");
  expectRange(v[2][2][3], 2.0f, 3.0f, 0.5f, "front point 3 of map 2");
  expectRange(v[3][0][0], 0.3f, 0.3f, 0.0f, "rear point 0");
  expectRange(v[1][0][0], 0.2f, 1.0f, 0.05f, "left-foot slot of a plain centre");
}

TEST(DifferentialMenuValues, KindFiveOffersOnlyItsFirstMap) {
  MenuRangeInputs in = carRanges();
  in.features = 0x0057;
  in.lockPct[0][0] = 40, in.lockPct[0][1] = 250;
  const MenuValues v = differentialMenuValues(in);
  expectRange(v[0][0][0], 0.4f, 1.0f, 0.05f, "centre map 0");
  expectRange(v[0][1][0], 0, 0, 0, "centre map 1");
  expectRange(v[0][0][1], 0, 0, 0, "centre point 1");
}

}  // namespace
}  // namespace kvl::physics
