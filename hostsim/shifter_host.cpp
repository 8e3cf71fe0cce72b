#include "hostsim/shifter_host.h"

#include <cstdlib>

#include "hostsim/call_trace.h"
#include "hostsim/event_hub.h"
#include "hostsim/fields.h"
#include "hostsim/host_words.h"
#include "hostsim/runtime_host.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kInputGlobal = 0x895320;
constexpr std::uint32_t kCarGlobal = 0x8EF660;
constexpr std::uint32_t kShifterSite = 0x4CC42F;
constexpr std::uint32_t kShifterSource = 44;

struct Objects {
  unsigned char* manager;
  unsigned char* controller;
  unsigned char* controls;  // eight controls of 128 bytes, the value at +48
};

Objects& objects() {
  static Objects o{static_cast<unsigned char*>(std::calloc(1, 64)), static_cast<unsigned char*>(std::calloc(1, 1024)),
                   static_cast<unsigned char*>(std::calloc(8, 128))};
  return o;
}

void __attribute__((thiscall)) traceShifter(ListenerNode*, const void* record) {
  trace("host shifter record flags " + std::to_string(get(record, 0)) + " gear " +
        std::to_string(get<std::uint8_t>(record, 40)));
}
const ListenerNodeTable shifterTable = {nullptr, &traceShifter};
ListenerNode shifterNode = {&shifterTable, nullptr, nullptr, nullptr};

}  // namespace

unsigned char* installInputManager() {
  Objects& o = objects();
  put(pointer(kInputGlobal), 0, wordOf(o.manager));
  put(o.manager, 4, wordOf(o.controller));
  return o.controller;
}

std::vector<AddressEntry> shifterEntries() { return {{EntryKind::global, kInputGlobal, "inputManager", 0}}; }

bool runShifterStep(const std::string& step, std::istream& in) {
  if (step != "shifter") return false;
  int item = 0;
  float value = 0.0f;
  std::uint32_t flags = 0;
  std::string blocked;
  in >> item >> value >> flags >> blocked;
  Objects& o = objects();
  if (shifterNode.list == nullptr) appendHostListener(kShifterSource, shifterNode);
  installInputManager();
  for (int i = 13; i <= 20; ++i) {
    unsigned char* control = o.controls + 128 * (i - 13);
    put(control, 48, i == item ? value : 0.0f);
    const bool bound = !(i == 14 && item == 0);
    put(o.controller, 36 + 20 * i + 12, bound ? wordOf(control) : 0u);
  }
  put<std::int32_t>(o.controller, 592, 2);
  unsigned char* car = pointer(get(pointer(kCarGlobal), 0));
  if (car != nullptr) put<std::int32_t>(car, 2128 + 80, blocked == "blocked" ? 1 : 0);
  unsigned char record[68] = {};
  put(record, 0, flags);
  runCallSite(kShifterSite, {wordOf(record)}, wordOf(eventSource(kShifterSource)));
  return true;
}

}  // namespace hostsim
