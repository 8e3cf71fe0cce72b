// The centring offset and the service overtime, on plain values.
#include <gtest/gtest.h>

#include "plugin/gui/menu_centre_offset.h"
#include "plugin/gui/service_overtime.h"

using namespace kvl::gui;

TEST(MenuValues, CentreOffset) {
  struct Case {
    std::uint32_t screen;
    std::int32_t width;
    float offset;
  } cases[] = {{1920, 1440, 240.0f}, {1024, 1024, 0.0f}, {800, 1024, -112.0f}, {1281, 1280, 0.5f}, {0, 0, 0.0f}};
  for (const Case& c : cases) EXPECT_EQ(centreOffsetFor(c.screen, c.width), c.offset) << c.screen << " " << c.width;
}

TEST(MenuValues, ServiceOvertime) {
  struct Case {
    float seconds, value;
  } cases[] = {{-30.0f, 0.0f}, {59.0f, 0.0f}, {0.0f, 0.0f}, {60.0f, 10.0f}, {119.0f, 10.0f}, {120.0f, 20.0f},
               {150.0f, 20.0f}};
  for (const Case& c : cases) EXPECT_EQ(serviceOvertimeValue(c.seconds), c.value) << c.seconds;
}
