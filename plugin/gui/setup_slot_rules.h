#pragma once
// The rules of the setup slot page on plain values: its ten-line window, the rows the up and
// down keys may land on, the slot numbers, and the default and current lines built from host
// texts that are used as formats for one text.
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace kvl::gui {

constexpr std::int32_t kSlotLines = 10;

// Kinds of the slot dialog: 0 loads from used slots only, 1 saves into any slot, 2 loads with
// the car's default and current setups as rows 0 and 1.
struct SlotWindow {
  std::int32_t first;        // the first row shown
  std::int32_t highlighted;  // the line of the selected row
};
SlotWindow slotWindow(std::int32_t selected) noexcept;

// The slot row r shows (kind 2: r - 2, none for rows 0 and 1); -1 for none.
std::int32_t slotOfRow(std::int32_t kind, std::int32_t row) noexcept;

// The row the selection moves to by step (+1 down, -1 up) among `rows` rows: rows are tried from
// the selected row plus the step, up to rows + 1 candidates; a row is taken when the kind is 1,
// when it is one of kind 2's first two rows, or when its slot is not empty; a step past either end
// wraps and uses up that try. When no row is taken, or only on the last try, the result is 0.
std::int32_t stepSlotSelection(std::int32_t selected, std::int32_t step, std::int32_t rows, std::int32_t kind,
                               const std::function<bool(std::int32_t slot)>& slotEmpty);

// Formats like vswprintf with a count: the number of characters, or -1 when the result does not
// fit or the format fails.
int formatWide(wchar_t* buffer, std::size_t count, const wchar_t* format, ...);

// The slot number in three digits at least ("007", "123").
std::wstring slotNumberText(std::int32_t slot);

// A host text with one placeholder for a text ("%s", "%ls" or "%S") and the text for it: the
// first placeholder is replaced, everything else is kept as it is, so a text from a strings file
// is never read as a format. The result is cut to `limit` characters.
std::wstring substituteOnce(const std::wstring& pattern, const std::wstring& value, std::size_t limit);

}  // namespace kvl::gui
