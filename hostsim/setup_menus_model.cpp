#include "hostsim/setup_menus_model.h"

#include <cstdint>
#include <cstdio>

#include "hostsim/call_trace.h"
#include "hostsim/fields.h"
#include "hostsim/function_table.h"
#include "hostsim/host_layout.h"
#include "hostsim/host_objects.h"
#include "hostsim/menu_model.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr int kFirstMapMenu = 95;
constexpr int kDifferentialsMenu = 93;
constexpr std::uint32_t kItemSlots = 25;
constexpr std::uint32_t kItemDialogSlot = 22;
constexpr std::uint32_t kGroups = 4, kRows = 11;
constexpr std::uint32_t kEntryBytes = 48;
const char* const kDifferentialKeys[5] = {"CS_CDIF_TOR", "CS_FDIF_TOR", "CS_RDIF_TOR", "CS_HNDB_RE", "CS_FB_THRES"};

// Menu item: table +0, its dialog +20.
void* THISCALL itemDialog(unsigned char* self) { return pointer(get(self, 20)); }
std::uint32_t THISCALL itemOtherSlot(unsigned char*) { return 0; }

// The host's own range triple that map items hold until the plugin binds them.
unsigned char gHostRange[48];

struct SetupMenus {
  unsigned char* menus[6] = {};  // 93, then 95 to 98 (index 1 + mode)
  unsigned char* dialogs[6] = {};
};

SetupMenus& setupMenus() {
  static SetupMenus s;
  return s;
}

int slotOf(int menu) { return menu == kDifferentialsMenu ? 0 : menu - kFirstMapMenu + 1; }
bool known(int menu) { return menu == kDifferentialsMenu || (menu >= kFirstMapMenu && menu < kFirstMapMenu + 4); }

// A menu page whose one laid-out entry (array +12, count +20) is an item holding the dialog.
unsigned char* menuWith(unsigned char* dialog) {
  static std::uint32_t* const itemTable =
      functionTable(kItemSlots, addressOf(&itemOtherSlot), {{kItemDialogSlot, addressOf(&itemDialog)}});
  unsigned char* item = hostObject("setupmenuitem", 24);
  put(item, 0, wordOf(itemTable));
  put(item, 20, wordOf(dialog));
  unsigned char* entries = hostObject("setupmenuentries", 4);
  put(entries, 0, wordOf(item));
  unsigned char* menu = newHostMenuPage("setupmenu");
  put(menu, 12, wordOf(entries));
  put<std::int32_t>(menu, 20, 1);
  return menu;
}

// Map page: 44 item pointers from +20 (group-major; the last cell empty), mode +196; an item
// keeps its minimum, maximum and step references at +20, +24 and +28.
unsigned char* mapPage(std::int32_t mode) {
  unsigned char* page = hostObject("mappage", 200);
  put(page, 196, mode);
  for (std::uint32_t i = 0; i < kGroups * kRows; ++i) {
    if (i + 1 == kGroups * kRows) {
      put(page, 20 + 4 * i, 0u);
      continue;
    }
    unsigned char* item = hostObject("mapitem", 32);
    put(item, 20, wordOf(gHostRange));
    put(item, 24, wordOf(gHostRange + 16));
    put(item, 28, wordOf(gHostRange + 32));
    put(page, 20 + 4 * i, wordOf(item));
  }
  return page;
}

// Differentials page: item pointers from +20; an item holds at +36 the object whose label record
// (key, wide text, attribute) is at +8, built from the row's key.
unsigned char* differentialsPage() {
  unsigned char* page = hostObject("diffpage", 40);
  for (std::uint32_t i = 0; i < 5; ++i) {
    unsigned char* holder = hostObject("diffholder", 20);
    put(holder, 8, wordOf(kDifferentialKeys[i]));
    put(holder, 12, 0u);
    put<std::uint16_t>(holder, 16, 0);
    unsigned char* item = hostObject("diffitem", 40);
    put(item, 36, wordOf(holder));
    put(page, 20 + 4 * i, wordOf(item));
  }
  return page;
}

void install() {
  SetupMenus& s = setupMenus();
  if (s.menus[0] != nullptr) return;
  // The host's range triple: three 16-byte values, each with its two zero words and its value
  // (+12) 0.
  watchObject("hostrange", gHostRange, sizeof gHostRange);
  for (std::uint32_t v = 0; v < 3; ++v) {
    put(gHostRange, 16 * v + 4, 0u);
    put(gHostRange, 16 * v + 8, 0u);
    put(gHostRange, 16 * v + 12, 0.0f);
  }
  s.dialogs[0] = differentialsPage();
  for (std::int32_t mode = 0; mode < 4; ++mode) s.dialogs[1 + mode] = mapPage(mode);
  std::string listed;
  for (int i = 0; i < 6; ++i) {
    if (s.dialogs[i] == nullptr) continue;
    s.menus[i] = menuWith(s.dialogs[i]);
    const int id = i == 0 ? kDifferentialsMenu : kFirstMapMenu + i - 1;
    put(hostObjects().menuManager, kMenuArrayOffset + 4 * static_cast<std::uint32_t>(id), wordOf(s.menus[i]));
    listed += " " + std::to_string(id);
  }
  trace("host setup menus" + listed);
}

std::string narrow(const wchar_t* text) {
  if (text == nullptr) return "(none)";
  std::string out;
  for (; *text != 0; ++text) out += *text < 128 ? static_cast<char>(*text) : '?';
  return out;
}

void traceLabels() {
  const unsigned char* page = setupMenus().dialogs[0];
  for (std::uint32_t i = 0; i < 5; ++i) {
    const unsigned char* holder = pointer(get(pointer(get(page, 20 + 4 * i)), 36));
    const auto* key = reinterpret_cast<const char*>(pointer(get(holder, 8)));
    const auto* text = reinterpret_cast<const wchar_t*>(pointer(get(holder, 12)));
    trace("host differentials row " + std::to_string(i) + " " + (key == nullptr ? "(none)" : key) + " \"" +
          narrow(text) + "\"");
  }
}

void showMenu(int id) {
  const unsigned char* menu = setupMenus().menus[slotOf(id)];
  const std::uint32_t pairWord = get(menu, 32);
  if (pairWord == 0) {
    trace("host setup menu " + std::to_string(id) + " has no shown callback");
    return;
  }
  const unsigned char* pair = pointer(pairWord);
  const bool onDialog = get(pair, 4) == wordOf(setupMenus().dialogs[slotOf(id)]);
  trace("host setup menu " + std::to_string(id) + " shown, context " + (onDialog ? "page" : "menu"));
  reinterpret_cast<void(__cdecl*)(std::uint32_t)>(static_cast<std::uintptr_t>(get(pair, 0)))(get(pair, 4));
  if (id == kDifferentialsMenu) traceLabels();
}

// The start of the table that the page's item (group, row) points into, or 0.
std::uint32_t tableBase(const unsigned char* page, std::uint32_t group, std::uint32_t row) {
  const unsigned char* item = pointer(get(page, 20 + 4 * (group * kRows + row)));
  if (item == nullptr) return 0;
  const std::uint32_t minimum = get(item, 20);
  if (get(item, 24) != minimum + 16 || get(item, 28) != minimum + 32) return 0;
  const auto mode = get<std::uint32_t>(page, 196);
  return minimum - kEntryBytes * ((mode * kGroups + group) * kRows + row);
}

void traceBinding(int id) {
  const unsigned char* page = setupMenus().dialogs[slotOf(id)];
  const std::uint32_t base = tableBase(page, 0, 0);
  int bound = 0, host = 0, empty = 0;
  for (std::uint32_t g = 0; g < kGroups; ++g) {
    for (std::uint32_t r = 0; r < kRows; ++r) {
      const unsigned char* item = pointer(get(page, 20 + 4 * (g * kRows + r)));
      if (item == nullptr) {
        ++empty;
      } else if (get(item, 20) == wordOf(gHostRange)) {
        ++host;
      } else if (base != 0 && tableBase(page, g, r) == base) {
        ++bound;
      }
    }
  }
  const bool shared = base != 0 && base == tableBase(setupMenus().dialogs[1], 0, 0);
  trace("host setup menu " + std::to_string(id) + " mode " + std::to_string(get<std::int32_t>(page, 196)) +
        ": " + std::to_string(bound) + " items on the table, " + std::to_string(host) + " on host ranges, " +
        std::to_string(empty) + " empty" + (shared ? ", table of menu 95" : ""));
}

// The range a map menu's item (group, row) offers: the values (+12) of the three 16-byte values
// its minimum, maximum and step references point at.
void traceRange(int id, std::istream& in) {
  std::uint32_t group = 0, row = 0;
  in >> group >> row;
  const unsigned char* page = setupMenus().dialogs[slotOf(id)];
  const unsigned char* item = group < kGroups && row < kRows ? pointer(get(page, 20 + 4 * (group * kRows + row))) : nullptr;
  std::string line = "host setup menu " + std::to_string(id) + " range " + std::to_string(group) + " " + std::to_string(row);
  if (item == nullptr) {
    trace(line + " (no item)");
    return;
  }
  for (std::uint32_t reference : {20u, 24u, 28u}) {
    char text[32];
    std::snprintf(text, sizeof text, " %g", static_cast<double>(get<float>(pointer(get(item, reference)), 12)));
    line += text;
  }
  trace(line);
}

}  // namespace

bool runSetupMenuStep(const std::string& step, std::istream& in) {
  if (step == "setupmenus") {
    install();
    return true;
  }
  if (step != "setupmenu") return false;
  std::string what;
  int id = 0;
  in >> what >> id;
  if (!known(id) || setupMenus().menus[slotOf(id)] == nullptr) {
    trace("host setup menu " + std::to_string(id) + " does not exist");
  } else if (what == "shown") {
    showMenu(id);
  } else if (what == "bound" && id != kDifferentialsMenu) {
    traceBinding(id);
  } else if (what == "range" && id != kDifferentialsMenu) {
    traceRange(id, in);
  } else {
    trace("host setup menu step not understood: " + what);
  }
  return true;
}

}  // namespace hostsim
