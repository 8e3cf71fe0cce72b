// The dampers rebound page, which nothing in the game opens, built on a host stand-in: its rows
// through the host's row constructor, on the bump-stop page's table copy, and its column link,
// which ties only the two rebound rows of each column pair.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin/gui/car_setup_pages.h"
#include "plugin/host/model/host_text.h"
#include "tests/support/host_fixture.h"

using namespace kvl::gui;

namespace {

unsigned char gSetup[8192];
unsigned char gRanges[8192];

// A host value row: the value it edits at +16, its label holder at +36 (label record at +8).
struct Row {
  std::uint32_t words[10] = {};
  kvl::host::HostText holder[2];
  std::int32_t kind = 0;
  std::uint32_t range = 0;
};
std::vector<Row> gRows;

void* QZR_CDECL createRow(const char* key, std::uint32_t, std::uint32_t, std::int32_t kind, float, void* value,
                          void* range, float, float, std::int32_t, std::int32_t) {
  Row& row = gRows.emplace_back();
  row.words[4] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(value));
  row.words[9] = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&row.holder[0]) - 8);
  row.holder[0].setKey(key);
  row.kind = kind;
  row.range = static_cast<std::uint32_t>(static_cast<unsigned char*>(range) - gRanges);
  return &row;
}

float& setupFloat(std::size_t offset) { return *reinterpret_cast<float*>(gSetup + offset + 12); }

TEST(DampersReboundPage, RowsBindEachWheelsReboundAndItsAxlesFastRebound) {
  kvl::testing::HostFixture host;
  ASSERT_TRUE(host.loaded());
  void* hostTable[30] = {};
  std::memcpy(host.at(0x744204), hostTable, sizeof hostTable);
  host.paintFunction(0x550130, &createRow);
  host.setGlobal(0x7ECD00, gSetup);
  host.setGlobal(0x7ECD04, gRanges);
  gRows.reserve(12);

  std::vector<unsigned char> memory(136);
  void* page = constructGridPage(memory.data(), dampersReboundPageKind());
  ASSERT_EQ(*static_cast<void**>(page), static_cast<void*>(bumpStopPageTable()));
  EXPECT_STREQ(GridPage::text(page, dampersReboundPageKind().shape, 0).key(), "DampersRebound");

  // Column 0: left front then left rear; column 1: right front then right rear.
  const struct {
    const char* key;
    std::int32_t kind;
    std::size_t value, range;
  } cells[12] = {
      {"CS_REBOUND", 10, 5148, 6048}, {"FastRebound", 10, 1300, 6096}, {"FastReboundThreshold", 2, 1284, 6144},
      {"CS_REBOUND", 10, 5460, 6432}, {"FastRebound", 10, 1332, 6480}, {"FastReboundThreshold", 2, 1316, 6528},
      {"CS_REBOUND", 10, 5304, 6240}, {"FastRebound", 10, 1300, 6288}, {"FastReboundThreshold", 2, 1284, 6336},
      {"CS_REBOUND", 10, 5616, 6624}, {"FastRebound", 10, 1332, 6672}, {"FastReboundThreshold", 2, 1316, 6720},
  };
  ASSERT_EQ(gRows.size(), 12u);
  for (int i = 0; i < 12; ++i) {
    const Row& row = *static_cast<const Row*>(GridPage::cell(page, i));
    EXPECT_STREQ(row.holder[0].key(), cells[i].key) << i;
    EXPECT_EQ(row.kind, cells[i].kind) << i;
    EXPECT_EQ(row.words[4], static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(gSetup + cells[i].value))) << i;
    EXPECT_EQ(row.range, cells[i].range) << i;
  }

  using Link = void(QZR_THISCALL*)(void*, std::int32_t, std::int32_t);
  const auto link = reinterpret_cast<Link>(bumpStopPageTable()[kGridLinkColumns]);
  setupFloat(5148) = 7.0f;  // left front rebound, copied right
  setupFloat(5616) = 3.0f;  // right rear rebound, copied left
  link(page, 0, 0);
  link(page, 3, 1);
  EXPECT_EQ(setupFloat(5304), 7.0f);
  EXPECT_EQ(setupFloat(5460), 3.0f);
  setupFloat(5148) = 9.0f;
  for (std::int32_t row : {1, 2, 4, 5}) link(page, row, 0);
  EXPECT_EQ(setupFloat(5304), 7.0f);
}

}  // namespace
