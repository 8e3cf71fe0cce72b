// The enhanced dampers grid: per wheel six rows, its bump, rebound and fast bump damping and fast
// bump threshold, and its axle's fast rebound damping and threshold. Only the axle's two rows are
// offered: where the host keeps a wheel's own damper values in its spring and damper block is not
// known, so those four cells stay empty.
#include <iterator>

#include "plugin/gui/car_setup_fields.h"
#include "plugin/gui/car_setup_pages.h"
#include "plugin/gui/setup_page_rows.h"

namespace kvl::gui {
namespace {

using namespace setup_fields;
constexpr GridShape kShape{2, 12, 5};
using Slots = GridKindSlots<kShape>;
const char* const kKeys[5] = {"DampersEnhanced", "CS_FL_DMP", "CS_FR_DMP", "CS_RL_DMP", "CS_RR_DMP"};
constexpr std::int32_t kFastRebound = 3, kFastReboundThreshold = 5;  // rows within a wheel's six

void QZR_THISCALL buildRows(void* page) noexcept {
  try {
    for (std::int32_t q = 0; q < 4; ++q) {
      const std::size_t wheel = kQuarterWheel[q];
      const std::size_t axle = wheel < 2 ? 0 : 1;
      const std::int32_t first = 6 * q;
      GridPage::cell(page, first + kFastRebound) = makeDamperRow(
          "FastRebound", 10, kHighSpeedDampingRebound[axle], wheelDamperRange(wheel, kDampingBumpHighSpeed));
      GridPage::cell(page, first + kFastReboundThreshold) = makeDamperRow(
          "FastReboundThreshold", 2, kHighSpeedBreakRebound[axle], wheelDamperRange(wheel, kBumpHighSpeedBreak));
    }
  } catch (...) {
  }
}

constexpr std::uint32_t offeredCells() {
  std::uint32_t cells = 0;
  for (std::int32_t q = 0; q < 4; ++q) {
    cells |= (1u << (6 * q + kFastRebound)) | (1u << (6 * q + kFastReboundThreshold));
  }
  return cells;
}

using Layout = DamperPageSlots<kShape, 6, 223, 296>;

const GridSlotEntry kEntries[] = {
    {kGridBuildRows, slotEntry(&buildRows)},         {kGridColumnX, slotEntry(&Layout::columnX)},
    {kGridRowY, slotEntry(&Layout::rowY)},                   {kGridDrawHeaders, slotEntry(&Layout::drawHeaders)},
    {kGridTitleText, slotEntry(&Slots::titleText)},  {kGridTitleBarX, slotEntry(&Layout::titleBarX)},
    {kGridTitleBarWidth, slotEntry(&Layout::titleBarWidth)}, {kGridTitleTextId, slotEntry(&Layout::titleTextId)},
    {kGridLinkColumns, slotEntry(&Slots::link)},
};

}  // namespace

const GridPageKind& enhancedDampersPageKind() {
  static const GridPageKind kind{kShape,   &Slots::table,      kKeys, &Slots::localize,
                                 kEntries, std::size(kEntries), offeredCells()};
  return kind;
}

}  // namespace kvl::gui
