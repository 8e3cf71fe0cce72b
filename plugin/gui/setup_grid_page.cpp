#include "plugin/gui/setup_grid_page.h"

#include <algorithm>
#include <cstring>

#include "plugin/foundation/texts/localized_strings.h"
#include "plugin/gui/setup_row_values.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/binding/host_allocators.h"
#include "plugin/host/binding/module_address.h"
#include "plugin/host/binding/vtable_clone.h"
#include "plugin/host/events/host_event_hub.h"
#include "plugin/host/model/cloned_host_classes.h"
#include "plugin/host/model/host_menu_renderer.h"
#include "plugin/host/model/host_menus.h"
#include "plugin/host/model/host_object_accessors.h"
#include "plugin/host/model/host_setup_rows.h"

namespace kvl::gui {
namespace {

using host::HostMenuItem;
using host::HostMenuRenderer;

constexpr std::uint32_t kDrawStateWord = 0x165F680;

// The shape behind each kind's table copy (the family's entries are shared by all kinds).
struct TableShape {
  const void* table;
  GridShape shape;
};
TableShape gTableShapes[16];
std::size_t gTableShapeCount = 0;

GridShape shapeOf(const void* page) noexcept {
  const void* table = *static_cast<const void* const*>(page);
  for (std::size_t i = 0; i < gTableShapeCount; ++i) {
    if (gTableShapes[i].table == table) return gTableShapes[i].shape;
  }
  return GridShape{0, 0, 0};
}

std::int32_t cellCount(const GridShape& s) noexcept { return s.columns * s.rows; }
void* cursorCell(void* page, const GridShape& s) noexcept {
  return GridPage::cell(page, GridPage::column(page) * s.rows + GridPage::row(page));
}

void QZR_THISCALL refreshFocus(void* page) noexcept;
void QZR_THISCALL releaseItems(void* page) noexcept;

void* QZR_THISCALL destroy(void* page, std::uint32_t flags) noexcept {
  try {
    gridSlot<void(QZR_THISCALL*)(void*)>(page, kGridReleaseItems)(page);
    if (flags != 0) {
      host::HostMenuPageBase::restoreBaseVtable(page);
      host::hostDelete(page);
    }
  } catch (...) {
  }
  return page;
}

void QZR_THISCALL step(void* page, bool increase) {
  const GridShape s = shapeOf(page);
  void* cell = cursorCell(page, s);
  if (cell == nullptr) return;
  if (increase) {
    HostMenuItem::onIncrease(cell);
  } else {
    HostMenuItem::onDecrease(cell);
  }
  void* cursor = host::HostControls::menuCursor(host::hostControls());
  host::HostMenuCursor::setLimit(cursor, 1);
  if (host::HostMenuCursor::selection(cursor) != 0) {
    gridSlot<void(QZR_THISCALL*)(void*, std::int32_t, std::int32_t)>(page, kGridLinkColumns)(
        page, GridPage::row(page), GridPage::column(page));
  }
  gridSlot<void(QZR_THISCALL*)(void*)>(page, kGridAfterStep)(page);
}

std::int32_t QZR_THISCALL onInput(void* page, std::uint32_t event, std::uint32_t) noexcept {
  try {
    auto move = [page](std::int32_t direction) {
      gridSlot<void(QZR_THISCALL*)(void*, std::int32_t)>(page, kGridMoveCursor)(page, direction);
    };
    auto focus = [page] { gridSlot<void(QZR_THISCALL*)(void*)>(page, kGridRefreshFocus)(page); };
    const bool editing = GridPage::editing(page) != 0;
    switch (event) {
      case kEventToggleEdit:
        GridPage::editing(page) = editing ? 0 : 1;
        focus();
        break;
      case kEventValue:
        gridSlot<void(QZR_THISCALL*)(void*)>(page, kGridOnValueEvent)(page);
        break;
      case kEventUp:
        if (!editing) move(2);
        break;
      case kEventDown:
        if (!editing) move(3);
        break;
      case kEventLeft:
        if (editing) {
          step(page, false);
        } else {
          move(0);
        }
        break;
      case kEventRight:
        if (editing) {
          step(page, true);
        } else {
          move(1);
        }
        break;
      case kEventBrowse:
        GridPage::editing(page) = 0;
        focus();
        break;
      default:
        break;
    }
  } catch (...) {
  }
  return 0;
}

void QZR_THISCALL broadcast(void* page, float value) noexcept {
  try {
    const GridShape s = shapeOf(page);
    for (std::int32_t i = 0; i < cellCount(s); ++i) {
      if (void* cell = GridPage::cell(page, i)) HostMenuItem::passToChildren(cell, value);
    }
  } catch (...) {
  }
}

void QZR_THISCALL draw(void* page, void* renderer, float x, float y) noexcept {
  try {
    const GridShape s = shapeOf(page);
    HostMenuRenderer::setFlags(renderer, 256);
    HostMenuRenderer::setColour(renderer, 4);
    HostMenuRenderer::setEnabled(renderer, 1);
    const wchar_t* title = gridSlot<const wchar_t*(QZR_THISCALL*)(void*)>(page, kGridTitleText)(page);
    HostMenuRenderer::printText(renderer, 52.0f, 49.0f, title != nullptr ? title : L"");
    gridSlot<void(QZR_THISCALL*)(void*, void*, float)>(page, kGridDrawTitleBar)(page, renderer, x);
    *host::hostGlobalAddress<kDrawStateWord, std::uint32_t>() = 0;
    using RowY = float(QZR_THISCALL*)(void*, void*, std::int32_t);
    using ColumnX = float(QZR_THISCALL*)(void*, void*, std::int32_t, std::int32_t);
    for (std::int32_t c = 0; c < s.columns; ++c) {
      for (std::int32_t r = 0; r < s.rows; ++r) {
        void* cell = GridPage::cell(page, c * s.rows + r);
        if (cell == nullptr) continue;
        const float cy = gridSlot<RowY>(page, kGridRowY)(page, renderer, r) + y;
        const float cx = gridSlot<ColumnX>(page, kGridColumnX)(page, renderer, c, r) + x;
        HostMenuItem::drawAt(cell, renderer, cx, cy);
      }
    }
    gridSlot<void(QZR_THISCALL*)(void*, void*, float, float)>(page, kGridDrawHeaders)(page, renderer, x, y);
    HostMenuRenderer::clearFlags(renderer, 256);
  } catch (...) {
  }
}

void QZR_THISCALL releaseItems(void* page) noexcept {
  try {
    const GridShape s = shapeOf(page);
    for (std::int32_t i = 0; i < cellCount(s); ++i) {
      void*& cell = GridPage::cell(page, i);
      if (cell == nullptr) continue;
      forgetSetupRow(cell);
      host::HostObject::deleteThis(cell, 1);
      cell = nullptr;
    }
  } catch (...) {
  }
}

float QZR_THISCALL columnX(void*, void*, std::int32_t, std::int32_t) noexcept { return 189.0f; }

float QZR_THISCALL rowY(void*, void* renderer, std::int32_t row) noexcept {
  try {
    return host::HostMenuPage::defaultSlotCall(renderer, 0.0f, row);
  } catch (...) {
    return 0.0f;
  }
}

void QZR_THISCALL ignoreOne(void*, std::uint32_t) noexcept {}
void QZR_THISCALL drawNoHeaders(void*, void*, float, float) noexcept {}
void QZR_THISCALL doNothing(void*) noexcept {}

void QZR_THISCALL refreshFocus(void* page) noexcept {
  try {
    const GridShape s = shapeOf(page);
    void* selected = cursorCell(page, s);
    for (std::int32_t i = 0; i < cellCount(s); ++i) {
      void* cell = GridPage::cell(page, i);
      if (cell == nullptr) continue;
      const bool focused = cell == selected;
      HostMenuItem::setFocusTarget(cell, focused ? static_cast<host::HostWord>(GridPage::editing(page)) : 0u);
      HostMenuItem::setFocused(cell, focused);
    }
  } catch (...) {
  }
}

void QZR_THISCALL moveCursor(void* page, std::int32_t direction) noexcept {
  try {
    const GridShape s = shapeOf(page);
    std::int32_t& column = GridPage::column(page);
    std::int32_t& row = GridPage::row(page);
    std::int32_t move = 0;  // 1 after a decrement, 2 after an increment
    const std::int32_t oldColumn = column, oldRow = row;
    switch (direction) {
      case 0: column = std::max(0, column - 1); break;
      case 1: column = std::min(s.columns - 1, column + 1); break;
      case 2: row = std::max(0, row - 1); break;
      case 3: row = std::min(s.rows - 1, row + 1); break;
      default: break;
    }
    if (column < oldColumn || row < oldRow) move = 1;
    if (column > oldColumn || row > oldRow) move = 2;
    if (move != 0) {
      if (host::HostEventHub* hub = host::HostEventHub::instance()) hub->menuCursorMoved()->raise(&move);
    }
    gridSlot<void(QZR_THISCALL*)(void*)>(page, kGridRefreshFocus)(page);
  } catch (...) {
  }
}

void QZR_THISCALL drawTitleBar(void* page, void* renderer, float) noexcept {
  try {
    const float barX = gridSlot<float(QZR_THISCALL*)(void*)>(page, kGridTitleBarX)(page);
    const float width = gridSlot<float(QZR_THISCALL*)(void*)>(page, kGridTitleBarWidth)(page);
    const std::int32_t id = gridSlot<std::int32_t(QZR_THISCALL*)(void*)>(page, kGridTitleTextId)(page);
    HostMenuRenderer::setColour(renderer, 1);
    HostMenuRenderer::fillRect(renderer, barX, 49.0f, width, 3.0f);
    HostMenuRenderer::setColour(renderer, 2);
    HostMenuRenderer::drawTextId(renderer, id, barX + 12.0f, 49.0f);
  } catch (...) {
  }
}

const wchar_t* QZR_THISCALL defaultTitle(void*) noexcept { return L"Default Heading"; }
float QZR_THISCALL defaultBarX(void*) noexcept { return 286.0f; }
float QZR_THISCALL defaultBarWidth(void*) noexcept { return 413.0f; }
std::int32_t QZR_THISCALL defaultTextId(void*) noexcept { return 1249; }

void QZR_THISCALL linkColumns(void* page, std::int32_t row, std::int32_t column) noexcept {
  linkGridColumns(page, shapeOf(page), row, column);
}

}  // namespace

void buildGridSlotTable(void** table, const GridShape& shape) {
  host::VtableClone clone;
  clone.setTarget(table);
  clone.copyFrom(host::HostAddress(kHostGridPageTable).resolve(), kGridTableSlots * sizeof(void*));
  if (gTableShapeCount < std::size(gTableShapes)) gTableShapes[gTableShapeCount++] = {table, shape};
  const GridSlotEntry family[] = {
      {kGridDestroy, slotEntry(&destroy)},
      {kGridOnInput, slotEntry(&onInput)},
      {kGridBroadcast, slotEntry(&broadcast)},
      {kGridDraw, slotEntry(&draw)},
      {kGridReleaseItems, slotEntry(&releaseItems)},
      {kGridColumnX, slotEntry(&columnX)},
      {kGridRowY, slotEntry(&rowY)},
      {kGridUnnamed, slotEntry(&ignoreOne)},
      {kGridDrawHeaders, slotEntry(&drawNoHeaders)},
      {kGridRefreshFocus, slotEntry(&refreshFocus)},
      {kGridMoveCursor, slotEntry(&moveCursor)},
      {kGridDrawTitleBar, slotEntry(&drawTitleBar)},
      {kGridTitleText, slotEntry(&defaultTitle)},
      {kGridTitleBarX, slotEntry(&defaultBarX)},
      {kGridTitleBarWidth, slotEntry(&defaultBarWidth)},
      {kGridTitleTextId, slotEntry(&defaultTextId)},
      {kGridLinkColumns, slotEntry(&linkColumns)},
      {kGridAfterStep, slotEntry(&doNothing)},
      {kGridOnValueEvent, slotEntry(&doNothing)},
  };
  for (const GridSlotEntry& e : family) clone.exchangeSlot(e.slot * sizeof(void*), e.entry);
}

void linkGridColumns(void* page, const GridShape& s, std::int32_t row, std::int32_t column) noexcept {
  // Only the first two columns are partners; a wider grid's other columns have none.
  if (page == nullptr || s.columns < 2 || row < 0 || row >= s.rows || column < 0 || column > 1) return;
  const void* from = GridPage::cell(page, column * s.rows + row);
  const void* to = GridPage::cell(page, (1 - column) * s.rows + row);
  if (from == nullptr || to == nullptr) return;
  const void* source = setupRowValue(from);
  void* target = setupRowValue(to);
  if (source == nullptr || target == nullptr || source == target) return;
  std::memmove(target, source, 16);
}

void localizeGridLabels(void* page, const GridShape& s) noexcept {
  try {
    if (page == nullptr) return;
    LocalizedStrings& strings = LocalizedStrings::instance();
    for (std::int32_t i = 0; i < s.texts; ++i) strings.text(GridPage::text(page, s, i));
    for (std::int32_t i = 0; i < cellCount(s); ++i) {
      void* cell = GridPage::cell(page, i);
      if (cell == nullptr) continue;
      if (host::HostText* label = host::HostSetupRow::label(cell)) strings.text(*label);
    }
  } catch (...) {
  }
}

bool gridPageComplete(void* page, const GridPageKind& kind) noexcept {
  for (std::int32_t i = 0; i < cellCount(kind.shape); ++i) {
    if (((kind.offered >> i) & 1u) != 0 && GridPage::cell(page, i) == nullptr) return false;
  }
  return true;
}

void* constructGridPage(void* memory, const GridPageKind& kind) noexcept {
  if (memory == nullptr) return nullptr;
  const GridShape& s = kind.shape;
  std::memset(memory, 0, s.size());
  try {
    void** table = kind.table();
    host::setTable(memory, table);
    for (std::int32_t i = 0; i < s.texts; ++i) GridPage::text(memory, s, i).setKey(kind.keys[i]);
    host::CallbackPair& pair = GridPage::callbacks(memory, s);
    pair.setFunction(static_cast<host::HostWord>(reinterpret_cast<std::uintptr_t>(kind.localizeLabels)));
    pair.setContext(static_cast<host::HostWord>(reinterpret_cast<std::uintptr_t>(memory)));
    host::VtableClone clone;
    clone.setTarget(table);
    for (std::size_t i = 0; i < kind.entryCount; ++i) {
      clone.exchangeSlot(kind.entries[i].slot * sizeof(void*), kind.entries[i].entry);
    }
    gridSlot<void(QZR_THISCALL*)(void*)>(memory, kGridBuildRows)(memory);
  } catch (...) {
    host::HostMenuPageBase::restoreBaseVtable(memory);
  }
  return memory;
}

}  // namespace kvl::gui
