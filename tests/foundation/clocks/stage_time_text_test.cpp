#include "plugin/foundation/texts/stage_time_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(StageTimeText, Forms) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float seconds;
    bool sign;
    const char* text;
  };
  const Case cases[] = {
      {0.0f, false, " --:--.---"},
      {0.0f, true, "+00:00.000"},
      {-0.0f, false, " --:--.---"},
      {-0.0f, true, "+00:00.000"},
      {83.5f, false, " 01:23.500"},
      {83.5f, true, "+01:23.500"},
      {-2.5f, false, "-00:02.500"},
      {-2.5f, true, "-00:02.500"},
      {6000.0f, false, " 100:00.000"},
      {4500.25f, false, " 75:00.250"},
      {59.999f, false, " 00:59.999"},
      {0.001f, true, "+00:00.001"},
      // Not a time: the unset form, never a crash or a number from an undefined conversion.
      {nan, false, " --:--.---"},
      {-nan, true, "---:--.---"},
      {inf, true, "+--:--.---"},
      {-inf, false, "---:--.---"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(kvl::stageTimeText(c.seconds, c.sign), c.text) << c.seconds << " sign " << c.sign;
  }
}

TEST(StageTimeText, MillisecondsMayFallShortByOne) {
  // 83.456 is not exact in float; a x 1000 may land just below 83456.
  const std::string text = kvl::stageTimeText(83.456f, false);
  EXPECT_TRUE(text == " 01:23.456" || text == " 01:23.455") << text;
}

TEST(StageTimeText, HugeTimesStayDefined) {
  const std::string text = kvl::stageTimeText(3.0e38f, false);
  EXPECT_EQ(text.substr(0, 12), " 4294967295:") << text;
}

}  // namespace
