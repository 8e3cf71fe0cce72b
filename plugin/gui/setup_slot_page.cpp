#include "plugin/gui/setup_slot_page.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "plugin/foundation/texts/text_encoding.h"
#include "plugin/gui/setup_slot_rules.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/binding/module_address.h"
#include "plugin/host/binding/vtable_clone.h"
#include "plugin/host/model/host_lists.h"
#include "plugin/host/model/host_menu_renderer.h"
#include "plugin/host/model/host_object_accessors.h"
#include "plugin/host/model/host_rally_tables.h"
#include "plugin/host/model/host_setup_files.h"
#include "plugin/host/model/host_subclass.h"
#include "plugin/host/model/host_widget.h"
#include "plugin/host/model/setup_slot_dialogs.h"
#include "plugin/rally/save_slot.h"

namespace kvl::gui {
namespace {

using host::HostMenuRenderer;
using Dialog = host::HostSetupSlotDialog;
constexpr std::size_t kTableSlots = 14;
constexpr std::size_t kLineSize = 1022;
constexpr float kNameWidth = 395.0f;
constexpr std::int32_t kEventUp = 0x4000001C, kEventDown = 0x4000001D;
constexpr std::int32_t kEventLeft = 0x4000001E, kEventRight = 0x4000001F;

std::wstring wide(const std::string& text) {
  std::wstring out;
  if (!toWide(text, out, CP_ACP)) out.clear();
  return out;
}

std::wstring hostText(const char* key) {
  host::HostText record(key);
  const wchar_t* text = host::HostText::widen(&record);
  return text != nullptr ? std::wstring(text) : std::wstring();
}

// The current car's saved setups.
struct CarSlots {
  void* catalogue = nullptr;
  void* list = nullptr;
  std::int32_t car = 0;
  std::int32_t count = 0;
};

CarSlots carSlots() {
  CarSlots s;
  s.car = host::HostSlotList::size(host::hostControls());
  s.catalogue = host::HostSetupFiles::instance();
  if (s.catalogue != nullptr) s.list = host::HostSetupFiles::listForCar(s.catalogue, s.car);
  if (s.list != nullptr) s.count = std::max(0, host::HostList::count(s.list));
  return s;
}

std::int32_t rowCount(std::int32_t kind, const CarSlots& s) { return kind == 2 ? s.count + 2 : s.count; }

// The selected stage's surface word ("GRAVEL", "TARMAC", "SNOW"); empty for another surface.
std::wstring surfaceWord() {
  void* table = host::hostStageTable();
  void* entry = table == nullptr ? nullptr : host::HostStageTable::selectedEntry(table);
  void* stages = host::hostObject<0x7EA678>();
  if (entry == nullptr || stages == nullptr) return std::wstring();
  using SurfaceOf = std::int32_t(QZR_THISCALL*)(void*, std::int32_t);
  const std::int32_t surface = host::hostFunction<0x4A1330, SurfaceOf>()(stages, host::HostStageEntry::key(entry));
  static const char* const words[3] = {"GRAVEL", "TARMAC", "SNOW"};
  return surface >= 0 && surface < 3 ? hostText(words[surface]) : std::wstring();
}

// The three texts of one line.
struct Line {
  std::wstring number, name, second;
};

Line slotLine(std::int32_t kind, std::int32_t slot, const CarSlots& s, void* renderer, const std::wstring& empty) {
  Line line;
  line.number = slotNumberText(slot);
  void* entry = host::HostList::entry(s.list, slot);
  if (entry == nullptr) return line;
  const char* stored = host::hostListData(entry);
  const std::string name = rally::SaveSlot(std::string(stored, strnlen(stored, 128))).setupName();
  if (kind == 0 || !name.empty()) {
    line.name = wide(host::fitTextToWidth(renderer, name, kNameWidth));
    const char* second = host::hostItemName(entry);
    line.second = wide(std::string(second, strnlen(second, host::HostList::kEntrySize - 392)));
  } else {
    line.name = empty;
  }
  return line;
}

void drawButtons(void* dialog, void* renderer, float x, float y) {
  if (void* widget = Dialog::listWidget(dialog)) host::HostWidget::render(widget, renderer, 0.0f, 0.0f);
  HostMenuRenderer::setEnabled(renderer, 1);
  HostMenuRenderer::setColour(renderer, 3);
  host::HostText* labels[3] = {&Dialog::firstLabel(dialog), &Dialog::secondLabel(dialog), &Dialog::thirdLabel(dialog)};
  for (int k = 0; k < 3; ++k) {
    HostMenuRenderer::setFlags(renderer, 67);
    const wchar_t* text = host::HostText::widen(labels[k]);
    HostMenuRenderer::printText(renderer, x + 47.5f + 95.0f * static_cast<float>(k), y + 232.5f,
                                text != nullptr ? text : L"");
    HostMenuRenderer::clearFlags(renderer, 67);
  }
}

}  // namespace

const void* SetupSlotPage::table() {
  static void* entries[kTableSlots];
  static const bool built = [] {
    host::VtableClone clone;
    clone.setTarget(entries);
    clone.copyFrom(host::HostAddress(kHostTable).resolve(), sizeof entries);
    clone.exchangeSlot(1 * sizeof(void*), reinterpret_cast<void*>(&SetupSlotPage::onInput));
    clone.exchangeSlot(2 * sizeof(void*), reinterpret_cast<void*>(&SetupSlotPage::syncSelection));
    clone.exchangeSlot(3 * sizeof(void*), reinterpret_cast<void*>(&SetupSlotPage::draw));
    return true;
  }();
  (void)built;
  return entries;
}

void* QZR_THISCALL SetupSlotPage::construct(void* dialog, std::int32_t value) noexcept {
  try {
    Dialog::constructHost(dialog, value);
    host::setTable(dialog, table());
  } catch (...) {
  }
  return dialog;
}

void* QZR_THISCALL SetupSlotPage::constructOnFreshMemory(void* dialog, std::int32_t value) noexcept {
  return construct(host::HostSubclass::initialise(dialog), value);
}

void QZR_THISCALL SetupSlotPage::draw(void* dialog, void* renderer, float x, float y) noexcept {
  try {
    HostMenuRenderer::setFlags(renderer, 256);
    HostMenuRenderer::setFont(renderer, 4);
    HostMenuRenderer::setEnabled(renderer, 1);
    host::HostText& heading = Dialog::saveSlotLabel(dialog);
    if (heading.hasKey()) {
      const wchar_t* text = host::HostText::widen(&heading);
      HostMenuRenderer::printText(renderer, x, y - 21.0f, text != nullptr ? text : L"");
    }
    const std::int32_t kind = Dialog::kind(dialog);
    const CarSlots slots = carSlots();
    const std::int32_t rows = rowCount(kind, slots);
    const SlotWindow window = slotWindow(Dialog::selectedSlot(dialog));
    const std::wstring empty = hostText("EMPTYSLOT");
    std::wstring fixed[2];
    if (kind == 2) {
      // Host texts that a strings file may change: the surface goes in their one placeholder,
      // nothing else of them is read as a format.
      const std::wstring surface = surfaceWord();
      fixed[0] = substituteOnce(hostText("CSDEFA"), surface, kLineSize - 1);
      fixed[1] = substituteOnce(hostText("CSCURR"), surface, kLineSize - 1);
    }
    HostMenuRenderer::setEnabled(renderer, 0);
    const float columns[3] = {HostMenuRenderer::scaleCoordinate(renderer, 30.0f),
                              HostMenuRenderer::scaleCoordinate(renderer, kNameWidth),
                              HostMenuRenderer::scaleCoordinate(renderer, 130.0f)};
    Line lines[kSlotLines];
    for (std::int32_t j = 0; j < kSlotLines; ++j) {
      const std::int32_t i = window.first + j;
      if (i >= rows) {
        if (kind != 0) lines[j].name = empty;
      } else if (kind == 2 && i < 2) {
        lines[j].name = fixed[i];
      } else {
        lines[j] = slotLine(kind, slotOfRow(kind, i), slots, renderer, empty);
      }
    }
    const wchar_t* texts[3 * kSlotLines];
    for (std::int32_t j = 0; j < kSlotLines; ++j) {
      texts[3 * j] = lines[j].number.c_str();
      texts[3 * j + 1] = lines[j].name.c_str();
      texts[3 * j + 2] = lines[j].second.c_str();
    }
    const std::int32_t selection[3] = {-1, -1, -1};
    HostMenuRenderer::drawList(renderer, x, 60.0f, 3, columns, 0, kSlotLines, window.highlighted, texts, selection, 0);
    if (kind == 0) drawButtons(dialog, renderer, x, y);
    HostMenuRenderer::clearFlags(renderer, 256);
  } catch (...) {
  }
}

std::int32_t QZR_THISCALL SetupSlotPage::onInput(void* dialog, std::int32_t event, std::int32_t data) noexcept {
  try {
    const std::int32_t kind = Dialog::kind(dialog);
    if (event == kEventUp || event == kEventDown) {
      const CarSlots slots = carSlots();
      const auto slotEmpty = [&slots](std::int32_t slot) {
        return slots.catalogue == nullptr || host::HostSetupFiles::isSlotEmpty(slots.catalogue, slots.car, slot);
      };
      Dialog::setSelectedSlot(dialog, stepSlotSelection(Dialog::selectedSlot(dialog), event == kEventDown ? 1 : -1,
                                                        rowCount(kind, slots), kind, slotEmpty));
      return 0;
    }
    if ((event == kEventLeft || event == kEventRight) && kind != 0) return 0;
    return Dialog::callOriginalHandler(dialog, event, data);
  } catch (...) {
    return 0;
  }
}

void QZR_THISCALL SetupSlotPage::syncSelection(void* dialog, void* renderer) noexcept {
  try {
    if (void* widget = Dialog::listWidget(dialog)) host::HostWidget::attach(widget, renderer);
    const std::int32_t kind = Dialog::kind(dialog);
    const std::int32_t rows = rowCount(kind, carSlots());
    Dialog::setSlotCount(dialog, rows);
    const std::int32_t row = std::max(0, std::min(Dialog::selectedSlot(dialog), rows - 1));
    Dialog::setSelectedSlot(dialog, row);
    const std::int32_t slot = kind == 2 ? std::max(0, row - 2) : row;
    host::HostListWidget::setSelection(host::HostSetupSlotList::listWidget(host::hostControls()), slot);
  } catch (...) {
  }
}

}  // namespace kvl::gui
