// The setup slot page's window, navigation, numbering and placeholder texts, on plain values.
#include <gtest/gtest.h>

#include <set>

#include "plugin/gui/setup_slot_rules.h"

using namespace kvl::gui;

TEST(SetupSlotRules, TenLineWindow) {
  struct Case {
    std::int32_t selected, first, highlighted;
  } cases[] = {{0, 0, 0}, {9, 0, 9}, {10, 1, 9}, {14, 5, 9}, {-3, 0, 0}};
  for (const Case& c : cases) {
    const SlotWindow w = slotWindow(c.selected);
    EXPECT_EQ(w.first, c.first) << c.selected;
    EXPECT_EQ(w.highlighted, c.highlighted) << c.selected;
  }
}

TEST(SetupSlotRules, StepsSkipEmptySlotsAndWrap) {
  struct Case {
    const char* what;
    std::int32_t selected, step, rows, kind;
    std::set<std::int32_t> empty;
    std::int32_t expected;
  } cases[] = {
      {"loading: past the default rows to the first used slot", 1, 1, 7, 2, {0, 1}, 4},
      {"loading: up from the first row wraps to the last used slot", 0, -1, 7, 2, {4}, 5},
      {"loading: rows 0 and 1 are always taken", 3, -1, 7, 2, {0, 1, 2, 3, 4}, 1},
      {"saving: every slot is taken", 2, 1, 5, 1, {0, 1, 2, 3, 4}, 3},
      {"saving: down from the last row wraps to 0", 4, 1, 5, 1, {}, 0},
      {"used slots only, none used", 2, 1, 5, 0, {0, 1, 2, 3, 4}, 0},
      {"used slots only: the only used slot is the selected one", 2, 1, 5, 0, {0, 1, 3, 4}, 0},
      {"used slots only: skips to the next used", 0, 1, 5, 0, {1, 2}, 3},
      {"no rows", 3, 1, 0, 1, {}, 0},
  };
  for (const Case& c : cases) {
    const auto empty = [&c](std::int32_t slot) { return c.empty.count(slot) != 0; };
    EXPECT_EQ(stepSlotSelection(c.selected, c.step, c.rows, c.kind, empty), c.expected) << c.what;
  }
}

TEST(SetupSlotRules, NumbersAndPlaceholders) {
  EXPECT_EQ(slotNumberText(7), L"007");
  EXPECT_EQ(slotNumberText(123), L"123");
  EXPECT_EQ(slotNumberText(1234), L"1234");
  struct Case {
    const wchar_t *pattern, *expected;
  } cases[] = {{L"Default (%s)", L"Default (SNOW)"},
               {L"%ls first", L"SNOW first"},
               {L"%s and %s", L"SNOW and %s"},
               {L"100%% %d %n %s", L"100%% %d %n SNOW"},
               {L"no placeholder", L"no placeholder"}};
  for (const Case& c : cases) EXPECT_EQ(substituteOnce(c.pattern, L"SNOW", 1021), c.expected) << c.pattern;
  EXPECT_EQ(substituteOnce(L"%s", L"GRAVEL", 3), L"GRA");
  wchar_t small[4];
  EXPECT_EQ(formatWide(small, 4, L"%d", 12345), -1);
}
