#include "plugin/gui/setup_row_values.h"

#include <unordered_map>

namespace kvl::gui {
namespace {

// Host thread only, as the menus that make and free the rows.
std::unordered_map<const void*, void*>& values() {
  static std::unordered_map<const void*, void*> kept;
  return kept;
}

}  // namespace

void* makeSetupRow(const host::HostText& label, std::int32_t kind, void* value, void* range,
                   const host::SetupRowLayout& layout) {
  void* row = host::HostSetupRow::create(label, kind, value, range, layout);
  if (row != nullptr) {
    try {
      values()[row] = value;
    } catch (...) {
      // Without room to keep it the row is simply never linked to another.
      values().erase(row);
    }
  }
  return row;
}

void* setupRowValue(const void* row) noexcept {
  const auto& kept = values();
  const auto it = kept.find(row);
  return it == kept.end() ? nullptr : it->second;
}

void forgetSetupRow(const void* row) noexcept { values().erase(row); }

}  // namespace kvl::gui
