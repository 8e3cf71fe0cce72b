#include <gtest/gtest.h>

#include "plugin/host/model/menu_width.h"

using kvl::host::menuWidthFor;

TEST(MenuWidth, StandardModesKeepTheScreenWidthOthersGetFourThirdsOfTheHeight) {
  const struct {
    std::uint32_t w, h, expected;
  } cases[] = {
      {1024, 768, 1024}, {640, 480, 640},   {1280, 1024, 1280},  // standard modes
      {1920, 1080, 1440}, {2560, 1080, 1440},                    // wide screens
      {1600, 1200, 1600},                                        // 1600 + 2, capped by w
      {1280, 960, 1280},                                         // 1280 + 2, capped by w
      {1024, 600, 802},                                          // 800 + 2
      {800, 1080, 800},                                          // taller than 4:3: capped by w
  };
  for (const auto& c : cases) EXPECT_EQ(menuWidthFor(c.w, c.h), c.expected) << c.w << " x " << c.h;
}
