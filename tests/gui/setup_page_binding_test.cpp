// The host's differential-map pages bound to the setup value table, and the differentials page's
// torque rows relabelled by the car's Features (32-bit host layout; setup ranges in the host
// stand-in).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "plugin/gui/setup_menu_bindings.h"
#include "plugin/gui/setup_value_table.h"
#include "plugin/host/model/host_text.h"
#include "tests/support/host_fixture.h"

using kvl::gui::SetupValueTable;

namespace {

std::uint32_t word(const void* p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

// A differential-map page: 44 item pointers from +20, the mode at +196; items keep their range
// references at +20, +24 and +28.
struct Page {
  unsigned char bytes[200] = {};
  std::uint32_t items[44][8] = {};
  explicit Page(std::int32_t mode) {
    std::memcpy(bytes + 196, &mode, 4);
    for (int i = 0; i < 44; ++i) {
      const std::uint32_t item = i % 7 == 3 ? 0 : word(items[i]);  // some empty cells
      std::memcpy(bytes + 20 + 4 * i, &item, 4);
      items[i][5] = items[i][6] = items[i][7] = 0xAAAAAAAAu;
    }
  }
};

}  // namespace

TEST(SetupPageBinding, ItemsPointAtTheEntriesOfThePageMode) {
  for (std::int32_t mode : {0, 2, 3}) {
    Page page(mode);
    SetupValueTable::bindPageItems(page.bytes);
    for (int i = 0; i < 44; ++i) {
      if (i % 7 == 3) continue;
      const std::uint32_t minimum = word(SetupValueTable::entry(mode, i / 11, i % 11));
      EXPECT_EQ(page.items[i][5], minimum) << mode << " " << i;
      EXPECT_EQ(page.items[i][6], minimum + 16) << mode << " " << i;
      EXPECT_EQ(page.items[i][7], minimum + 32) << mode << " " << i;
    }
  }
  const auto first = word(SetupValueTable::entry(0, 0, 0));
  Page two(2);
  SetupValueTable::bindPageItems(two.bytes);
  EXPECT_EQ(two.items[0][5] - first, 88u * 48u);
  EXPECT_EQ(two.items[43][5] - first, 131u * 48u);
}

TEST(SetupPageBinding, OtherModesKeepTheHostRanges) {
  for (std::int32_t mode : {-1, 4, -2147483647 - 1}) {
    Page page(mode);
    SetupValueTable::bindPageItems(page.bytes);
    for (int i = 0; i < 44; ++i) EXPECT_EQ(page.items[i][5], 0xAAAAAAAAu) << mode << " " << i;
  }
  SetupValueTable::bindPageItems(nullptr);
}

TEST(SetupPageBinding, TorqueRowsFollowFeatures) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  static unsigned char ranges[4000];
  host.setGlobal(0x7ECD04, ranges);
  // The differentials page: item pointers from +20; an item holds at +36 the object whose label
  // record is at +8.
  struct Row {
    std::uint32_t item[10] = {};
    unsigned char holder[20] = {};
  } rows[5];
  unsigned char page[64] = {};
  for (int i = 0; i < 5; ++i) {
    rows[i].item[9] = word(rows[i].holder);
    const std::uint32_t item = word(rows[i].item);
    std::memcpy(page + 20 + 4 * i, &item, 4);
  }
  auto key = [&](int i) { return std::string(reinterpret_cast<kvl::host::HostText*>(rows[i].holder + 8)->key()); };
  const std::int32_t features[] = {0x0500, 0};
  const char* front[] = {"FrontDiffPreloadTorque", "CS_FDIF_TOR"};
  for (int c = 0; c < 2; ++c) {
    std::memcpy(ranges + 3640, &features[c], 4);
    kvl::gui::onDifferentialsPageShown(page);
    EXPECT_EQ(key(0), "CS_CDIF_TOR");
    EXPECT_EQ(key(1), front[c]);
    EXPECT_EQ(key(2), "CS_RDIF_TOR");
  }
  // Rows without an item or without a label holder are left alone; a null page is ignored.
  rows[1].item[9] = 0;
  std::memset(page + 28, 0, 4);
  kvl::gui::onDifferentialsPageShown(page);
  kvl::gui::onDifferentialsPageShown(nullptr);
}

// Showing a differential-map page refills the table from the current car's setup ranges: here a
// car without Features or lock percentages, whose points offer its map range and map 2 its own.
TEST(SetupPageBinding, ShownMapPageRefillsTheTable) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  static unsigned char ranges[22096];
  host.setGlobal(0x7ECD04, ranges);
  // The differential range block's float parameters from +4840, their values 12 bytes on; a
  // parameter's table word in front of each is no part of the range.
  const float values[] = {0.1f, 0.9f, 0.05f, 2.0f, 3.0f, 0.5f};
  const std::uint32_t tableWord = 0x0073B644;
  for (int i = 0; i < 6; ++i) {
    std::memcpy(ranges + 4840 + 16 * i, &tableWord, 4);
    std::memcpy(ranges + 4852 + 16 * i, &values[i], 4);
  }
  const float leftFoot = 0.5f;
  std::memcpy(ranges + 5012, &leftFoot, 4);
  // The integer parameter ahead of the six lock percentages (+3544 to +3624, all 0 here) holds a
  // value of the host's own, which is no lock percentage.
  const std::uint32_t hostValue = 40;
  std::memcpy(ranges + 3528, &hostValue, 4);
  kvl::gui::onDiffMapPageShown(nullptr);
  const struct {
    int slot, map, point;
    float minimum, maximum, step;
  } expected[] = {{0, 0, 0, 0.1f, 0.9f, 0.05f}, {3, 1, 10, 0.1f, 0.9f, 0.05f}, {1, 2, 4, 2.0f, 3.0f, 0.5f}};
  for (const auto& e : expected) {
    const auto* entry = SetupValueTable::entry(e.slot, e.map, e.point);
    EXPECT_EQ(entry[0].value(), e.minimum) << e.slot << e.map << e.point;
    EXPECT_EQ(entry[1].value(), e.maximum) << e.slot << e.map << e.point;
    EXPECT_EQ(entry[2].value(), e.step) << e.slot << e.map << e.point;
  }
}
