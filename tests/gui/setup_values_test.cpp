// The setup value table's entry offsets and modes, and the differentials page's torque labels.
#include <gtest/gtest.h>

#include <string>

#include "plugin/gui/differential_labels.h"
#include "plugin/gui/setup_value_table.h"

using namespace kvl::gui;

TEST(SetupValues, EntryOffsets) {
  // In the host's layout an entry is 48 bytes: (3, 3, 10) at byte 8400, (1, 2, 5) at 3408, and a
  // page of mode 2 reads entries 88 to 131.
  struct Case {
    int mode, group, row, index;
  } cases[] = {{0, 0, 0, 0}, {3, 3, 10, 175}, {1, 2, 5, 71}, {2, 0, 0, 88}, {2, 3, 10, 131}, {0, 1, 0, 11}};
  auto* first = reinterpret_cast<unsigned char*>(SetupValueTable::entry(0, 0, 0));
  ASSERT_NE(first, nullptr);
  for (const Case& c : cases) {
    const std::size_t offset = SetupValueTable::offset(c.mode, c.group, c.row);
    EXPECT_EQ(offset, c.index * sizeof(SetupValueEntry)) << c.mode << c.group << c.row;
    if (sizeof(void*) == 4) {
      EXPECT_EQ(offset, c.index * 48u);
    }
    auto* entry = reinterpret_cast<unsigned char*>(SetupValueTable::entry(c.mode, c.group, c.row));
    EXPECT_EQ(static_cast<std::size_t>(entry - first), offset);
    // A new entry: minimum, maximum and step 0, each a host value with its float at +12.
    const auto* e = reinterpret_cast<const SetupValueEntry*>(entry);
    EXPECT_EQ(e->minimum.value() + e->maximum.value() + e->step.value(), 0.0f);
  }
  if (sizeof(void*) == 4) {
    EXPECT_EQ(SetupValueTable::kBytes, 8448u);
  }
}

TEST(SetupValues, OnlyModesZeroToThreeHaveABlock) {
  for (std::int32_t mode : {-2147483647 - 1, -1, 4, 5, 2147483647}) EXPECT_FALSE(SetupValueTable::hasMode(mode)) << mode;
  for (std::int32_t mode : {0, 1, 2, 3}) EXPECT_TRUE(SetupValueTable::hasMode(mode)) << mode;
}

TEST(SetupValues, TorqueRowLabels) {
  struct Case {
    std::int32_t features;
    const char *centre, *front, *rear;
  } cases[] = {
      {0, "CS_CDIF_TOR", "CS_FDIF_TOR", "CS_RDIF_TOR"},
      {-0x4550, "CS_CDIF_TOR", "CS_FDIF_TOR", "CS_RDIF_TOR"},
      {0x0500, "CS_CDIF_TOR", "FrontDiffPreloadTorque", "CS_RDIF_TOR"},
      {0x5440, "CenterDiffPreloadTorque", "FrontDiffPreloadTorque", "RearDiffPreloadTorque"},
      {0x0360, "CS_CDIF_TOR", "CS_FDIF_TOR", "CS_RDIF_TOR"},  // kind 6 reads as 0
      {0x4001, "CS_CDIF_TOR", "CS_FDIF_TOR", "RearDiffPreloadTorque"},
  };
  for (const Case& c : cases) {
    const auto keys = differentialTorqueKeys(c.features);
    EXPECT_EQ(std::string(keys[0]), c.centre) << std::hex << c.features;
    EXPECT_EQ(std::string(keys[1]), c.front) << std::hex << c.features;
    EXPECT_EQ(std::string(keys[2]), c.rear) << std::hex << c.features;
  }
}
