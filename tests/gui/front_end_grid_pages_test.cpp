// The grid pages A to E on a host stand-in: construction through each concrete host page's
// constructor onto that page's table, the family's cursor rules on each grid with the host's
// menu-cursor event, the column link through the values the plugin made its rows on, and pages C,
// D and E made once.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "plugin/gui/front_end_grid_pages.h"
#include "plugin/gui/setup_grid_page.h"
#include "plugin/gui/setup_row_values.h"
#include "plugin/host/events/host_event_hub.h"
#include "tests/support/host_fixture.h"

using namespace kvl::gui;
using kvl::host::HostEventHub;

namespace {

struct Construction {
  std::uint32_t ctor;
  void* page;
  std::int32_t argument;  // -1: none
  const void* tableDuring;
};
std::vector<Construction> gConstructions;
std::vector<std::uint32_t> gNewSizes;
std::vector<std::int32_t> gCursorEvents;
int gFocusCalls = 0;

template <std::uint32_t Ctor>
void* QZR_THISCALL ctorWithArgument(void* page, std::int32_t argument) {
  gConstructions.push_back({Ctor, page, argument, *static_cast<void**>(page)});
  return page;
}
void* QZR_THISCALL ctorBare(void* page) {
  gConstructions.push_back({0x5565D0, page, -1, *static_cast<void**>(page)});
  return page;
}
void* QZR_THISCALL hostSlot0(void* page, std::uint32_t) { return page; }
void* QZR_CDECL hostNew(std::uint32_t bytes) {
  gNewSizes.push_back(bytes);
  return std::calloc(1, bytes);
}
void QZR_CDECL hostDelete(void* block) { std::free(block); }

// A host value row: its table, and at +16 the 16-byte value it edits (the float at +12).
void QZR_THISCALL rowFocus(void*, std::uint32_t) { ++gFocusCalls; }
void QZR_THISCALL rowIgnore(void*, std::uint32_t) {}
void QZR_THISCALL rowNothing(void*) {}
void QZR_THISCALL rowIncrease(void* row) { kvl::host::fieldAt<float>(kvl::host::fieldAt<void*>(row, 16), 12) += 1.0f; }
struct Row {
  static void* const* table() {
    static void* t[20] = {};
    t[6] = reinterpret_cast<void*>(&rowFocus);
    t[8] = reinterpret_cast<void*>(&rowIgnore);
    t[13] = reinterpret_cast<void*>(&rowNothing);
    t[14] = reinterpret_cast<void*>(&rowIncrease);
    return t;
  }
  const void* const* vtable = table();
  std::uint32_t pad[3] = {};
  unsigned char* value = nullptr;
  unsigned char bytes[16] = {};
  Row() : value(bytes) {}
  float v() const { return kvl::host::fieldAt<float>(bytes, 12); }
};

// The host's row constructor: a row stepping the value it was given.
std::vector<Row> gMadeRows;
void* QZR_CDECL createRow(std::uint32_t, std::uint32_t, std::uint32_t, std::int32_t, float, unsigned char* value,
                          void*, float, float, std::int32_t, std::int32_t) {
  Row& row = gMadeRows.emplace_back();
  row.value = value;
  return &row;
}

void onCursor(void*, const void* record) { gCursorEvents.push_back(*static_cast<const std::int32_t*>(record)); }

struct FrontEndGridPagesTest : ::testing::Test {
  kvl::testing::HostFixture host;
  std::vector<unsigned char> hub = std::vector<unsigned char>(96 * 536);
  std::int32_t selector = 0;
  kvl::host::HostListenerNode listener{nullptr, &onCursor};
  void* tables[6][30] = {};
  static constexpr std::uint32_t kTables[6] = {0x744204, 0x744D0C, 0x744B2C, 0x744C8C, 0x744DAC, 0x744E5C};

  void SetUp() override {
    ASSERT_TRUE(host.loaded());
    for (int t = 0; t < 6; ++t) {
      for (auto& slot : tables[t]) slot = reinterpret_cast<void*>(&hostSlot0);
      std::memcpy(host.at(kTables[t]), tables[t], sizeof tables[t]);
    }
    std::memcpy(host.at(0x7402D4), tables[0], 14 * 4);
    host.paintFunction(0x556420, &ctorWithArgument<0x556420>);
    host.paintFunction(0x555F60, &ctorWithArgument<0x555F60>);
    host.paintFunction(0x5562F0, &ctorWithArgument<0x5562F0>);
    host.paintFunction(0x5565D0, &ctorBare);
    host.paintFunction(0x581580, &hostNew);
    host.paintFunction(0x581670, &hostDelete);
    host.setGlobal(HostEventHub::kHubGlobal, hub.data());
    HostEventHub::instance()->menuCursorMoved()->selector = &selector;
    kvl::host::appendListener(HostEventHub::instance()->menuCursorMoved()->catchAll(), listener);
    gConstructions.clear();
    gCursorEvents.clear();
    gFocusCalls = 0;
  }
  void TearDown() override { kvl::host::unlinkListener(listener); }

  struct Built {
    std::vector<unsigned char> memory;
    void* page;
  };
  Built build(FrontEndGridPage which, std::int32_t argument = 0) {
    Built b{std::vector<unsigned char>(frontEndGridPageSize(which), 0xCD), nullptr};
    b.page = constructFrontEndGridPage(which, b.memory.data(), argument);
    return b;
  }
  // The family's entries call the page's other slots through its table: the page is put back on
  // its family table (the host's own table holds the host's entries).
  static void onFamilyTable(FrontEndGridPage which, void* page) {
    *static_cast<void**>(page) = frontEndGridFamilyTable(which);
  }
  static void send(FrontEndGridPage which, void* page, std::uint32_t event) {
    using Input = std::int32_t(QZR_THISCALL*)(void*, std::uint32_t, std::uint32_t);
    reinterpret_cast<Input>(frontEndGridFamilyTable(which)[kGridOnInput])(page, event, 0);
  }
};

TEST_F(FrontEndGridPagesTest, EachPageRunsItsHostConstructorAndEndsOnItsHostTable) {
  struct Case {
    FrontEndGridPage page;
    std::size_t size;
    std::uint32_t ctor;
    std::int32_t argument;
    int table;
  } cases[] = {
      {FrontEndGridPage::a, 144, 0x556420, 0, 1},  {FrontEndGridPage::b, 296, 0x555F60, 7, 2},
      {FrontEndGridPage::c, 136, 0x5565D0, -1, 3}, {FrontEndGridPage::d, 196, 0x5562F0, 1, 4},
      {FrontEndGridPage::e, 188, 0x556420, 0, 5},
  };
  for (const Case& c : cases) {
    gConstructions.clear();
    Built b = build(c.page, 7);
    const std::string name = "page " + std::to_string(static_cast<int>(c.page));
    EXPECT_EQ(frontEndGridPageSize(c.page), c.size) << name;
    ASSERT_EQ(gConstructions.size(), 1u) << name;
    EXPECT_EQ(gConstructions[0].ctor, c.ctor) << name;
    EXPECT_EQ(gConstructions[0].argument, c.argument) << name;
    EXPECT_EQ(gConstructions[0].tableDuring, frontEndGridFamilyTable(c.page)) << name;
    const auto* table = *static_cast<void* const* const*>(b.page);
    EXPECT_NE(static_cast<const void*>(table), frontEndGridFamilyTable(c.page)) << name;
    EXPECT_EQ(std::memcmp(table, tables[c.table], sizeof tables[c.table]), 0) << name;
    for (std::size_t at = 4; at < c.size; at += 4) {
      EXPECT_EQ(kvl::host::fieldAt<std::uint32_t>(b.page, at), 0u) << name << " +" << at;
    }
  }
}

TEST_F(FrontEndGridPagesTest, CursorMovesWithinEachGrid) {
  constexpr std::uint32_t L = kEventLeft, R = kEventRight, U = kEventUp, D = kEventDown;
  struct Case {
    FrontEndGridPage page;
    std::int32_t column, row;
    std::vector<std::uint32_t> events;
    std::int32_t endColumn, endRow;
    std::vector<std::int32_t> cursorEvents;
  } cases[] = {
      {FrontEndGridPage::b, 0, 0, {R, R, R, R}, 3, 0, {2, 2, 2}},
      {FrontEndGridPage::b, 0, 10, {D}, 0, 10, {}},
      {FrontEndGridPage::b, 3, 10, {L, U}, 2, 9, {1, 1}},
      {FrontEndGridPage::a, 0, 0, {L, R, D, D}, 0, 1, {2}},
      {FrontEndGridPage::c, 0, 0, {L, R, U, D}, 0, 0, {}},
      {FrontEndGridPage::d, 0, 2, {D, D, R, R}, 1, 3, {2, 2}},
      {FrontEndGridPage::e, 1, 2, {D, R, U}, 1, 1, {1}},
  };
  for (const Case& c : cases) {
    Built b = build(c.page);
    onFamilyTable(c.page, b.page);
    GridPage::column(b.page) = c.column;
    GridPage::row(b.page) = c.row;
    gCursorEvents.clear();
    for (std::uint32_t e : c.events) send(c.page, b.page, e);
    EXPECT_EQ(GridPage::column(b.page), c.endColumn) << static_cast<int>(c.page);
    EXPECT_EQ(GridPage::row(b.page), c.endRow) << static_cast<int>(c.page);
    EXPECT_EQ(gCursorEvents, c.cursorEvents) << static_cast<int>(c.page);
  }
}

// Rows the host made itself keep their value pointer at +16, where a column link that read the
// value reference there would find it: no step may reach another cell, whatever the page's columns.
TEST_F(FrontEndGridPagesTest, StepsChangeOnlyTheCellUnderTheCursor) {
  struct Case {
    FrontEndGridPage page;
    std::int32_t rows, column, row;
  } cases[] = {
      {FrontEndGridPage::b, 11, 0, 4}, {FrontEndGridPage::b, 11, 1, 4}, {FrontEndGridPage::b, 11, 3, 10},
      {FrontEndGridPage::d, 4, 1, 3},  {FrontEndGridPage::e, 3, 0, 2},
  };
  auto* cursor = host.at(0x16607F8 + 200);
  kvl::host::fieldAt<std::int32_t>(cursor, 36) = 1;
  for (const Case& c : cases) {
    Built b = build(c.page);
    onFamilyTable(c.page, b.page);
    std::vector<Row> rows(static_cast<std::size_t>(2 * c.rows + (c.page == FrontEndGridPage::b ? 2 * 11 : 0)));
    for (std::size_t i = 0; i < rows.size(); ++i) GridPage::cell(b.page, static_cast<std::int32_t>(i)) = &rows[i];
    GridPage::column(b.page) = c.column;
    GridPage::row(b.page) = c.row;
    gFocusCalls = 0;
    send(c.page, b.page, kEventToggleEdit);
    EXPECT_EQ(gFocusCalls, static_cast<int>(rows.size())) << static_cast<int>(c.page);
    send(c.page, b.page, kEventRight);
    send(c.page, b.page, kEventUp);  // editing: no move
    EXPECT_EQ(GridPage::row(b.page), c.row);
    const std::int32_t stepped = c.column * c.rows + c.row;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(rows.size()); ++i) {
      EXPECT_EQ(rows[static_cast<std::size_t>(i)].v(), i == stepped ? 1.0f : 0.0f)
          << static_cast<int>(c.page) << " cell " << i;
    }
  }
  EXPECT_EQ(kvl::host::fieldAt<std::int32_t>(cursor, 44), 1);
  kvl::host::fieldAt<std::int32_t>(cursor, 36) = 0;
}

// Rows made through the host's row constructor on values of their own: a step copies the 16-byte
// value to the same row of the partner column (the other of columns 0 and 1) when the cursor's
// selection asks for it and the two rows edit different values.
TEST_F(FrontEndGridPagesTest, StepsCopyToThePartnerColumnThroughTheRowsValues) {
  struct Case {
    FrontEndGridPage page;
    std::int32_t columns, rows, column, row;
    std::int32_t selection;
    bool shared;            // the partner row was made on the stepped row's value
    std::int32_t copiedTo;  // the cell that gets the stepped value, or -1
  } cases[] = {
      {FrontEndGridPage::b, 4, 11, 0, 4, 1, false, 15}, {FrontEndGridPage::b, 4, 11, 1, 4, 1, false, 4},
      {FrontEndGridPage::b, 4, 11, 2, 4, 1, false, -1}, {FrontEndGridPage::d, 2, 4, 1, 3, 1, false, 3},
      {FrontEndGridPage::e, 2, 3, 0, 2, 0, false, -1},  {FrontEndGridPage::e, 2, 3, 0, 1, 1, true, -1},
  };
  host.paintFunction(0x550130, &createRow);
  auto* cursor = host.at(0x16607F8 + 200);
  for (const Case& c : cases) {
    const std::string name = std::to_string(static_cast<int>(c.page)) + " column " + std::to_string(c.column);
    Built b = build(c.page);
    onFamilyTable(c.page, b.page);
    const std::int32_t cells = c.columns * c.rows;
    const std::int32_t stepped = c.column * c.rows + c.row;
    const std::int32_t partner = c.column < 2 ? (1 - c.column) * c.rows + c.row : -1;
    std::vector<std::array<unsigned char, 16>> values(static_cast<std::size_t>(cells));
    gMadeRows.clear();
    gMadeRows.reserve(values.size());
    for (std::int32_t i = 0; i < cells; ++i) {
      values[i].fill(static_cast<unsigned char>(0x30 + i));
      unsigned char* value = c.shared && i == partner ? values[stepped].data() : values[i].data();
      GridPage::cell(b.page, i) = makeSetupRow(kvl::host::HostText("Row"), 10, value, value, {});
    }
    auto expected = values;
    kvl::host::fieldAt<float>(expected[stepped].data(), 12) += 1.0f;
    if (c.copiedTo >= 0) expected[c.copiedTo] = expected[stepped];
    GridPage::column(b.page) = c.column;
    GridPage::row(b.page) = c.row;
    kvl::host::fieldAt<std::int32_t>(cursor, 36) = c.selection;
    send(c.page, b.page, kEventToggleEdit);
    send(c.page, b.page, kEventRight);
    for (std::size_t i = 0; i < values.size(); ++i) EXPECT_EQ(values[i], expected[i]) << name << " cell " << i;
    for (std::int32_t i = 0; i < cells; ++i) forgetSetupRow(GridPage::cell(b.page, i));
  }
  kvl::host::fieldAt<std::int32_t>(cursor, 36) = 0;
}

TEST_F(FrontEndGridPagesTest, PagesCDAndEAreMadeOnce) {
  gNewSizes.clear();
  const FrontEndGridPages& first = createFrontEndGridPages();
  const FrontEndGridPages& again = createFrontEndGridPages();
  EXPECT_EQ(gNewSizes, (std::vector<std::uint32_t>{136, 196, 188}));
  ASSERT_NE(first.c, nullptr);
  EXPECT_EQ(again.d, first.d);
  EXPECT_EQ(kvl::host::fieldAt<std::int32_t>(first.c, 132), 0);
  EXPECT_EQ(std::memcmp(*static_cast<void* const*>(first.e), tables[5], sizeof tables[5]), 0);
}

}  // namespace
