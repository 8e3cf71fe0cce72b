#include "plugin/gui/setup_page_rows.h"

#include "plugin/gui/setup_row_values.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/host_menu_renderer.h"
#include "plugin/host/model/host_menus.h"

namespace kvl::gui {
namespace {

void* offsetInto(void* object, std::size_t offset) noexcept {
  return object == nullptr ? nullptr : static_cast<unsigned char*>(object) + offset;
}

}  // namespace

const char* const kWheelHeaderKeys[4] = {"CS_FL_DMP", "CS_FR_DMP", "CS_RL_DMP", "CS_RR_DMP"};

void* setupValue(std::size_t offset) noexcept { return offsetInto(host::hostObject<0x7ECD00>(), offset); }
void* setupRange(std::size_t offset) noexcept { return offsetInto(host::hostObject<0x7ECD04>(), offset); }

void* makeDamperRow(const char* key, std::int32_t kind, std::size_t value, std::size_t range) {
  void* v = setupValue(value);
  void* r = setupRange(range);
  if (v == nullptr || r == nullptr) return nullptr;
  return makeSetupRow(host::HostText(key), kind, v, r, {189.0f, 142.0f, 94.0f, 0, 0});
}

float damperColumnX(std::int32_t column) noexcept { return column == 0 ? 0.0f : 265.0f; }

float damperRowY(void* renderer, std::int32_t row, std::int32_t firstLowerRow) {
  return host::HostMenuPage::defaultSlotCall(renderer, row >= firstLowerRow ? 30.0f : 0.0f, row);
}

void drawDamperHeaders(void* page, const GridShape& shape, void* renderer, float x, float lowerHeaderY) {
  using host::HostMenuRenderer;
  HostMenuRenderer::setColour(renderer, 4);
  HostMenuRenderer::setEnabled(renderer, 1);
  // Records 1-4: left front, right front, left rear, right rear.
  const struct {
    std::int32_t record;
    float x, y;
  } headers[4] = {{1, x, 95.0f}, {3, x, lowerHeaderY}, {2, x + 265.0f, 95.0f}, {4, x + 265.0f, lowerHeaderY}};
  for (const auto& h : headers) {
    const wchar_t* text = host::HostText::widen(&GridPage::text(page, shape, h.record));
    HostMenuRenderer::printText(renderer, h.x, h.y, text != nullptr ? text : L"");
  }
}

}  // namespace kvl::gui
