// The bump-stop grid: per wheel the bump-stop stiffness, bump damping and rebound damping of its
// axle; both columns edit the same front and rear values.
#include <iterator>

#include "plugin/gui/car_setup_fields.h"
#include "plugin/gui/car_setup_pages.h"
#include "plugin/gui/setup_page_rows.h"

namespace kvl::gui {
namespace {

using namespace setup_fields;
constexpr GridShape kShape{2, 6, 5};
using Slots = GridKindSlots<kShape>;
const char* const kKeys[5] = {"BumpStops", "CS_FL_DMP", "CS_FR_DMP", "CS_RL_DMP", "CS_RR_DMP"};

void QZR_THISCALL buildRows(void* page) noexcept {
  try {
    for (std::int32_t q = 0; q < 4; ++q) {
      const std::size_t axle = kQuarterWheel[q] < 2 ? 0 : 1;
      GridPage::cell(page, 3 * q + 0) = makeDamperRow("Stiffness", 12, kBumpStopStiffness[axle], kBumpStopStiffnessRange);
      GridPage::cell(page, 3 * q + 1) = makeDamperRow("BumpDamping", 10, kBumpStopDampingBump[axle], kBumpStopDampingRange);
      GridPage::cell(page, 3 * q + 2) =
          makeDamperRow("ReboundDamping", 10, kBumpStopDampingRebound[axle], kBumpStopDampingRange);
    }
  } catch (...) {
  }
}

using Layout = DamperPageSlots<kShape, 3, 174, 230>;

// The layout entries first: the dampers rebound page writes them too.
const GridSlotEntry kEntries[] = {
    {kGridColumnX, slotEntry(&Layout::columnX)},           {kGridRowY, slotEntry(&Layout::rowY)},
    {kGridDrawHeaders, slotEntry(&Layout::drawHeaders)},   {kGridTitleText, slotEntry(&Slots::titleText)},
    {kGridTitleBarX, slotEntry(&Layout::titleBarX)},       {kGridTitleBarWidth, slotEntry(&Layout::titleBarWidth)},
    {kGridTitleTextId, slotEntry(&Layout::titleTextId)},   {kGridBuildRows, slotEntry(&buildRows)},
    {kGridLinkColumns, slotEntry(&Slots::link)},
};

}  // namespace

void** bumpStopPageTable() { return Slots::table(); }

const GridSlotEntry* bumpStopLayoutEntries(std::size_t& count) {
  count = 7;
  return kEntries;
}

const GridPageKind& bumpStopPageKind() {
  static const GridPageKind kind{kShape, &Slots::table, kKeys, &Slots::localize, kEntries, std::size(kEntries)};
  return kind;
}

}  // namespace kvl::gui
