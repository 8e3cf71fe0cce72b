#include "hostsim/slot_page_model.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/function_table.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"
#include "hostsim/renderer_model.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kDialogConstructor = 0x57DF40;
constexpr std::uint32_t kDialogTable = 0x74702C;
constexpr std::uint32_t kDialogSite = 0x559214;
constexpr std::uint32_t kListForCar = 0x49DFA0;
constexpr std::uint32_t kEntrySize = 440;
// A list entry's file name (+264) and second text (+392) fields.
constexpr std::uint32_t kEntryFileName = 264, kEntryItemName = 392;
constexpr std::int32_t kCar = 5;

// The current car's slot list (entry array +0, count +8), empty until a step fills it.
struct SlotPageState {
  unsigned char* list = nullptr;
  bool made = false;
  std::set<std::int32_t> empty;
  unsigned char* dialog = nullptr;
  SlotPageState() {
    list = hostObject("slotlist", 12);
    put(list, 0, 0u);
    put(list, 8, 0);
  }
};
SlotPageState& state() {
  static SlotPageState s;
  return s;
}

void* THISCALL listForCar(void*, std::int32_t car) {
  trace("host setup files of car " + std::to_string(car));
  return state().list;
}

void makeList(std::int32_t count, const std::set<std::int32_t>& empty) {
  const std::uint32_t n = count > 0 ? static_cast<std::uint32_t>(count) : 0;
  unsigned char* entries = hostObject("slotentries", kEntrySize * (n > 0 ? n : 1));
  for (std::uint32_t i = 0; i < n; ++i) {
    const auto slot = static_cast<std::int32_t>(i);
    char name[128], second[48];
    if (empty.count(slot) != 0) {
      std::snprintf(name, sizeof name, "unused.lsp");
    } else if (i == 2) {
      std::snprintf(name, sizeof name, "%dslot%d_a setup name far too long for the name column.lsp", kCar, slot);
    } else {
      std::snprintf(name, sizeof name, "%dslot%d_Setup %d.lsp", kCar, slot, slot);
    }
    std::snprintf(second, sizeof second, "Stage %02d", slot);
    putText(entries + i * kEntrySize, kEntryFileName, kEntryItemName - kEntryFileName, name);
    putText(entries + i * kEntrySize, kEntryItemName, kEntrySize - kEntryItemName, second);
  }
  put(state().list, 0, wordOf(entries));
  put(state().list, 8, count);
  state().made = true;
  state().empty = empty;
}

void THISCALL widgetAttach(void*, void*) { trace("host slot list attach"); }
void THISCALL widgetRender(void*, void*, float x, float y) {
  trace("host slot list render " + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
}
void THISCALL widgetOther(void*) { trace("host slot list unexpected slot"); }

// The dialog's list widget: its table word.
unsigned char* listWidget() {
  static unsigned char* widget = [] {
    std::uint32_t* const widgetTable =
        functionTable(8, addressOf(&widgetOther), {{2, addressOf(&widgetAttach)}, {3, addressOf(&widgetRender)}});
    unsigned char* w = hostObject("slotlistwidget", 4);
    put(w, 0, wordOf(widgetTable));
    return w;
  }();
  return widget;
}

void putTextRecord(unsigned char* object, std::uint32_t offset, const char* key) {
  put(object, offset, wordOf(key));
  put(object, offset + 4, 0u);
  put<std::uint16_t>(object, offset + 8, 0);
}

void* THISCALL dialogConstruct(unsigned char* dialog, std::int32_t value) {
  static const char* const keys[3] = {"LOAD", "DELETE", "BACK"};
  layOutSlotDialog(dialog, keys);
  trace("host slot dialog construct " + std::to_string(value));
  return dialog;
}
void* THISCALL dialogDestroy(unsigned char* dialog, std::uint32_t flags) {
  if (flags & 1) {
    releaseObject(dialog);
    std::free(dialog);
  }
  return dialog;
}
std::int32_t THISCALL dialogInput(void*, std::int32_t event, std::int32_t data) {
  char text[64];
  std::snprintf(text, sizeof text, "host slot dialog input %08x %d", event, data);
  trace(text);
  return 3;
}
void THISCALL dialogOther(void*) { trace("host slot dialog host slot"); }

template <typename Fn>
Fn dialogSlot(const unsigned char* dialog, std::uint32_t slot) {
  return reinterpret_cast<Fn>(static_cast<std::uintptr_t>(get(pointer(get(dialog, 0)), 4 * slot)));
}

void showDialog(std::int32_t kind, std::int32_t row) {
  // The host's block for its dialog, which its constructor call builds.
  unsigned char* dialog = hostObject("slotdialog", kSlotDialogSize);
  runCallSite(kDialogSite, {7}, wordOf(dialog));
  trace(std::string("host slot dialog table ") + (get(dialog, 0) == kDialogTable ? "host" : "replaced"));
  static const char heading[] = "S_PREDEF";
  put(dialog, 8, kind);
  put(dialog, 12, wordOf(heading));
  put(dialog, 24, row);
  put(pointer(kControlsObject), 16, kCar);
  void* renderer = pointer(get(hostObjects().game, kGameMenuRendererOffset));
  dialogSlot<void(THISCALL*)(void*, void*)>(dialog, 2)(dialog, renderer);
  trace("host slot dialog rows " + std::to_string(get<std::int32_t>(dialog, 28)) + " selected " +
        std::to_string(get<std::int32_t>(dialog, 24)) + " list selection " +
        std::to_string(get<std::int32_t>(pointer(kControlsObject), 472 + 40)));
  dialogSlot<void(THISCALL*)(void*, void*, float, float)>(dialog, 3)(dialog, renderer, 40.0f, 100.0f);
  state().dialog = dialog;
}

}  // namespace

void layOutSlotDialog(unsigned char* dialog, const char* const labels[3]) {
  put(dialog, 0, kDialogTable);
  put(dialog, 8, 0);
  putTextRecord(dialog, 12, nullptr);
  put(dialog, 24, 0);
  put(dialog, 28, 0);
  put(dialog, 32, 0);
  for (std::uint32_t k = 0; k < 3; ++k) putTextRecord(dialog, 36 + 12 * k, labels[k]);
  put(dialog, 72, wordOf(listWidget()));
}

int slotListEmptiness(std::int32_t slot) {
  if (!state().made) return -1;
  return state().empty.count(slot) != 0 ? 1 : 0;
}

void appendSlotPageRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {
                            {kDialogConstructor, "slotDialogConstruct", addressOf(&dialogConstruct)},
                            {kListForCar, "listForCar", addressOf(&listForCar)},
                        });
  rows.push_back({EntryKind::callSite, kDialogSite, "slotDialogSite", kDialogConstructor});
  for (std::uint32_t slot = 0; slot < 14; ++slot) {
    const std::uint32_t entry = slot == 0   ? addressOf(&dialogDestroy)
                                : slot == 1 ? addressOf(&dialogInput)
                                            : addressOf(&dialogOther);
    rows.push_back({EntryKind::global, kDialogTable + 4 * slot, "slotDialogTable", entry});
  }
}

bool runSlotPageStep(const std::string& step, std::istream& in) {
  if (step == "slotlist") {
    std::int32_t count = 0, e = 0;
    in >> count;
    std::set<std::int32_t> empty;
    while (in >> e) empty.insert(e);
    makeList(count, empty);
  } else if (step == "slotpage") {
    std::int32_t kind = 0, row = 0;
    in >> kind >> row;
    showDialog(kind, row);
  } else if (step == "slotkey") {
    unsigned char* dialog = state().dialog;
    if (dialog == nullptr) return true;
    std::string event;
    while (in >> event) {
      const auto code = static_cast<std::int32_t>(std::strtoul(event.c_str(), nullptr, 16));
      const std::int32_t result =
          dialogSlot<std::int32_t(THISCALL*)(void*, std::int32_t, std::int32_t)>(dialog, 1)(dialog, code, 0);
      trace("host slot dialog key " + event + " result " + std::to_string(result) + " selected " +
            std::to_string(get<std::int32_t>(dialog, 24)));
    }
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
