#pragma once
// The plugin's car-setup grid pages: plugin objects laid out like the host's setup grid page, on
// per-kind copies of its 30-slot table. A page holds columns x rows host value rows (column-major),
// a cursor, an edit flag, its text records (title first) and the callback pair that localises
// them. The host draws the page and sends it input through the copied table; every slot that
// calls another slot of the same page goes through the page's table, so a kind's replacements
// take effect.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/model/callback_pair.h"
#include "plugin/host/model/host_text.h"

namespace kvl::gui {

// Slots of the grid page table.
enum GridSlot : std::size_t {
  kGridDestroy = 0,
  kGridOnInput = 1,
  kGridBroadcast = 2,
  kGridDraw = 3,
  kGridBuildRows = 14,
  kGridReleaseItems = 15,
  kGridColumnX = 16,
  kGridRowY = 17,
  kGridUnnamed = 18,
  kGridDrawHeaders = 19,
  kGridRefreshFocus = 20,
  kGridMoveCursor = 21,
  kGridDrawTitleBar = 22,
  kGridTitleText = 23,
  kGridTitleBarX = 24,
  kGridTitleBarWidth = 25,
  kGridTitleTextId = 26,
  kGridLinkColumns = 27,
  kGridAfterStep = 28,
  kGridOnValueEvent = 29,
};
constexpr std::size_t kGridTableSlots = 30;
constexpr std::uint32_t kHostGridPageTable = 0x744204;

// Menu input events the pages take.
enum MenuEvent : std::uint32_t {
  kEventToggleEdit = 0x40000004,
  kEventValue = 0x40000007,
  kEventUp = 0x4000001C,
  kEventDown = 0x4000001D,
  kEventLeft = 0x4000001E,
  kEventRight = 0x4000001F,
  kEventBrowse = 0x40000020,
};

struct GridShape {
  std::int32_t columns;
  std::int32_t rows;
  std::int32_t texts;  // the title and the header or label records
  std::size_t cellsOffset() const noexcept { return 20; }
  std::size_t textsOffset() const noexcept { return 20 + 4 * static_cast<std::size_t>(columns * rows); }
  std::size_t callbacksOffset() const noexcept { return textsOffset() + 12 * static_cast<std::size_t>(texts); }
  std::size_t size() const noexcept { return callbacksOffset() + 8; }
};

// The fields every grid page has, at the host's offsets.
struct GridPage {
  static std::int32_t& column(void* page) noexcept { return host::fieldAt<std::int32_t>(page, 8); }
  static std::int32_t& row(void* page) noexcept { return host::fieldAt<std::int32_t>(page, 12); }
  static std::int32_t& editing(void* page) noexcept { return host::fieldAt<std::int32_t>(page, 16); }
  static void*& cell(void* page, std::int32_t index) noexcept {
    return host::fieldAt<void*>(page, 20 + 4 * static_cast<std::size_t>(index));
  }
  static host::HostText& text(void* page, const GridShape& s, std::int32_t i) noexcept {
    return host::fieldAt<host::HostText>(page, s.textsOffset() + 12 * static_cast<std::size_t>(i));
  }
  static host::CallbackPair& callbacks(void* page, const GridShape& s) noexcept {
    return host::fieldAt<host::CallbackPair>(page, s.callbacksOffset());
  }
};

// One page-specific table entry, written by every construction of the kind.
struct GridSlotEntry {
  std::size_t slot;
  void* entry;
};

// A page kind: its shape, its table copy (made on first use), its text keys, its label handler,
// its own entries (among them slot 14, which builds the rows) and the cells it offers a row in
// (bit i for cell i); the other cells stay empty.
struct GridPageKind {
  GridShape shape;
  void** (*table)();
  const char* const* keys;  // shape.texts keys
  void (*localizeLabels)(void* page);
  const GridSlotEntry* entries;
  std::size_t entryCount;
  std::uint32_t offered = ~0u;
};

// Builds a page of the kind on host memory of shape.size() bytes; the page's rows are made by
// its slot 14. Returns the page, or null without memory.
void* constructGridPage(void* memory, const GridPageKind& kind) noexcept;

// True when every cell the kind offers holds a row.
bool gridPageComplete(void* page, const GridPageKind& kind) noexcept;

// Makes the kind's table copy: the host table, then the family's entries for that shape in
// slots 0-3 and 15-29.
void buildGridSlotTable(void** table, const GridShape& shape);

// The label handler of every kind: the page's text records, then every cell's label.
void localizeGridLabels(void* page, const GridShape& shape) noexcept;

// The column link: copies the 16-byte value of cell (column, row) to the same row of the other
// of the first two columns, when both rows were made by the plugin on different values.
void linkGridColumns(void* page, const GridShape& shape, std::int32_t row, std::int32_t column) noexcept;

// Calls slot `slot` of the page's table.
template <typename Fn>
Fn gridSlot(const void* page, std::size_t slot) noexcept {
  const auto* table = *static_cast<void* const* const*>(page);
  return reinterpret_cast<Fn>(table[slot]);
}

// Slot entries as table words: one conversion per signature.
template <typename Fn>
void* slotEntry(Fn function) noexcept {
  return reinterpret_cast<void*>(function);
}

// The slots every kind writes for its own shape: its title record as the title, its labels'
// handler, its column link, and its table copy made on first use.
template <const GridShape& S>
struct GridKindSlots {
  static const wchar_t* QZR_THISCALL titleText(void* page) noexcept {
    try {
      return host::HostText::widen(&GridPage::text(page, S, 0));
    } catch (...) {
      return L"";
    }
  }
  static void QZR_CDECL localize(void* page) noexcept { localizeGridLabels(page, S); }
  static void QZR_THISCALL link(void* page, std::int32_t row, std::int32_t column) noexcept {
    linkGridColumns(page, S, row, column);
  }
  static void** table() {
    static void* entries[kGridTableSlots];
    static const bool built = (buildGridSlotTable(entries, S), true);
    (void)built;
    return entries;
  }
};

}  // namespace kvl::gui
