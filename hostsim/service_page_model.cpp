#include "hostsim/service_page_model.h"

#include <windows.h>

#include <istream>
#include <map>
#include <string>

#include "hostsim/call_trace.h"
#include "hostsim/car_setup_pages_model.h"
#include "hostsim/fields.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kPanelConstruct = 0x5C5720, kPanelStart = 0x5C5880, kFrameConstruct = 0x5C7030;
constexpr std::uint32_t kInfoBoxConstruct = 0x5C66E0, kElementConstruct = 0x53F400, kTimerConstruct = 0x5C55C0;

struct ClassTable {
  std::uint32_t address;
  std::uint32_t slots;
  const char* kind;
};
// The menu page's class, the host's page constructor, parent index and item placing belong to
// the car-setup pages' model.
const ClassTable kPanel{0x74C8BC, 14, "panel"}, kFrame{0x74CA1C, 25, "frame"}, kInfoBox{0x74C9A4, 14, "infobox"},
    kElement{0x742C5C, 23, "element"}, kTimer{0x74C83C, 14, "timer"};

std::map<std::uint32_t, std::string>& kinds() {
  static std::map<std::uint32_t, std::string> k;
  return k;
}

std::string kindOf(const void* object) {
  const auto it = kinds().find(wordOf(object));
  if (it != kinds().end()) return it->second;
  return isHostMenuPage(object) ? "page" : "unknown";
}

std::map<std::string, unsigned char*>& latest() {
  static std::map<std::string, unsigned char*> l;
  return l;
}

void* build(unsigned char* object, const ClassTable& table) {
  put(object, 0, table.address);
  kinds()[wordOf(object)] = table.kind;
  latest()[table.kind] = object;
  return object;
}


void* THISCALL panelConstruct(unsigned char* panel, std::int32_t value) {
  trace("host service panel construct " + std::to_string(value));
  return build(panel, kPanel);
}
void THISCALL panelStart(unsigned char* panel) { trace("host service panel start " + kindOf(panel)); }
void* THISCALL frameConstruct(unsigned char* frame, unsigned char* panel) {
  trace("host service frame construct around " + kindOf(panel));
  return build(frame, kFrame);
}
// Kinds whose next construction fails the host's way once its own table is in place.
std::map<std::string, bool>& failNext() {
  static std::map<std::string, bool> f;
  return f;
}

void* buildOrRaise(unsigned char* object, const ClassTable& table) {
  build(object, table);
  bool& fail = failNext()[table.kind];
  if (fail) {
    fail = false;
    trace(std::string("host ") + table.kind + " construct raising");
    ULONG_PTR info[3] = {0x19930520u, 0, 0};
    RaiseException(0xE06D7363u, EXCEPTION_NONCONTINUABLE, 3, info);
  }
  return object;
}

void* THISCALL infoBoxConstruct(unsigned char* box) {
  trace("host info box construct");
  return buildOrRaise(box, kInfoBox);
}
void* THISCALL elementConstruct(unsigned char* element, unsigned char* content) {
  trace("host element construct with " + (content == nullptr ? std::string("none") : kindOf(content)));
  return build(element, kElement);
}
void* THISCALL timerConstruct(unsigned char* timer) {
  trace("host service timer construct");
  // The host leaves the countdown's delay at one second, not fired, no overtime.
  put(timer, 4, 1.0f);
  put(timer, 8, std::int32_t{0});
  put(timer, 12, 0.0f);
  return buildOrRaise(timer, kTimer);
}
void* THISCALL destroy(unsigned char* object, std::uint32_t flags) {
  trace("host destroy " + kindOf(object) + " flags " + std::to_string(flags));
  return object;
}
void THISCALL otherSlot(unsigned char*) { trace("host page object unexpected slot"); }
std::int32_t THISCALL enterPage(unsigned char*, unsigned char* page) {
  trace("host menu enter " + kindOf(page));
  latest()["entered page"] = page;
  return 1;
}

void appendTable(std::vector<AddressEntry>& rows, const ClassTable& table) {
  rows.push_back({EntryKind::global, table.address, table.kind, addressOf(&destroy)});
  for (std::uint32_t i = 1; i < table.slots; ++i) {
    rows.push_back({EntryKind::global, table.address + 4 * i, table.kind, addressOf(&otherSlot)});
  }
}

}  // namespace

unsigned char* lastServiceObject(const std::string& kind) {
  const auto it = latest().find(kind);
  return it == latest().end() ? nullptr : it->second;
}

bool runServicePageStep(const std::string& step, std::istream& arguments) {
  if (step != "failconstruct") return false;
  std::string kind;
  arguments >> kind;
  failNext()[kind] = true;
  return true;
}

std::uint32_t menuEnterPageHandler() { return addressOf(&enterPage); }

void appendServicePageRows(std::vector<AddressEntry>& rows) {
  appendFunctions(rows, {
                            {kPanelConstruct, "servicePanelConstruct", addressOf(&panelConstruct)},
                            {kPanelStart, "servicePanelStart", addressOf(&panelStart)},
                            {kFrameConstruct, "serviceFrameConstruct", addressOf(&frameConstruct)},
                            {kInfoBoxConstruct, "infoBoxConstruct", addressOf(&infoBoxConstruct)},
                            {kElementConstruct, "menuElementConstruct", addressOf(&elementConstruct)},
                            {kTimerConstruct, "serviceTimerConstruct", addressOf(&timerConstruct)},
                        });
  for (const ClassTable& table : {kPanel, kFrame, kInfoBox, kElement, kTimer}) appendTable(rows, table);
}

}  // namespace hostsim
