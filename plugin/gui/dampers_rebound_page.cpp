// The dampers rebound grid: per wheel its rebound damping and its axle's fast rebound damping and
// threshold, laid out as the bump-stop grid on that page's table copy. Where the host keeps a
// wheel's own rebound damping is not known: those cells stay empty.
#include <vector>

#include "plugin/gui/car_setup_fields.h"
#include "plugin/gui/car_setup_pages.h"
#include "plugin/gui/setup_page_rows.h"

namespace kvl::gui {
namespace {

using namespace setup_fields;
constexpr GridShape kShape{2, 6, 5};
using Slots = GridKindSlots<kShape>;
const char* const kKeys[5] = {"DampersRebound", "CS_FL_DMP", "CS_FR_DMP", "CS_RL_DMP", "CS_RR_DMP"};

void QZR_THISCALL buildRows(void* page) noexcept {
  try {
    for (std::int32_t q = 0; q < 4; ++q) {
      const std::size_t wheel = kQuarterWheel[q];
      const std::size_t axle = wheel < 2 ? 0 : 1;
      GridPage::cell(page, 3 * q + 1) = makeDamperRow("FastRebound", 10, kHighSpeedDampingRebound[axle],
                                                      wheelDamperRange(wheel, kDampingBumpHighSpeed));
      GridPage::cell(page, 3 * q + 2) = makeDamperRow("FastReboundThreshold", 2, kHighSpeedBreakRebound[axle],
                                                      wheelDamperRange(wheel, kBumpHighSpeedBreak));
    }
  } catch (...) {
  }
}

// Every cell but each wheel's first ("CS_REBOUND").
constexpr std::uint32_t kOfferedCells = 0xFFFu & ~0x249u;

// Only each wheel's rebound row is tied to the other column.
void QZR_THISCALL linkColumns(void* page, std::int32_t row, std::int32_t column) noexcept {
  if (row == 0 || row == 3) linkGridColumns(page, kShape, row, column);
}

const std::vector<GridSlotEntry>& entries() {
  static const std::vector<GridSlotEntry> all = [] {
    std::size_t n = 0;
    const GridSlotEntry* layout = bumpStopLayoutEntries(n);
    std::vector<GridSlotEntry> e(layout, layout + n);
    e.push_back({kGridBuildRows, slotEntry(&buildRows)});
    e.push_back({kGridLinkColumns, slotEntry(&linkColumns)});
    return e;
  }();
  return all;
}

}  // namespace

const GridPageKind& dampersReboundPageKind() {
  static const GridPageKind kind{kShape,         &bumpStopPageTable, kKeys,        &Slots::localize,
                                 entries().data(), entries().size(),  kOfferedCells};
  return kind;
}

}  // namespace kvl::gui
