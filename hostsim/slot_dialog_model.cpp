#include "hostsim/slot_dialog_model.h"

#include <cstdlib>
#include <cstring>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/function_table.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"
#include "hostsim/menu_model.h"
#include "hostsim/stray_words.h"
#include "hostsim/service_page_model.h"
#include "hostsim/track_ini_model.h"
#include "hostsim/slot_page_model.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kOpenMenu = 0x559190;
constexpr std::uint32_t kSaveSetup = 0x558780;
constexpr std::uint32_t kLoadDefaultSetup = 0x48E440;
constexpr std::uint32_t kSetupStoreGlobal = 0x7C28CC;
constexpr std::uint32_t kSelectedStageEntry = 0x5CFFD0;
constexpr std::uint32_t kStageManagerGlobal = 0x7EA678;
constexpr std::uint32_t kSurfaceOf = 0x4A1330;
constexpr std::uint32_t kSetupFilesGlobal = 0x7C1184;
constexpr std::uint32_t kIsSlotEmpty = 0x49EA40;
constexpr std::uint32_t kSlotStoreGlobal = 0x7D1E94;
constexpr std::uint32_t kSelectSlot = 0x57FC70;
constexpr std::uint32_t kControlsObject = 0x16607F8;
constexpr std::int32_t kStageKey = 31;
constexpr std::int32_t kCar = 5;

// A slot menu: page (entries at +12, count at +20) -> item 0 (table; action table behind +12;
// slot 22 gives the dialog, which the item keeps at +16) -> dialog (the host's setup-slot dialog).
// The action table: the count at +0, the item ids from +1, the value bytes from +9, the mask
// byte at +17, the objects from +20 and the functions from +52, eight of each.
constexpr std::uint32_t kActionIds = 1, kActionValues = 9, kActionMask = 17, kActionObjects = 20,
                        kActionFunctions = 52, kActionsSize = kActionFunctions + 4 * 8;
struct SlotMenu {
  unsigned char* page;
  unsigned char* item;
  unsigned char* actions;
  unsigned char* dialog;
};

void* THISCALL itemDialog(unsigned char* item) { return pointer(get(item, 16)); }

SlotMenu makeSlotMenu() {
  static std::uint32_t itemTable[25];
  itemTable[22] = addressOf(&itemDialog);
  SlotMenu m{};
  m.page = newHostMenuPage("slotmenupage");
  m.item = hostObject("slotmenuitem", 20);
  m.actions = hostObject("slotactions", kActionsSize);
  m.dialog = hostObject("slotdialog", kSlotDialogSize);
  unsigned char* entries = hostObject("slotmenuentries", 4);
  put(entries, 0, wordOf(m.item));
  put(m.page, 12, wordOf(entries));
  put(m.page, 20, 1);
  put(m.item, 0, wordOf(itemTable));
  put(m.item, 12, wordOf(m.actions));
  put(m.item, 16, wordOf(m.dialog));
  // Three actions, for items 7, 4 and 11, none bound yet (value 0, no object, no function).
  const std::uint8_t ids[3] = {7, 4, 11};
  put<std::uint8_t>(m.actions, 0, 3);
  for (std::uint32_t i = 0; i < 3; ++i) {
    put(m.actions, kActionIds + i, ids[i]);
    put<std::uint8_t>(m.actions, kActionValues + i, 0);
    put(m.actions, kActionObjects + 4 * i, 0u);
    put(m.actions, kActionFunctions + 4 * i, 0u);
  }
  put<std::uint8_t>(m.actions, kActionMask, 0);
  static const char* const labels[3] = {"HOSTFIRST", "HOSTSECOND", "HOSTTHIRD"};
  layOutSlotDialog(m.dialog, labels);
  return m;
}

SlotMenu& slotMenu(std::int32_t id) {
  static SlotMenu menus[2] = {makeSlotMenu(), makeSlotMenu()};
  SlotMenu& m = menus[id == 109 ? 1 : 0];
  put(hostObjects().menuManager, kMenuArrayOffset + 4 * static_cast<std::uint32_t>(id), wordOf(m.page));
  return m;
}

struct SlotState {
  std::int32_t surface = 0;
  std::uint8_t empty = 0;
};
SlotState& state() {
  static SlotState s;
  return s;
}

void* __cdecl openMenu(std::int32_t id) {
  trace("host openMenu " + std::to_string(id));
  return id == 108 || id == 109 ? slotMenu(id).page : nullptr;
}
std::int32_t __cdecl saveSetup() {
  trace("host save setup row " + std::to_string(get<std::int32_t>(pointer(kControlsObject), 200 + 40)));
  return 5;
}
std::int32_t THISCALL loadDefaultSetup(void*, std::int32_t car, std::int32_t key, std::int32_t zero) {
  trace("host load default setup car " + std::to_string(car) + " stage " + std::to_string(key) + " " +
        std::to_string(zero));
  return 1;
}
// The selected stage's entry: its key in the first word.
void* THISCALL selectedStageEntry(void*) {
  static unsigned char* entry = [] {
    unsigned char* e = hostObject("selectedstage", 4);
    put(e, 0, kStageKey);
    return e;
  }();
  return entry;
}
std::int32_t THISCALL surfaceOf(void*, std::int32_t key) {
  trace("host surface of " + std::to_string(key));
  return state().surface;
}
std::uint32_t THISCALL isSlotEmpty(void*, std::int32_t car, std::int32_t slot) {
  trace("host slot empty car " + std::to_string(car) + " slot " + std::to_string(slot));
  // The result is in AL only; a slot list of the dialog's scenario tells per slot.
  const int listed = slotListEmptiness(slot);
  return 0xABCDEF00u | (listed >= 0 ? static_cast<std::uint8_t>(listed) : state().empty);
}
std::int32_t THISCALL selectSlot(void*, std::int32_t slot, std::int32_t car) {
  trace("host select slot " + std::to_string(slot) + " car " + std::to_string(car));
  return 1;
}
std::int32_t THISCALL openById(void*, std::int32_t page, std::int32_t flag) {
  trace("host open page " + std::to_string(page) + " " + std::to_string(flag));
  return 1;
}
void THISCALL managerOtherSlot(void*) { trace("host menu manager unexpected slot"); }

std::string key(const unsigned char* object, std::uint32_t offset) {
  const unsigned char* k = pointer(get(object, offset));
  return k == nullptr ? "(none)" : reinterpret_cast<const char*>(k);
}

void openSlotMenu(bool save) {
  const std::uint32_t menu = runCallSite(save ? kSaveSlotMenuSite : kLoadSlotMenuSite, {save ? 109u : 108u});
  const SlotMenu& m = slotMenu(save ? 109 : 108);
  trace(std::string("host slot menu ") + (menu == wordOf(m.page) ? "returned" : "lost") + " kind " +
        std::to_string(get<std::int32_t>(m.dialog, 8)) + " heading " + key(m.dialog, 12) + " first " +
        key(m.dialog, 36));
  for (int i = 0; i < 3; ++i) {
    trace("host slot action " + std::to_string(m.actions[kActionIds + i]) + " value " +
          std::to_string(m.actions[kActionValues + i]) + " object " +
          (get(m.actions, kActionObjects + 4 * i) == wordOf(m.item) ? "item" : "other") + " function " +
          (get(m.actions, kActionFunctions + 4 * i) != 0 ? "set" : "none") + " high " +
          std::to_string((m.actions[kActionMask] >> i) & 1));
  }
}

void confirm(bool save, std::int32_t row, std::int32_t status) {
  const SlotMenu& m = slotMenu(save ? 109 : 108);
  put(m.dialog, 24, row);
  put(m.dialog, 32, status);
  put(pointer(kControlsObject), 16, kCar);
  const std::uint32_t function = get(m.actions, kActionFunctions + 4 * 1);  // the action of item 4
  if (function == 0) {
    trace("host slot confirm none");
    return;
  }
  const auto result = reinterpret_cast<std::int32_t(__cdecl*)(void*)>(static_cast<std::uintptr_t>(function))(
      pointer(get(m.actions, kActionObjects + 4 * 1)));
  trace("host slot confirm " + std::to_string(result));
}

}  // namespace

void appendSlotDialogRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {
      {kOpenMenu, "openMenu", addressOf(&openMenu)},
      {kSaveSetup, "saveSetup", addressOf(&saveSetup)},
      {kLoadDefaultSetup, "loadDefaultSetup", addressOf(&loadDefaultSetup)},
      {kSelectedStageEntry, "selectedStageEntry", addressOf(&selectedStageEntry)},
      {kSurfaceOf, "surfaceOf", addressOf(&surfaceOf)},
      {kIsSlotEmpty, "isSlotEmpty", addressOf(&isSlotEmpty)},
      {kSelectSlot, "selectSlot", addressOf(&selectSlot)},
                         });
  rows.push_back({EntryKind::callSite, kSaveSlotMenuSite, "saveSlotMenuSite", kOpenMenu});
  rows.push_back({EntryKind::callSite, kLoadSlotMenuSite, "loadSlotMenuSite", kOpenMenu});
  // The setup store and the setup-file catalogue (which also serves as the slot store), reached
  // only through host calls: no word of theirs is laid out.
  unsigned char* store = hostObject("setupstore", 64);
  unsigned char* catalogue = hostObject("setupcatalogue", 64);
  rows.push_back({EntryKind::global, kSetupStoreGlobal, "setupStore", wordOf(store)});
  // The stage table global is the rally model's (one object behind each host global).
  rows.push_back({EntryKind::global, kStageManagerGlobal, "stageManager", wordOf(stageManager())});
  rows.push_back({EntryKind::global, kSetupFilesGlobal, "setupFiles", wordOf(catalogue)});
  rows.push_back({EntryKind::global, kSlotStoreGlobal, "slotStore", wordOf(catalogue)});
  // The menu manager's table: slot 1 opens a page by number.
  static std::uint32_t* const managerTable =
      functionTable(8, addressOf(&managerOtherSlot), {{1, addressOf(&openById)}, {4, menuEnterPageHandler()}});
  put(hostObjects().menuManager, 0, wordOf(managerTable));
}

bool runSlotDialogStep(const std::string& step, std::istream& in) {
  if (step == "slotmenu") {
    std::string which;
    in >> which;
    openSlotMenu(which == "save");
  } else if (step == "slotsurface") {
    in >> state().surface;
  } else if (step == "slotconfirm") {
    std::string which;
    std::int32_t row = 0, status = 0, surface = 0, empty = 0;
    in >> which >> row >> status >> surface >> empty;
    state().surface = surface;
    state().empty = static_cast<std::uint8_t>(empty);
    confirm(which == "save", row, status);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
