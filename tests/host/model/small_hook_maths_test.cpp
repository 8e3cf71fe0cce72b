#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "plugin/host/model/small_hook_maths.h"

using namespace kvl::host;

TEST(SmallHookMaths, SignOf) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    float value;
    int sign;
  } cases[] = {{0.0f, 0}, {-0.0f, 0}, {-1e-30f, -1}, {1e-30f, 1}, {-3.5f, -1}, {2.0f, 1},
               {std::numeric_limits<float>::infinity(), 1}, {nan, 1}, {-nan, -1}};
  for (const auto& c : cases) EXPECT_EQ(signOf(&c.value), c.sign) << c.value;
}

TEST(SmallHookMaths, MaterialTableIndex) {
  struct Case {
    float a, b;
    unsigned index;
  } cases[] = {
      {1.0f, 1.0f, 255},        {-0.5f, 0.03f, 0},       {0.999f, 0.0625f, 16 + 15},
      {0.0f, 0.0f, 0},          {0.0624f, 0.0f, 0},      {0.0625f, 0.0f, 1},
      {100.0f, -100.0f, 15},    {std::nanf(""), 0.5f, 8 * 16}, {0.5f, 2e9f, 15 * 16 + 8},
  };
  for (const auto& c : cases) EXPECT_EQ(materialTableIndex(c.a, c.b), c.index) << c.a << " " << c.b;
}

TEST(SmallHookMaths, ListedCodes) {
  for (unsigned code : {1u, 2u, 94u, 157u, 199u, 254u}) EXPECT_TRUE(isListedCode(code)) << code;
  for (unsigned code : {0u, 4u, 95u, 200u, 255u, 256u, 0x101u}) EXPECT_FALSE(isListedCode(code)) << code;
}
