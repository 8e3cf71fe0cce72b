#include <cmath>
#include <limits>
#include <new>

#include <gtest/gtest.h>

#include "plugin/host/model/host_param.h"

using namespace kvl::host;

namespace {
HostFloatParam param(float v) {
  HostFloatParam p;
  p.set(v);
  return p;
}
}  // namespace

TEST(HostParam, FloatEqualityWithinTheHostsTolerance) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    float a, b;
    bool equal;
  } cases[] = {
      {0.5f, 0.5f + std::ldexp(1.0f, -24), true},
      {1.0f, 1.0f + std::ldexp(1.0f, -23), false},  // from 1.0 upwards only exact equality
      {0.0f, std::ldexp(1.0f, -23), false},         // exactly 2^-23 apart
      {0.0f, -0.0f, true},
      {nan, nan, false},
      {nan, 1.0f, false},
  };
  for (const auto& c : cases) {
    const HostFloatParam a = param(c.a), b = param(c.b);
    EXPECT_EQ(HostFloatParam::equals(a, b), c.equal) << c.a << " " << c.b;
  }
  const HostFloatParam self = param(nan);
  EXPECT_TRUE(HostFloatParam::equals(self, self)) << "an object equals itself, even holding a NaN";
}

TEST(HostParam, ConstructionClearsTheWordsAndTheValue) {
  alignas(HostVectorParam) unsigned char memory[sizeof(HostVectorParam)];
  auto* header = reinterpret_cast<HostParamHeader*>(memory);
  header->word1 = header->word2 = 7;
  auto* p = new (memory) HostVectorParam();
  EXPECT_EQ(p->header.word1, 0u);
  EXPECT_EQ(p->header.word2, 0u);
  EXPECT_EQ(p->w, 0.0f);
  HostIntParam i;
  EXPECT_EQ(i.set(4).value(), 4);
  i.reset();
  EXPECT_EQ(i.value(), 0);
}
