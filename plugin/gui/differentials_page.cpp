// The differentials and handbrake page: one column of six rows, the three differential torques,
// handbrake release, the brake threshold and the plugin's handbrake percentage (0 to 1 in steps
// of 0.01, on a range of the plugin's own). Only the handbrake percentage is offered: where the
// host's differentials block keeps the other five values, and where their ranges lie, is not
// known, so rows 0 to 4 stay empty.
#include <iterator>

#include "plugin/gui/car_setup_fields.h"
#include "plugin/gui/car_setup_pages.h"
#include "plugin/gui/setup_page_rows.h"
#include "plugin/gui/setup_row_values.h"
#include "plugin/host/model/host_param.h"

namespace kvl::gui {
namespace {

using namespace setup_fields;
constexpr GridShape kShape{1, 6, 7};
using Slots = GridKindSlots<kShape>;
const char* const kKeys[7] = {"CS_DIFTOR",  "CS_CDIF_TOR", "CS_FDIF_TOR",        "CS_RDIF_TOR",
                              "CS_HNDB_RE", "CS_FB_THRES", "HandbrakePercentage"};
constexpr std::int32_t kHandbrakePercentageRow = 5;

host::HostFloatParam gHandbrakeRange[3];

void* differentialRow(std::int32_t row, std::int32_t kind, void* value, void* range, std::int32_t l5) {
  if (value == nullptr || range == nullptr) return nullptr;
  return makeSetupRow(host::HostText(kKeys[1 + row]), kind, value, range, {314.0f, 272.0f, 84.0f, 0, l5});
}

void QZR_THISCALL buildRows(void* page) noexcept {
  try {
    gHandbrakeRange[0].set(0.0f);
    gHandbrakeRange[1].set(1.0f);
    gHandbrakeRange[2].set(0.01f);
    GridPage::cell(page, kHandbrakePercentageRow) = differentialRow(
        kHandbrakePercentageRow, 15, setupValue(kHandbrakePercentage), &gHandbrakeRange[0], 0);
  } catch (...) {
  }
}

float QZR_THISCALL columnX(void*, void*, std::int32_t column, std::int32_t) noexcept {
  return static_cast<float>(column) * 189.0f;
}
float QZR_THISCALL titleBarX(void*) noexcept { return 435.0f; }
float QZR_THISCALL titleBarWidth(void*) noexcept { return 189.0f; }
std::int32_t QZR_THISCALL titleTextId(void*) noexcept { return 1224; }

const GridSlotEntry kEntries[] = {
    {kGridBuildRows, slotEntry(&buildRows)},         {kGridColumnX, slotEntry(&columnX)},
    {kGridTitleText, slotEntry(&Slots::titleText)},  {kGridTitleBarX, slotEntry(&titleBarX)},
    {kGridTitleBarWidth, slotEntry(&titleBarWidth)}, {kGridTitleTextId, slotEntry(&titleTextId)},
};

}  // namespace

const GridPageKind& differentialsPageKind() {
  static const GridPageKind kind{kShape,   &Slots::table,      kKeys, &Slots::localize,
                                 kEntries, std::size(kEntries), 1u << kHandbrakePercentageRow};
  return kind;
}

}  // namespace kvl::gui
