// The enhanced dampers grid: per wheel its bump, rebound and fast bump damping and fast bump
// threshold, and its axle's fast rebound damping and threshold.
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

void QZR_THISCALL buildRows(void* page) noexcept {
  try {
    for (std::int32_t q = 0; q < 4; ++q) {
      const std::size_t wheel = kQuarterWheel[q];
      const std::size_t axle = wheel < 2 ? 0 : 1;
      const std::int32_t first = 6 * q;
      GridPage::cell(page, first + 0) =
          makeDamperRow("Bump", 10, wheelDamperValue(wheel, kDampingBump), wheelDamperRange(wheel, kDampingBump));
      GridPage::cell(page, first + 1) = makeDamperRow("Rebound", 10, wheelDamperValue(wheel, kDampingRebound),
                                                      wheelDamperRange(wheel, kDampingRebound));
      GridPage::cell(page, first + 2) =
          makeDamperRow("FastBump", 10, wheelDamperValue(wheel, kFastBump), wheelDamperRange(wheel, kFastBump));
      GridPage::cell(page, first + 3) =
          makeDamperRow("FastRebound", 10, kHighSpeedDampingRebound[axle], wheelDamperRange(wheel, kFastBump));
      GridPage::cell(page, first + 4) = makeDamperRow("FastBumpThreshold", 2, wheelDamperValue(wheel, kFastBumpThreshold),
                                                      wheelDamperRange(wheel, kFastBumpThreshold));
      GridPage::cell(page, first + 5) = makeDamperRow("FastReboundThreshold", 2, kHighSpeedBreakRebound[axle],
                                                      wheelDamperRange(wheel, kFastBumpThreshold));
    }
  } catch (...) {
  }
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
  static const GridPageKind kind{kShape, &Slots::table, kKeys, &Slots::localize, kEntries, std::size(kEntries)};
  return kind;
}

}  // namespace kvl::gui
