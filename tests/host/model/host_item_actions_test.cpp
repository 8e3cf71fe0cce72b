#include <cstring>

#include <gtest/gtest.h>

#include "plugin/host/model/host_item_actions.h"

using kvl::host::HostItemActions;

namespace {
HostItemActions table(std::uint8_t count) {
  HostItemActions t;
  std::memset(&t, 0, sizeof t);
  t.count = count;
  for (int i = 0; i < 8; ++i) t.itemIds[i] = static_cast<std::uint8_t>(10 + i);
  t.itemIds[5] = 11;  // a second action for item 11
  return t;
}
}  // namespace

TEST(HostItemActions, BindsTheFirstActionOfTheItem) {
  HostItemActions t = table(8);
  HostItemActions::bind(&t, 11, 0x1000, 0x40000001, 0x2000);
  EXPECT_EQ(t.values[1], 0x01);
  EXPECT_EQ(t.objects[1], 0x1000u);
  EXPECT_EQ(t.functions[1], 0x2000u);
  EXPECT_EQ(t.highMask, 0x02);
  EXPECT_EQ(t.functions[5], 0u) << "only the first match";
  HostItemActions::bind(&t, 11, 0x1000, 0x40000000, 0x2000);
  EXPECT_EQ(t.highMask, 0x00) << "exactly 0x40000000 clears the bit";
  HostItemActions::bind(&t, 17, 0x3000, -5, 0x4000);
  EXPECT_EQ(t.highMask, 0x00) << "a negative value is not above";
  EXPECT_EQ(t.values[7], 0xFB);
}

TEST(HostItemActions, UnknownItemsAndCountsBeyondTheTableChangeNothing) {
  for (std::uint8_t count : {std::uint8_t{0}, std::uint8_t{3}, std::uint8_t{200}}) {
    HostItemActions t = table(count);
    const HostItemActions before = t;
    HostItemActions::bind(&t, 99, 1, 1, 1);  // no such item
    HostItemActions::bind(&t, 14, 1, 1, 1);  // beyond a count of 3 (or 0)
    if (count > 4) {
      EXPECT_EQ(t.functions[4], 1u) << "count " << int(count);
      t.functions[4] = t.objects[4] = t.values[4] = 0;
    }
    EXPECT_EQ(std::memcmp(&t, &before, sizeof t), 0) << "count " << int(count);
  }
  HostItemActions::bind(nullptr, 1, 1, 1, 1);
}
