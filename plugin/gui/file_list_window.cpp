#include "plugin/gui/file_list_window.h"

#include <algorithm>

namespace kvl::gui {

ListWindow fileListWindow(std::int32_t selected) noexcept {
  return {selected < kListRows ? 0 : selected - (kListRows - 1), std::min(selected, kListRows - 1)};
}

ListWindow chooserWindow(std::int32_t selected) noexcept {
  return {selected < kListRows ? 0 : selected - (kListRows - 2), std::min(selected, kListRows - 1)};
}

std::wstring currentEntryText(const std::wstring& label) {
  constexpr std::size_t kLongest = std::min<std::size_t>(127, ListRowTexts::kSlotSize - 1);
  return L"<" + label.substr(0, kLongest - 2) + L">";
}

ListRowTexts::ListRowTexts() noexcept : buffer_{} {
  for (std::size_t i = 0; i < kTexts; ++i) texts_[i] = buffer_ + i * kSlotSize;
}

void ListRowTexts::set(std::int32_t row, std::int32_t column, const std::wstring& text) noexcept {
  if (row < 0 || row >= kListRows || column < 0 || column > 1) return;
  wchar_t* slot = buffer_ + static_cast<std::size_t>(2 * row + column) * kSlotSize;
  const std::size_t length = std::min(text.size(), kSlotSize - 1);
  std::copy_n(text.data(), length, slot);
  slot[length] = L'\0';
}

}  // namespace kvl::gui
