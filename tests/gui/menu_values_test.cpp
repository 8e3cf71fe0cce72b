// The centring offset and the service overtime, on plain values.
#include <gtest/gtest.h>

#include "plugin/gui/file_list_window.h"
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

TEST(MenuValues, ListWindows) {
  struct Case {
    std::int32_t selected;
    ListWindow list, chooser;
  } cases[] = {{0, {0, 0}, {0, 0}},   {2, {0, 2}, {0, 2}},    {19, {0, 19}, {0, 19}},
               {20, {1, 19}, {2, 19}}, {25, {6, 19}, {7, 19}}};
  for (const Case& c : cases) {
    const ListWindow list = fileListWindow(c.selected), chooser = chooserWindow(c.selected);
    EXPECT_EQ(list.first, c.list.first) << c.selected;
    EXPECT_EQ(list.highlighted, c.list.highlighted) << c.selected;
    EXPECT_EQ(chooser.first, c.chooser.first) << c.selected;
    EXPECT_EQ(chooser.highlighted, c.chooser.highlighted) << c.selected;
  }
}

TEST(MenuValues, RowTextsAreCutToTheirShareOfTheBuffer) {
  ListRowTexts rows;
  rows.set(0, 0, std::wstring(500, L'a'));
  rows.set(0, 1, L"second");
  rows.set(19, 1, std::wstring(81, L'z'));
  rows.set(20, 0, L"past the window");
  EXPECT_EQ(std::wstring(rows.texts()[0]), std::wstring(80, L'a'));
  EXPECT_EQ(std::wstring(rows.texts()[1]), L"second");
  EXPECT_EQ(std::wstring(rows.texts()[39]), std::wstring(80, L'z'));
  EXPECT_EQ(std::wstring(rows.texts()[2]), L"");
}

TEST(MenuValues, CurrentEntryKeepsItsBracketsInARowText) {
  struct Case {
    std::size_t label;
    std::wstring shown;
  } cases[] = {{0, L"<>"}, {5, L"<aaaaa>"}, {78, L"<" + std::wstring(78, L'a') + L">"},
               {79, L"<" + std::wstring(78, L'a') + L">"}, {300, L"<" + std::wstring(78, L'a') + L">"}};
  for (const Case& c : cases) {
    ListRowTexts rows;
    rows.set(0, 0, currentEntryText(std::wstring(c.label, L'a')));
    EXPECT_EQ(std::wstring(rows.texts()[0]), c.shown) << c.label;
  }
}
