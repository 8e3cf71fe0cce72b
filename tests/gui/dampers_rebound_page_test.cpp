// The dampers rebound page, which nothing in the game opens, built on a host stand-in: its rows
// through the host's row constructor, on the bump-stop page's table copy, bound to the places the
// host keeps their values and ranges at, and its column link, which ties only the two rebound rows.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "plugin/gui/car_setup_pages.h"
#include "plugin/gui/setup_row_values.h"
#include "plugin/host/model/host_text.h"
#include "tests/support/host_fixture.h"

using namespace kvl::gui;

namespace {

unsigned char gSetup[8192];
unsigned char gRanges[8192];

// A host value row: its label holder at +36 (label record at +8), then what the constructor got.
struct Row {
  std::uint32_t words[10] = {};
  kvl::host::HostText holder[2];
  std::int32_t kind = 0;
  std::uint32_t range = 0;
  const void* value = nullptr;
};
std::vector<Row> gRows;

void* QZR_CDECL createRow(const char* key, std::uint32_t, std::uint32_t, std::int32_t kind, float, void* value,
                          void* range, float, float, std::int32_t, std::int32_t) {
  Row& row = gRows.emplace_back();
  row.value = value;
  row.words[9] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&row.holder[0]) - 8);
  row.holder[0].setKey(key);
  row.kind = kind;
  row.range = static_cast<std::uint32_t>(static_cast<unsigned char*>(range) - gRanges);
  return &row;
}

TEST(DampersReboundPage, RowsBindTheAxlesFastReboundToTheWheelsRanges) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  void* hostTable[30] = {};
  std::memcpy(host.at(0x744204), hostTable, sizeof hostTable);
  host.paintFunction(0x550130, &createRow);
  host.setGlobal(0x7ECD00, gSetup);
  host.setGlobal(0x7ECD04, gRanges);
  gRows.reserve(32);

  std::vector<unsigned char> memory(136);
  void* page = constructGridPage(memory.data(), dampersReboundPageKind());
  ASSERT_EQ(*static_cast<void**>(page), static_cast<void*>(bumpStopPageTable()));
  EXPECT_STREQ(GridPage::text(page, dampersReboundPageKind().shape, 0).key(), "DampersRebound");

  // Column 0: left front then left rear; column 1: right front then right rear. Each wheel's own
  // rebound damping has no known place in the host's spring block: its cell stays empty. The
  // axle's values lie in the drivetrain block (value words +1296, +1312 front, +1328, +1344
  // rear); their ranges are the wheel's DampingBumpHighSpeed and BumpHighSpeedBreak triples of its
  // 396-byte spring range block from +5092 (minimum value words at +312 and +360 of the block).
  const struct {
    const char* key;
    std::int32_t kind;
    std::size_t value, range;
  } cells[12] = {
      {nullptr, 0, 0, 0}, {"FastRebound", 10, 1300, 5392}, {"FastReboundThreshold", 2, 1284, 5440},
      {nullptr, 0, 0, 0}, {"FastRebound", 10, 1332, 6184}, {"FastReboundThreshold", 2, 1316, 6232},
      {nullptr, 0, 0, 0}, {"FastRebound", 10, 1300, 5788}, {"FastReboundThreshold", 2, 1284, 5836},
      {nullptr, 0, 0, 0}, {"FastRebound", 10, 1332, 6580}, {"FastReboundThreshold", 2, 1316, 6628},
  };
  ASSERT_EQ(gRows.size(), 8u);
  for (int i = 0; i < 12; ++i) {
    if (cells[i].key == nullptr) {
      EXPECT_EQ(GridPage::cell(page, i), nullptr) << i;
      continue;
    }
    const Row& row = *static_cast<const Row*>(GridPage::cell(page, i));
    EXPECT_STREQ(row.holder[0].key(), cells[i].key) << i;
    EXPECT_EQ(row.kind, cells[i].kind) << i;
    EXPECT_EQ(row.value, gSetup + cells[i].value) << i;
    EXPECT_EQ(row.range, cells[i].range) << i;
  }

  // With rows made on values of their own in every cell, linking each row from column 0 copies
  // only rows 0 and 3 to column 1.
  std::vector<std::array<unsigned char, 16>> values(12);
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i].fill(static_cast<unsigned char>(0x40 + i));
    void*& cell = GridPage::cell(page, static_cast<std::int32_t>(i));
    forgetSetupRow(cell);
    cell = makeSetupRow(kvl::host::HostText("Row"), 10, values[i].data(), gRanges, {});
  }
  auto expected = values;
  expected[6] = expected[0];
  expected[9] = expected[3];
  using Link = void(QZR_THISCALL*)(void*, std::int32_t, std::int32_t);
  for (std::int32_t row = 0; row < 6; ++row) gridSlot<Link>(page, kGridLinkColumns)(page, row, 0);
  for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(values[i], expected[i]) << "cell " << i;
  for (std::int32_t i = 0; i < 12; ++i) forgetSetupRow(GridPage::cell(page, i));
}

}  // namespace
