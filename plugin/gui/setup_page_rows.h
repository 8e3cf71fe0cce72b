#pragma once
// What the car-setup pages share: the addresses of values and ranges in the host's current car
// setup and setup ranges, the rows made through the host, and the two-column damper layout
// (columns 265 apart, a gap before the lower half, wheel headers above each quarter).
#include <cstddef>
#include <cstdint>

#include "plugin/gui/setup_grid_page.h"
#include "plugin/host/binding/abi.h"

namespace kvl::gui {

// Null while the host has no setup object.
void* setupValue(std::size_t offset) noexcept;
void* setupRange(std::size_t offset) noexcept;

// A damper-page row (layout 189, 142, 94, 0, 0); null without host memory or setup.
void* makeDamperRow(const char* key, std::int32_t kind, std::size_t value, std::size_t range);

// The damper pages' positions: column 0 at 0, column 1 at 265; rows from firstLowerRow on 30
// lower; headers at y 95 and lowerHeaderY.
float damperColumnX(std::int32_t column) noexcept;
float damperRowY(void* renderer, std::int32_t row, std::int32_t firstLowerRow);
// Text records 1 to 4 of the page are the headers "CS_FL_DMP", "CS_FR_DMP", "CS_RL_DMP",
// "CS_RR_DMP".
void drawDamperHeaders(void* page, const GridShape& shape, void* renderer, float x, float lowerHeaderY);

// The text keys of the damper pages after their title.
extern const char* const kWheelHeaderKeys[4];

// The host wheel of a damper-page quarter: column 0 top (left front), column 0 bottom (left
// rear), column 1 top (right front), column 1 bottom (right rear).
constexpr std::size_t kQuarterWheel[4] = {0, 2, 1, 3};

// The positions, headers and title bar of a two-column damper page of the shape: rows from
// FirstLowerRow on lie 30 lower, the lower headers at LowerHeaderY, a title bar BarWidth wide.
template <const GridShape& S, std::int32_t FirstLowerRow, int LowerHeaderY, int BarWidth>
struct DamperPageSlots {
  static float QZR_THISCALL columnX(void*, void*, std::int32_t column, std::int32_t) noexcept {
    return damperColumnX(column);
  }
  static float QZR_THISCALL rowY(void*, void* renderer, std::int32_t row) noexcept {
    try {
      return damperRowY(renderer, row, FirstLowerRow);
    } catch (...) {
      return 0.0f;
    }
  }
  static void QZR_THISCALL drawHeaders(void* page, void* renderer, float x, float) noexcept {
    try {
      drawDamperHeaders(page, S, renderer, x, static_cast<float>(LowerHeaderY));
    } catch (...) {
    }
  }
  static float QZR_THISCALL titleBarX(void*) noexcept { return 300.0f; }
  static float QZR_THISCALL titleBarWidth(void*) noexcept { return static_cast<float>(BarWidth); }
  static std::int32_t QZR_THISCALL titleTextId(void*) noexcept { return 1241; }
};

}  // namespace kvl::gui
