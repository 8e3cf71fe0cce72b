#pragma once
// The 20-row window of the setup-file list menus and the store of the texts of its rows.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kvl::gui {

constexpr std::int32_t kListRows = 20;

struct ListWindow {
  std::int32_t first;        // the first item shown
  std::int32_t highlighted;  // the window row of the selected item
};

// The file list: from the top while the selection is in the first 20 entries, then with the
// selected entry in the last row.
ListWindow fileListWindow(std::int32_t selected) noexcept;
// The chooser: item 0 stays in row 0; rows 1 to 19 show the items from max(1, first) on.
ListWindow chooserWindow(std::int32_t selected) noexcept;

// The chooser's current entry as "<label>": at most 127 characters, and no longer than a row text
// may be, with the label cut so that both brackets stay.
std::wstring currentEntryText(const std::wstring& label);

// Two texts per row in one wide buffer of 3240 characters: each text is cut to its share of the
// buffer (80 characters and the terminator), so a long name never runs past the store.
class ListRowTexts {
 public:
  static constexpr std::size_t kBufferSize = 3240;
  static constexpr std::size_t kTexts = 2 * kListRows;
  static constexpr std::size_t kSlotSize = kBufferSize / kTexts;

  ListRowTexts() noexcept;
  void set(std::int32_t row, std::int32_t column, const std::wstring& text) noexcept;
  // Row-major: row r, column c at 2r + c.
  const wchar_t* const* texts() const noexcept { return texts_; }

 private:
  wchar_t buffer_[kBufferSize];
  const wchar_t* texts_[kTexts];
};

}  // namespace kvl::gui
