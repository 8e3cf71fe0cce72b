#include "plugin/gui/setup_slot_rules.h"

#include <cwchar>

namespace kvl::gui {

SlotWindow slotWindow(std::int32_t selected) noexcept {
  if (selected < kSlotLines) return {0, selected < 0 ? 0 : selected};
  return {selected - (kSlotLines - 1), kSlotLines - 1};
}

std::int32_t slotOfRow(std::int32_t kind, std::int32_t row) noexcept {
  if (kind == 2) return row < 2 ? -1 : row - 2;
  return row;
}

std::int32_t stepSlotSelection(std::int32_t selected, std::int32_t step, std::int32_t rows, std::int32_t kind,
                               const std::function<bool(std::int32_t slot)>& slotEmpty) {
  if (rows <= 0) return 0;
  std::int32_t candidate = selected + step;
  for (std::int32_t attempt = 0; attempt <= rows; ++attempt) {
    if (candidate < 0 || candidate >= rows) {
      candidate = candidate < 0 ? rows - 1 : 0;
      continue;
    }
    const bool taken = kind == 1 || (kind == 2 && candidate < 2) || !slotEmpty(slotOfRow(kind, candidate));
    if (taken) return attempt < rows ? candidate : 0;
    candidate += step;
  }
  return 0;
}

int formatWide(wchar_t* buffer, std::size_t count, const wchar_t* format, ...) {
  if (buffer == nullptr || count == 0 || format == nullptr) return -1;
  va_list arguments;
  va_start(arguments, format);
  const int n = std::vswprintf(buffer, count, format, arguments);
  va_end(arguments);
  if (n < 0 || static_cast<std::size_t>(n) >= count) {
    buffer[count - 1] = L'\0';
    return -1;
  }
  return n;
}

std::wstring slotNumberText(std::int32_t slot) {
  wchar_t text[16];
  return formatWide(text, 16, L"%03.3d", static_cast<int>(slot)) < 0 ? std::wstring() : std::wstring(text);
}

std::wstring substituteOnce(const std::wstring& pattern, const std::wstring& value, std::size_t limit) {
  std::wstring out;
  bool done = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (!done && pattern[i] == L'%') {
      std::size_t length = 0;
      if (pattern.compare(i, 2, L"%s") == 0 || pattern.compare(i, 2, L"%S") == 0) length = 2;
      if (pattern.compare(i, 3, L"%ls") == 0) length = 3;
      if (length != 0) {
        out += value;
        i += length - 1;
        done = true;
        continue;
      }
    }
    out += pattern[i];
  }
  if (out.size() > limit) out.resize(limit);
  return out;
}

}  // namespace kvl::gui
