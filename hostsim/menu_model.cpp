#include "hostsim/menu_model.h"

#include "hostsim/car_model.h"

#include <cstdlib>
#include <cstring>
#include <map>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kLabelItemConstructor = 0x5C8420;
constexpr std::uint32_t kLabelItemTable = 0x748F7C;
constexpr std::uint32_t kActionItemConstructor = 0x5BEF10;
constexpr std::uint32_t kActionItemTable = 0x74BB7C;
constexpr std::uint32_t kItemTableSlots = 25;
constexpr std::uint32_t kPageSendEvent = 0x584CE0;
constexpr std::uint32_t kPageSendEventB = 0x584E60;
constexpr std::uint32_t kMenuSelect = 0x585440;
constexpr std::uint32_t kLookupText = 0x4968F0;
constexpr std::uint32_t kSetLanguage = 0x496B90;

// Items: table +0, enabled word +4, label record +8 (key, text, attribute), then +20 the label
// item's two integers or the action item's callback.
// Pages: laid-out entries at +12 (array) and +20 (count); the callbacks their events registered:
// +32 a callback pair (code 2), +36 a callback pair (second entry, code 2), +40 a bare function
// (code 1); +44 and +48 the items the setup call was given; +52 the item placed on it.
constexpr std::uint32_t kLabelItemSize = 28;

std::string keyOf(const void* item) {
  const unsigned char* key = pointer(get(item, 8));
  return key == nullptr ? "(none)" : reinterpret_cast<const char*>(key);
}

std::string textOf(const void* item) {
  const auto* text = reinterpret_cast<const wchar_t*>(pointer(get(item, 12)));
  if (text == nullptr) return "(none)";
  std::string narrow;
  for (; *text != 0; ++text) narrow += *text < 128 ? static_cast<char>(*text) : '?';
  return narrow;
}

void* THISCALL itemDestroy(unsigned char* self, std::uint32_t flags) {
  trace("host item destroy " + keyOf(self) + ((flags & 1) ? " freed" : " kept"));
  if (flags & 1) {
    releaseObject(self);  // a host item; the plugin's own are not watched
    std::free(self);
  }
  return self;
}

void THISCALL itemSetEnabled(unsigned char* self, std::uint32_t enabled) { put(self, 4, enabled & 0xFF); }
// The page's own frame widgets have no dialog.
void* THISCALL itemAttachedDialog(unsigned char* self) { return keyOf(self) == "FRAME" ? nullptr : self; }

void THISCALL itemBindAction(unsigned char* self, std::int32_t action, std::int32_t target, std::int32_t code,
                             std::uint32_t data) {
  char text[96];
  std::snprintf(text, sizeof text, " action %d target %d code %d data %08x", action, target, code, data);
  trace("host item bind " + keyOf(self) + text + (data == kControlsActionData ? " (the controls' action data)" : ""));
}

std::uint32_t THISCALL itemOtherSlot(unsigned char*) { return 0; }

void* THISCALL labelItemConstruct(unsigned char* self, std::uint32_t key, std::uint32_t text, std::uint32_t attribute,
                                  std::int32_t a, std::int32_t b) {
  put(self, 0, kLabelItemTable);
  put(self, 4, 1u);
  put(self, 8, key);
  put(self, 12, text);
  put(self, 16, attribute);
  put(self, 20, a);
  put(self, 24, b);
  trace("host label item " + keyOf(self) + " " + std::to_string(a) + " " + std::to_string(b));
  return self;
}

void* THISCALL actionItemConstruct(unsigned char* self, std::uint32_t key, std::uint32_t text, std::uint32_t attribute,
                                   std::uint32_t callback) {
  put(self, 0, kActionItemTable);
  put(self, 4, 1u);
  put(self, 8, key);
  put(self, 12, text);
  put(self, 16, attribute);
  put(self, 20, callback);
  trace("host action item " + keyOf(self) + (callback != 0 ? " with callback" : " without callback"));
  return self;
}

unsigned char* hostItem(const char* key) {
  unsigned char* item = hostObject("menuitem", kLabelItemSize);
  labelItemConstruct(item, wordOf(key), 0, 0, 0, 0);
  return item;
}

std::int32_t layOut(unsigned char* page, std::int32_t count, const std::uint32_t* items, const std::uint32_t* layout) {
  std::string text = "host menu setup " + std::to_string(count) + " items:";
  for (std::int32_t i = 0; i < count; ++i) text += " " + keyOf(pointer(items[i]));
  text += " layout";
  for (int i = 0; i < 10; ++i) text += " " + std::to_string(layout[i]);
  trace(text);
  // The page's entries: four widgets of its own, then the items.
  const auto n = static_cast<std::uint32_t>(count > 0 ? count : 0);
  unsigned char* entries = hostObject("menuentries", 4 * (4 + n));
  for (std::uint32_t i = 0; i < 4; ++i) put(entries, 4 * i, wordOf(hostItem("FRAME")));
  for (std::uint32_t i = 0; i < n; ++i) put(entries, 4 * (4 + i), items[i]);
  put(page, 12, wordOf(entries));
  put(page, 20, 4 + count);
  unsigned char* kept = hostObject("menukept", 4 * (n > 0 ? n : 1));
  for (std::uint32_t i = 0; i < n; ++i) put(kept, 4 * i, items[i]);
  put(page, 44, count);
  put(page, 48, wordOf(kept));
  return 1;
}

#define SETUP_PARAMETERS                                                                                    \
  unsigned char *page, std::uint32_t, std::uint32_t, std::uint32_t, std::int32_t count, std::uint32_t *items, \
      std::uint32_t l0, std::uint32_t l1, std::uint32_t l2, std::uint32_t l3, std::uint32_t l4, std::uint32_t l5, \
      std::uint32_t l6, std::uint32_t l7, std::uint32_t l8, std::uint32_t l9

std::int32_t __cdecl menuSetup(SETUP_PARAMETERS) {
  const std::uint32_t layout[10] = {l0, l1, l2, l3, l4, l5, l6, l7, l8, l9};
  return layOut(page, count, items, layout);
}

std::int32_t __cdecl menuSetupB(SETUP_PARAMETERS) {
  const std::uint32_t layout[10] = {l0, l1, l2, l3, l4, l5, l6, l7, l8, l9};
  layOut(page, count, items, layout);
  return 77;
}

std::int32_t THISCALL pageSendEvent(unsigned char* page, std::uint32_t item, std::uint32_t code, std::uint32_t data) {
  trace("host page event " + std::to_string(code) + (item == 0 ? "" : " with item"));
  if (code == 2) put(page, 32, data);
  if (code == 1) put(page, 40, data);
  if (code == 21) trace(std::string("host page name ") + reinterpret_cast<const char*>(pointer(data)));
  return 0;
}

std::int32_t THISCALL pageSendEventB(unsigned char* page, std::uint32_t, std::uint32_t code, std::uint32_t data) {
  trace("host page event B " + std::to_string(code));
  if (code == 2) put(page, 36, data);
  return 0;
}

void THISCALL menuSelect(unsigned char*, std::int32_t a, std::int32_t b, std::int32_t c) {
  trace("host menuSelect " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c));
}

const wchar_t* THISCALL lookupText(unsigned char*, const char* key) {
  static std::map<std::string, std::wstring> texts;
  trace(std::string("host lookupText ") + key);
  std::wstring& text = texts[key];
  if (text.empty()) {
    text = L"host:";
    for (const char* c = key; *c != 0; ++c) text += static_cast<wchar_t>(*c);
  }
  return text.c_str();
}

std::int32_t THISCALL setLanguage(unsigned char* localization, std::int32_t id) {
  trace("host localization language " + std::to_string(id));
  put(localization, 20, id);
  return 100 + id;
}

struct MenuObjects {
  unsigned char* localization;
  unsigned char* ranges;
  unsigned char* languageMenus[2];
};

MenuObjects& menuObjects() {
  static MenuObjects o = [] {
    MenuObjects m{};
    // The localisation: its 16-bit text attribute at +16 and the language id at +20.
    m.localization = hostObject("localization", 24);
    put<std::uint16_t>(m.localization, 16, 0x0102);
    put(m.localization, 20, 0);
    m.ranges = carSetupRangesObject();  // the car model's object
    for (std::uint32_t i = 0; i < 2; ++i) {
      m.languageMenus[i] = newHostMenuPage("languagemenu" + std::to_string(i));
      put(hostObjects().menuManager, kMenuArrayOffset + 4 * i, wordOf(m.languageMenus[i]));
    }
    return m;
  }();
  return o;
}

void callPair(std::uint32_t pairWord) {
  if (pairWord == 0) return;
  const unsigned char* pair = pointer(pairWord);
  reinterpret_cast<void(__cdecl*)(std::uint32_t)>(static_cast<std::uintptr_t>(get(pair, 0)))(get(pair, 4));
}

void buildMenu(const std::string& which, int itemCount) {
  struct Menu {
    const char* name;
    std::uint32_t site;
    std::uint32_t sizeSite;  // the host's array size for the menu
    int hostItems;
  };
  static const Menu menus[] = {
      {"controls", kControlsMenuSite, 0x55D368, 3},
      {"options", kOptionsMenuSite, 0x594B2C, 3},
      {"carsetup", kCarSetupMenuSite, 0x556FB6, 5},
  };
  const Menu* menu = nullptr;
  for (const Menu& m : menus) {
    if (which == m.name) menu = &m;
  }
  if (menu == nullptr) {
    trace("host has no menu " + which);
    return;
  }
  trace("host menu array " + std::to_string(runOperandSite(menu->sizeSite)));
  static const char* const keys[5] = {"HOST0", "HOST1", "HOST2", "HOST3", "HOST4"};
  unsigned char* page = newHostMenuPage("menupage");
  std::uint32_t items[5];
  const int hostItems = itemCount > 0 && itemCount < menu->hostItems ? itemCount : menu->hostItems;
  for (int i = 0; i < hostItems; ++i) items[i] = wordOf(hostItem(keys[i]));
  static const char title[] = "TITLE";
  std::vector<std::uint32_t> args = {wordOf(page), wordOf(title), 0, 0, static_cast<std::uint32_t>(hostItems),
                                     wordOf(items)};
  for (std::uint32_t l = 1; l <= 10; ++l) args.push_back(l);
  trace("host menu result " + std::to_string(runCallSite(menu->site, args)));

  // A page with a state callback gets it called whenever its state changes.
  callPair(get(page, 32));
  const std::int32_t count = get<std::int32_t>(page, 20);
  for (int i = 4; i < count; ++i) {
    const unsigned char* entry = pointer(get(pointer(get(page, 12)), 4 * i));
    trace("host entry " + std::to_string(i) + " " + keyOf(entry) + " enabled " + std::to_string(get(entry, 4)) +
          " text " + textOf(entry) + " attribute " + std::to_string(get<std::uint16_t>(entry, 16)));
  }
  // The host closes the menu: every item it was given is destroyed and freed.
  const std::int32_t given = get<std::int32_t>(page, 44);
  for (int i = 0; i < given; ++i) {
    unsigned char* item = pointer(get(pointer(get(page, 48)), 4 * i));
    reinterpret_cast<void*(THISCALL*)(void*, std::uint32_t)>(static_cast<std::uintptr_t>(get(pointer(get(item, 0)), 0)))(
        item, 1);
  }
}

void runLanguageMenu(const std::string& which) {
  const MenuObjects& m = menuObjects();
  if (which == "preselect") {
    callPair(get(m.languageMenus[1], 32));
  } else if (which == "follow") {
    callPair(get(m.languageMenus[1], 36));
  } else if (which == "apply") {
    const std::uint32_t apply = get(m.languageMenus[0], 40);
    if (apply == 0) return;
    const std::int32_t result = reinterpret_cast<std::int32_t(__cdecl*)()>(static_cast<std::uintptr_t>(apply))();
    trace("host language apply " + std::to_string(result));
  }
  trace("host game language " + std::to_string(get<std::int32_t>(hostObjects().game, kLanguageOffset)) +
        " cursor flag " + std::to_string(get(pointer(kControlsMenuCursor), 16)));
}

}  // namespace

unsigned char* newHostMenuPage(const std::string& name) {
  unsigned char* page = hostObject(name, kHostMenuPageSize);
  for (std::uint32_t at : {12u, 20u, 32u, 36u, 40u, 44u, 48u, 52u}) put(page, at, 0u);
  return page;
}

void appendMenuRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {
      {kMenuSetup, "menuSetup", addressOf(&menuSetup)},
      {kMenuSetupB, "menuSetupB", addressOf(&menuSetupB)},
      {kLabelItemConstructor, "labelItemConstruct", addressOf(&labelItemConstruct)},
      {kActionItemConstructor, "actionItemConstruct", addressOf(&actionItemConstruct)},
      {kPageSendEvent, "pageSendEvent", addressOf(&pageSendEvent)},
      {kPageSendEventB, "pageSendEventB", addressOf(&pageSendEventB)},
      {kMenuSelect, "menuSelect", addressOf(&menuSelect)},
      {kLookupText, "lookupText", addressOf(&lookupText)},
      {kSetLanguage, "setLanguage", addressOf(&setLanguage)},
                         });
  rows.push_back({EntryKind::callSite, kControlsMenuSite, "controlsMenuSite", kMenuSetup});
  rows.push_back({EntryKind::callSite, kOptionsMenuSite, "optionsMenuSite", kMenuSetupB});
  rows.push_back({EntryKind::callSite, kCarSetupMenuSite, "carSetupMenuSite", kMenuSetup});
  // mov eax, imm32: the item array sizes of the three menus.
  rows.push_back({EntryKind::operand, 0x55D368, "controlsMenuSize", 3, {0xB8}, 1});
  rows.push_back({EntryKind::operand, 0x594B2C, "optionsMenuSize", 3, {0xB8}, 1});
  rows.push_back({EntryKind::operand, 0x556FB6, "carSetupMenuSize", 5, {0xB8}, 1});
  for (std::uint32_t table : {kLabelItemTable, kActionItemTable}) {
    for (std::uint32_t slot = 0; slot < kItemTableSlots; ++slot) {
      const std::uint32_t entry = slot == 0    ? addressOf(&itemDestroy)
                                  : slot == 4  ? addressOf(&itemSetEnabled)
                                  : slot == 22 ? addressOf(&itemAttachedDialog)
                                  : slot == 23 ? addressOf(&itemBindAction)
                                               : addressOf(&itemOtherSlot);
      rows.push_back({EntryKind::global, table + 4 * slot, "itemTable", entry});
    }
  }
  rows.push_back({EntryKind::global, kLocalizationGlobal, "localization", wordOf(menuObjects().localization)});
  rows.push_back({EntryKind::global, kCarSetupRangesGlobal, "carSetupRanges", wordOf(menuObjects().ranges)});
}

bool runMenuStep(const std::string& step, std::istream& in) {
  if (step == "menu") {
    std::string which;
    int count = 0;
    in >> which >> count;
    buildMenu(which, count);
  } else if (step == "ranges") {
    std::int32_t a = 0;
    float f = 0;
    in >> a >> f;
    put(menuObjects().ranges, 3628 + 12, a);
    for (std::uint32_t offset : {4252u, 4268u, 4284u, 4300u, 4316u, 4332u}) {
      put(menuObjects().ranges, offset + 12, offset == 4252 ? f : 1.0f);
    }
  } else if (step == "language") {
    std::int32_t id = 0;
    in >> id;
    put(menuObjects().localization, 20, id);
  } else if (step == "cursor") {
    std::int32_t entry = 0, flag = 0;
    in >> entry >> flag;
    put(pointer(kControlsMenuCursor), 12, entry);
    put(pointer(kControlsMenuCursor), 16, flag);
  } else if (step == "languagemenu") {
    std::string which;
    in >> which;
    runLanguageMenu(which);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
