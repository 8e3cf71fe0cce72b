#include "hostsim/car_setup_pages_model.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "hostsim/call_trace.h"
#include "hostsim/car_model.h"
#include "hostsim/event_hub.h"
#include "hostsim/fields.h"
#include "hostsim/function_table.h"
#include "hostsim/host_handlers.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"
#include "hostsim/menu_model.h"
#include "hostsim/renderer_model.h"
#include "hostsim/sentinel_bytes.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kRowCreate = 0x550130;
constexpr std::uint32_t kMenuPageConstructor = 0x5850B0;
constexpr std::uint32_t kMenuPageTable = 0x7473E8;
constexpr std::uint32_t kPageItemConstructor = 0x5BBDD0;
constexpr std::uint32_t kPageItemTable = 0x74B344;
constexpr std::uint32_t kSetParentIndex = 0x540930;
constexpr std::uint32_t kPlaceItem = 0x5855D0;
constexpr std::uint32_t kGridPageTable = 0x744204;
constexpr std::uint32_t kBaseUiTable = 0x7402D4;
constexpr std::uint32_t kOptionRecordConstructor = 0x558570;
constexpr std::uint32_t kOptionRecordTable = 0x7452AC;
constexpr std::uint32_t kOptionItemConstructor = 0x5C1420;
constexpr std::uint32_t kOptionItemTable = 0x74C3A4;
constexpr std::uint32_t kFillRect = 0x4A3E20;
constexpr std::uint32_t kDifferentialsSite = 0x560F79;
constexpr std::uint32_t kHostDifferentialsPage = 0x560F00;
constexpr std::uint32_t kMenuCursorSource = 53;

// Row objects: table +0, minimum +20, maximum +24, step +28, label object +36 (its text record at
// +8) as the host's setup-page rows keep them; kind +40, focused +44, focus data +48 and the value
// reference +52 and the row's number +56 are the simulated host's own places. The rest starts as
// sentinel bytes, and +16 points at a 16-byte decoy of the row's own (+64, its bytes made from the
// row's number), so a copy through a value reference read there shows in the row's draw line.
constexpr std::uint32_t kRowSize = 80, kRowValue = 52, kRowNumber = 56, kRowDecoy = 64;
std::uint32_t gRowsMade = 0;

std::uint8_t decoySeed(std::uint32_t number) { return static_cast<std::uint8_t>(0x47 + 11 * number); }
std::string keyAt(const unsigned char* object, std::uint32_t offset) {
  const unsigned char* key = object == nullptr ? nullptr : pointer(get(object, offset));
  return key == nullptr ? "(none)" : reinterpret_cast<const char*>(key);
}

std::string rowKey(const unsigned char* row) { return keyAt(pointer(get(row, 36)), 8); }

// Where an address lies: in the car setup, its ranges, or elsewhere.
std::string place(std::uint32_t address) {
  const auto in = [address](const unsigned char* object, std::uint32_t size, const char* name) {
    const std::uint32_t base = wordOf(object);
    return address >= base && address < base + size ? std::string(name) + "+" + std::to_string(address - base)
                                                    : std::string();
  };
  std::string s = in(carSetupObject(), 5888, "setup");
  if (s.empty()) s = in(carSetupRangesObject(), 22096, "ranges");
  return s.empty() ? "plugin" : s;
}

float valueOf(const unsigned char* row, std::uint32_t field) { return get<float>(pointer(get(row, field)), 12); }

void* THISCALL rowDestroy(unsigned char* row, std::uint32_t flags) {
  trace("host row " + rowKey(row) + " destroy");
  if (flags & 1) {
    unsigned char* label = pointer(get(row, 36));
    releaseObject(label);
    std::free(label);
    std::free(row);
  }
  return row;
}
void THISCALL rowSetFocused(unsigned char* row, std::uint32_t focused) { put(row, 44, focused & 0xFF); }
void THISCALL rowSetFocusTarget(unsigned char* row, std::uint32_t data) { put(row, 48, data); }

bool decoyIntact(const unsigned char* row) {
  unsigned char expected[16];
  fillSentinel(expected, sizeof expected, decoySeed(get(row, kRowNumber)));
  return std::memcmp(row + kRowDecoy, expected, sizeof expected) == 0;
}

void step(unsigned char* row, float direction) {
  unsigned char* value = pointer(get(row, kRowValue));
  float v = get<float>(value, 12) + direction * valueOf(row, 28);
  if (v < valueOf(row, 20)) v = valueOf(row, 20);
  if (v > valueOf(row, 24)) v = valueOf(row, 24);
  put(value, 12, v);
  trace("host row " + rowKey(row) + " value " + traceNumber(v));
}
void THISCALL rowDecrease(unsigned char* row) { step(row, -1.0f); }
void THISCALL rowIncrease(unsigned char* row) { step(row, 1.0f); }
void THISCALL rowDrawAt(unsigned char* row, void*, float x, float y) {
  trace("host row " + rowKey(row) + " at " + traceNumber(x) + " " + traceNumber(y) + " value " +
        traceNumber(get<float>(pointer(get(row, kRowValue)), 12)) + (get(row, 44) ? " focused" : "") +
        (get(row, 48) ? " editing" : "") + (decoyIntact(row) ? "" : " decoy written"));
}
void THISCALL rowPass(unsigned char* row, float v) { trace("host row " + rowKey(row) + " gets " + traceNumber(v)); }
void* THISCALL rowLabelObject(unsigned char* row) { return pointer(get(row, 36)); }
void THISCALL unexpectedSlot(void*) { trace("host unexpected slot"); }

std::uint32_t* rowTable() {
  static std::uint32_t* const table =
      functionTable(25, addressOf(&unexpectedSlot),
                    {{0, addressOf(&rowDestroy)}, {6, addressOf(&rowSetFocused)}, {8, addressOf(&rowSetFocusTarget)},
                     {13, addressOf(&rowDecrease)}, {14, addressOf(&rowIncrease)}, {15, addressOf(&rowDrawAt)},
                     {16, addressOf(&rowPass)}, {22, addressOf(&rowLabelObject)}});
  return table;
}

void* __cdecl rowCreate(std::uint32_t key, std::uint32_t text, std::uint32_t attribute, std::int32_t kind, float l1,
                        std::uint32_t value, std::uint32_t range, float l2, float l3, std::int32_t l4,
                        std::int32_t l5) {
  auto* row = static_cast<unsigned char*>(hostNew(kRowSize));
  if (row == nullptr) return nullptr;
  const std::uint32_t made = gRowsMade++;
  fillSentinel(row, kRowSize, static_cast<std::uint8_t>(0x90 + made));
  put(row, kRowNumber, made);
  fillSentinel(row + kRowDecoy, 16, decoySeed(made));
  put(row, 16, wordOf(row + kRowDecoy));
  put(row, 44, 0u);
  put(row, 48, 0u);
  // The row's label object: its text record at +8.
  unsigned char* label = hostObject("rowlabel", 20);
  put(label, 8, key);
  put(label, 12, text);
  put(label, 16, attribute);
  put(row, 0, wordOf(rowTable()));
  put(row, kRowValue, value);
  for (std::uint32_t i = 0; i < 3; ++i) put(row, 20 + 4 * i, range + 16 * i);
  put(row, 36, wordOf(label));
  put(row, 40, kind);
  trace("host setup row " + rowKey(row) + " kind " + std::to_string(kind) + " value " + place(value) + " range " +
        place(range) + " layout " + traceNumber(l1) + " " + traceNumber(l2) + " " + traceNumber(l3) + " " + std::to_string(l4) +
        " " + std::to_string(l5));
  return row;
}

std::set<const void*>& constructedPages() {
  static std::set<const void*> pages;
  return pages;
}

void* THISCALL menuPageConstruct(unsigned char* page, std::int32_t a, std::int32_t b, std::int32_t c, std::int32_t d) {
  std::memset(page, 0, 212);
  constructedPages().insert(page);
  put(page, 0, kMenuPageTable);
  trace("host menu page " + std::to_string(a) + " " + std::to_string(b) + " " + std::to_string(c) + " " +
        std::to_string(d));
  return page;
}
void* THISCALL menuPageDestroy(unsigned char* page, std::uint32_t flags) {
  trace("host menu page destroy");
  if (flags & 1) std::free(page);
  return page;
}

void* THISCALL pageItemConstruct(unsigned char* item, unsigned char* page) {
  std::memset(item, 0, 20);
  put(item, 0, kPageItemTable);
  put(item, 16, wordOf(page));
  trace("host page item");
  return item;
}
void THISCALL pageItemBind(unsigned char* item, std::int32_t action, std::int32_t target, std::int32_t code,
                           std::uint32_t data) {
  char text[96];
  std::snprintf(text, sizeof text, "host page item action %d code %08x target %s data %u", action, code,
                static_cast<std::uint32_t>(target) == wordOf(item) ? "item" : "other", data);
  trace(text);
}

void __cdecl setParentIndex(void*, std::int32_t index, std::int32_t value) {
  trace("host menu parent " + std::to_string(index) + " " + std::to_string(value));
}
void THISCALL placeItem(unsigned char* menu, unsigned char* item, float x, float y) {
  put(menu, 52, wordOf(item));
  trace("host menu place item " + traceNumber(x) + " " + traceNumber(y));
}

// Option record (48 bytes): label, first and second choice records at +8, +20, +32.
void* THISCALL optionRecordConstruct(unsigned char* record, std::uint32_t k0, std::uint32_t t0, std::uint32_t a0,
                                     std::uint32_t k1, std::uint32_t t1, std::uint32_t a1, std::uint32_t k2,
                                     std::uint32_t t2, std::uint32_t a2, float value) {
  const std::uint32_t words[9] = {k0, t0, a0, k1, t1, a1, k2, t2, a2};
  put(record, 0, kOptionRecordTable);
  for (std::uint32_t i = 0; i < 9; ++i) put(record, 8 + 4 * i, words[i]);
  trace("host option record " + keyAt(record, 8) + " " + keyAt(record, 20) + " " + keyAt(record, 32) + " " +
        traceNumber(value));
  return record;
}

// Option item (28 bytes): the choice list at +20, the word it edits at +24, enabled at +4.
void* THISCALL optionItemConstruct(unsigned char* item, std::uint32_t list, std::uint32_t word, std::int32_t c) {
  put(item, 0, kOptionItemTable);
  put(item, 4, 1u);
  put(item, 20, list);
  put(item, 24, word);
  trace("host option item " + std::to_string(c));
  return item;
}
void* THISCALL optionItemDestroy(unsigned char* item, std::uint32_t flags) {
  if (flags & 1) std::free(item);
  return item;
}
void THISCALL optionItemSetEnabled(unsigned char* item, std::uint32_t enabled) {
  put(item, 4, enabled & 0xFF);
  trace("host option item enabled " + std::to_string(enabled & 0xFF));
}
void* THISCALL optionItemDialog(unsigned char* item) { return pointer(get(item, 20)); }

void THISCALL fillRect(void*, float x, float y, float w, float h) {
  trace("host renderer fill " + traceNumber(x) + " " + traceNumber(y) + " " + traceNumber(w) + " " + traceNumber(h));
}

void* __cdecl hostDifferentialsPage() {
  static unsigned char* page = newHostMenuPage("diffmenupage");
  trace("host differentials page");
  return page;
}

// The menu the host shows now.
unsigned char* gShown = nullptr;

std::int32_t THISCALL showPage(void*, unsigned char* menu, std::int32_t flag) {
  gShown = menu;
  trace("host show menu " + std::string(menu == nullptr ? "none" : get(menu, 52) != 0 ? "with page" : "of items") +
        " " + std::to_string(flag));
  return 1;
}

void callPair(std::uint32_t pairWord) {
  if (pairWord == 0) {
    trace("host no callback");
    return;
  }
  const unsigned char* pair = pointer(pairWord);
  reinterpret_cast<void(__cdecl*)(std::uint32_t)>(static_cast<std::uintptr_t>(get(pair, 0)))(get(pair, 4));
}

unsigned char* shownPage() {
  if (gShown == nullptr || get(gShown, 52) == 0) return nullptr;
  return pointer(get(pointer(get(gShown, 52)), 16));
}

template <typename Fn>
Fn pageSlot(const unsigned char* page, std::uint32_t slot) {
  return reinterpret_cast<Fn>(static_cast<std::uintptr_t>(get(pointer(get(page, 0)), 4 * slot)));
}

void runItemCallback(unsigned char* item) {
  const std::uint32_t callback = item == nullptr ? 0 : get(item, 20);
  if (callback == 0) {
    trace("host entry without callback");
    return;
  }
  const auto result = reinterpret_cast<std::int32_t(__cdecl*)()>(static_cast<std::uintptr_t>(callback))();
  trace("host entry callback " + std::to_string(result));
}

// The host's damper menu, laid out through its call site with five items of its own.
void runCarSetupEntry(int n) {
  static std::uint32_t* const itemTable = functionTable(25, addressOf(&unexpectedSlot), {});
  unsigned char* page = newHostMenuPage("dampermenu");
  // The host's five items: their table words and label records (+8) built from their keys.
  static const char* const keys[5] = {"HOST0", "HOST1", "HOST2", "HOST3", "HOST4"};
  std::uint32_t items[5];
  for (std::uint32_t i = 0; i < 5; ++i) {
    unsigned char* block = hostObject("damperitem", 28);
    put(block, 0, wordOf(itemTable));
    put(block, 8, wordOf(keys[i]));
    put(block, 12, 0u);
    put<std::uint16_t>(block, 16, 0);
    items[i] = wordOf(block);
  }
  static const char title[] = "TITLE";
  std::vector<std::uint32_t> args = {wordOf(page), wordOf(title), 0, 0, 5, wordOf(items)};
  for (std::uint32_t l = 1; l <= 10; ++l) args.push_back(l);
  runCallSite(kCarSetupMenuSite, args, 0, false);
  if (get<std::int32_t>(page, 44) < 7) {
    trace("host damper menu has no entry " + std::to_string(n));
    return;
  }
  runItemCallback(pointer(get(pointer(get(page, 48)), 4 * (5 + n))));
}

unsigned char* settingsItem(int n) {
  if (gShown == nullptr || get<std::int32_t>(gShown, 44) <= n) return nullptr;
  return pointer(get(pointer(get(gShown, 48)), 4 * static_cast<std::uint32_t>(n)));
}

void addCursorListener() {
  static bool added = false;
  if (added) return;
  added = true;
  addHostListener(kMenuCursorSource);
}

}  // namespace

bool isHostMenuPage(const void* object) { return constructedPages().count(object) != 0; }

void appendCarSetupPageRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {
                            {kRowCreate, "setupRowCreate", addressOf(&rowCreate)},
                            {kMenuPageConstructor, "menuPageConstruct", addressOf(&menuPageConstruct)},
                            {kPageItemConstructor, "pageItemConstruct", addressOf(&pageItemConstruct)},
                            {kSetParentIndex, "setParentIndex", addressOf(&setParentIndex)},
                            {kPlaceItem, "placeItem", addressOf(&placeItem)},
                            {kOptionRecordConstructor, "optionRecordConstruct", addressOf(&optionRecordConstruct)},
                            {kOptionItemConstructor, "optionItemConstruct", addressOf(&optionItemConstruct)},
                            {kFillRect, "fillRect", addressOf(&fillRect)},
                            {kHostDifferentialsPage, "hostDifferentialsPage", addressOf(&hostDifferentialsPage)},
                        });
  rows.push_back({EntryKind::callSite, kDifferentialsSite, "differentialsSite", kHostDifferentialsPage});
  const auto table = [&rows](std::uint32_t address, std::uint32_t slots, const char* name,
                             std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> entries) {
    for (std::uint32_t slot = 0; slot < slots; ++slot) {
      std::uint32_t entry = addressOf(&unexpectedSlot);
      for (const auto& e : entries) {
        if (e.first == slot) entry = e.second;
      }
      rows.push_back({EntryKind::global, address + 4 * slot, name, entry});
    }
  };
  table(kGridPageTable, 30, "gridPageTable", {});
  table(kBaseUiTable, 14, "baseUiTable", {});
  table(kMenuPageTable, 14, "menuPageTable", {{0, addressOf(&menuPageDestroy)}});
  table(kPageItemTable, 25, "pageItemTable", {{23, addressOf(&pageItemBind)}});
  table(kOptionRecordTable, 15, "optionRecordTable", {});
  table(kOptionItemTable, 26, "optionItemTable",
        {{0, addressOf(&optionItemDestroy)}, {4, addressOf(&optionItemSetEnabled)}, {22, addressOf(&optionItemDialog)}});
  // The menu manager's slot 2 shows a page.
  put(pointer(get(hostObjects().menuManager, 0)), 8, addressOf(&showPage));
}

bool runCarSetupPageStep(const std::string& step, std::istream& in) {
  if (step == "setupfloat" || step == "setupint") {
    std::string which;
    std::uint32_t offset = 0;
    double value = 0;
    in >> which >> offset >> value;
    unsigned char* object = which == "ranges" ? carSetupRangesObject() : carSetupObject();
    if (step == "setupfloat") {
      put(object, offset, static_cast<float>(value));
    } else {
      put(object, offset, static_cast<std::int32_t>(value));
    }
  } else if (step == "failnew") {
    int n = 0;
    in >> n;
    failHostNew(n);
  } else if (step == "difftorque") {
    gShown = pointer(runCallSite(kDifferentialsSite, {}));
    trace(std::string("host differentials menu ") + (gShown == nullptr ? "none" : get(gShown, 52) ? "with page" : "empty"));
  } else if (step == "carsetupentry") {
    int n = 0;
    in >> n;
    runCarSetupEntry(n);
  } else if (step == "settingsentry") {
    int n = 0;
    in >> n;
    runItemCallback(settingsItem(n));
  } else if (step == "settingsevent") {
    std::string which;
    in >> which;
    if (gShown != nullptr) callPair(get(gShown, which == "changed" ? 36 : 32));
  } else if (step == "bumpswitch") {
    std::int32_t v = 0;
    in >> v;
    unsigned char* option = settingsItem(1);
    if (option != nullptr) put(pointer(get(option, 24)), 0, v);
  } else if (step == "gridkey" || step == "griddraw" || step == "gridshown" || step == "gridclose") {
    unsigned char* page = shownPage();
    if (page == nullptr) {
      trace("host shows no page");
      return true;
    }
    addCursorListener();
    if (step == "gridkey") {
      std::string event;
      while (in >> event) {
        const auto code = static_cast<std::uint32_t>(std::strtoul(event.c_str(), nullptr, 16));
        pageSlot<std::int32_t(THISCALL*)(void*, std::uint32_t, std::uint32_t)>(page, 1)(page, code, 0);
      }
    } else if (step == "griddraw") {
      void* renderer = pointer(get(hostObjects().game, kGameMenuRendererOffset));
      pageSlot<void(THISCALL*)(void*, void*, float, float)>(page, 3)(page, renderer, 10.0f, 20.0f);
    } else if (step == "gridshown") {
      callPair(get(gShown, 32));
    } else {
      pageSlot<void*(THISCALL*)(void*, std::uint32_t)>(page, 0)(page, 1);
      put(pointer(get(gShown, 52)), 16, 0u);
      trace("host page closed");
    }
  } else if (step == "gridcursor") {
    std::int32_t selection = 0;
    in >> selection;
    put(pointer(kControlsObject + 200), 36, selection);
  } else {
    return false;
  }
  return true;
}

}  // namespace hostsim
