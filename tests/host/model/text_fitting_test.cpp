#include <gtest/gtest.h>

#include "plugin/host/model/text_fitting.h"

using kvl::host::fitText;

TEST(TextFitting, ShortensWithAnEllipsisUntilTheTextFits) {
  const auto width = [](const std::string& t) { return static_cast<float>(t.size()); };
  EXPECT_EQ(fitText("ABCDEFGHIJ", 10, width), "ABCDEFGHIJ") << "fits already";
  EXPECT_EQ(fitText("ABCDEFGHIJ", 7, width), "ABCD...");
  EXPECT_EQ(fitText("ABCDEFGHIJ", 9.5f, width), "ABCDEF...");
  EXPECT_EQ(fitText("ABCDEFGHIJ", 0, width), "A...") << "stops at four characters";
  EXPECT_EQ(fitText("ABC", 0, width), "ABC");
  EXPECT_EQ(fitText("", 0, width), "");
}
