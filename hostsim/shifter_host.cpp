#include "hostsim/shifter_host.h"

#include "hostsim/call_trace.h"
#include "hostsim/event_hub.h"
#include "hostsim/fields.h"
#include "hostsim/host_words.h"
#include "hostsim/runtime_host.h"
#include "hostsim/stray_words.h"

namespace hostsim {
namespace {

constexpr std::uint32_t kInputGlobal = 0x895320;
constexpr std::uint32_t kCarGlobal = 0x8EF660;
constexpr std::uint32_t kShifterSite = 0x4CC42F;
constexpr std::uint32_t kShifterSource = 44;

// The controller record: the force-feedback gain, the table of 20-byte input items (an item's
// control at its +12), the lock word, the shifter mode. A control: its analogue value at +48,
// its device at +76.
constexpr std::uint32_t kGain = 32, kItems = 36, kItemSize = 20, kItemControl = 12, kLock = 588, kShifterMode = 592;
constexpr std::uint32_t kControlValue = 48, kControlDevice = 76, kControlSize = 128;
constexpr std::uint32_t kItemCount = 21;  // items 0 to 20: item 0 and the shifter's 13 to 20

struct Objects {
  unsigned char* manager;
  unsigned char* controller;
  unsigned char* controls;  // the eight controls of items 13 to 20
};

// The input manager and its controller before any control is bound: no gain, no item with a
// control, not locked, shifter mode 0; the controls at rest with no device.
Objects& objects() {
  static Objects o = [] {
    Objects n{hostObject("inputmanager", 8), hostObject("controller", kShifterMode + 4),
              hostObject("shiftercontrols", 8 * kControlSize)};
    put(n.controller, kGain, 0);
    for (std::uint32_t i = 0; i < kItemCount; ++i) put(n.controller, kItems + kItemSize * i + kItemControl, 0u);
    put(n.controller, kLock, 0);
    put(n.controller, kShifterMode, 0);
    for (std::uint32_t c = 0; c < 8; ++c) {
      put(n.controls + kControlSize * c, kControlValue, 0.0f);
      put(n.controls + kControlSize * c, kControlDevice, 0u);
    }
    return n;
  }();
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
  for (std::uint32_t i = 13; i <= 20; ++i) {
    unsigned char* control = o.controls + kControlSize * (i - 13);
    put(control, kControlValue, static_cast<int>(i) == item ? value : 0.0f);
    const bool bound = !(i == 14 && item == 0);
    put(o.controller, kItems + kItemSize * i + kItemControl, bound ? wordOf(control) : 0u);
  }
  put<std::int32_t>(o.controller, kShifterMode, 2);
  unsigned char* car = pointer(get(pointer(kCarGlobal), 0));
  if (car != nullptr) put<std::int32_t>(car, 2128 + 80, blocked == "blocked" ? 1 : 0);
  // The host's shifter record: its flags first, no gear asked (byte 40), the rest the host's own.
  unsigned char record[68];
  watchObject("shifterrecord", record, sizeof record);
  put(record, 0, flags);
  put(record, 40, std::uint8_t{0});
  runCallSite(kShifterSite, {wordOf(record)}, wordOf(eventSource(kShifterSource)));
  releaseObject(record);
  return true;
}

}  // namespace hostsim
