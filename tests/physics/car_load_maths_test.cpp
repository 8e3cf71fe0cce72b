#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "plugin/physics/car_load_maths.h"

namespace kvl::physics {
namespace {

TEST(CarLoadMaths, TimeScaleAndRatio) {
  EXPECT_FLOAT_EQ(timeScaleFor(0.000714f), 1.0f);
  EXPECT_FLOAT_EQ(timeScaleFor(0.001428f), 0.5f);
  EXPECT_EQ(timeScaleFor(0), 1.0f);
  EXPECT_EQ(timeScaleFor(-1), 1.0f);
  float r[4] = {9, 2, 3, 4};
  updateRatio(r, 3);
  EXPECT_FLOAT_EQ(r[0], 2.0f);
  updateRatio(r, 0);
  EXPECT_EQ(r[0], 0.0f);
  float n[4] = {9, NAN, 3, 4};  // a NaN divisor counts as non-zero
  updateRatio(n, 1);
  EXPECT_TRUE(std::isnan(n[0]));
}

TEST(CarLoadMaths, TyreDerivedValues) {
  TyreDerived plain;
  for (int w = 0; w < 4; ++w) addWheel(plain, 0.305f, 0.01f);
  finish(plain);
  EXPECT_FLOAT_EQ(plain.a, 0.4f);
  EXPECT_FLOAT_EQ(plain.b, 0.15f);
  EXPECT_FLOAT_EQ(plain.c, 0.2f);

  TyreDerived d;
  addWheel(d, 0.4f, 0.02f);
  addWheel(d, 0.3f, 0.0f);  // not both above 0: the earlier wheel decides
  finish(d);
  EXPECT_FLOAT_EQ(*d.sum, 0.42f);
  EXPECT_FLOAT_EQ(d.a, 0.505f);
  EXPECT_FLOAT_EQ(d.b, 0.15f + 0.105f);
  EXPECT_FLOAT_EQ(d.c, 0.2f + 0.105f);

  TyreDerived none;
  finish(none);
  EXPECT_FALSE(none.sum);
  EXPECT_FLOAT_EQ(none.a, 0.4f);
}

TEST(CarLoadMaths, ForceFeedbackSensitivity) {
  EXPECT_STREQ(surfaceWord(2), "Snow");
  EXPECT_STREQ(surfaceWord(1), "Tarmac");
  EXPECT_STREQ(surfaceWord(7), "Gravel");
  struct Case {
    std::int32_t perCar, perSurface;
    float before, after;
  } cases[] = {
      {0, 100, 4, 4}, {0, 100, 0.5f, 1}, {50, 100, 4, 2}, {50, 300, 4, 2}, {0, 200, 4, 8}, {0, 0, 4, 4}, {-5, 25, 2, 1},
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(applySensitivity(c.before, sensitivityFactor(c.perCar, c.perSurface)), c.after) << c.perCar << " " << c.perSurface;
  }
}

TEST(CarLoadMaths, CarTableRescaleAndConvertedBlocks) {
  std::vector<std::uint8_t> table(kCarTableBytes, 0);
  auto at = [&](std::size_t o) -> float& { return *reinterpret_cast<float*>(table.data() + o); };
  at(136 * 63 + 120) = 2;
  at(8720 + 88 * 63) = 2;
  at(136 * 5 + 28) = 2;  // not a scaled word
  rescaleCarTable(table.data(), 0.5f);
  EXPECT_EQ(at(136 * 63 + 120), 1.0f);
  EXPECT_EQ(at(8720 + 88 * 63), 4.0f);
  EXPECT_EQ(at(136 * 5 + 28), 2.0f);

  // A block stays converted until the host reads a car file again, whatever is written into it.
  ConvertedBlocks blocks;
  EXPECT_FALSE(blocks.converted(table.data(), 0));
  blocks.remember(table.data(), 0);
  EXPECT_TRUE(blocks.converted(table.data(), 0));
  at(0) = 7;
  EXPECT_TRUE(blocks.converted(table.data(), 0));
  EXPECT_FALSE(blocks.converted(table.data(), 1));
  EXPECT_FALSE(blocks.converted(table.data() + 136, 0));
  blocks.remember(table.data(), 1);
  EXPECT_TRUE(blocks.converted(table.data(), 1));
}

}  // namespace
}  // namespace kvl::physics
