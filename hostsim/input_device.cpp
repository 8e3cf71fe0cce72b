#include "hostsim/input_device.h"

#include <atomic>
#include <cstdint>

#include "hostsim/fields.h"
#include "hostsim/runtime_host.h"
#include "hostsim/shifter_host.h"
#include "hostsim/thread_roles.h"

namespace hostsim {
namespace {

#define THISCALL __attribute__((thiscall))

constexpr std::uint32_t kDeviceGlobal = 0x8951D0;
constexpr std::uint32_t kDeviceReady = 0x4C6F70, kControllerValue = 0x4C5F90, kControlFlag = 0x5403E0;

// The device: its first word the force-feedback object; the item's control leads to it (+76).
unsigned char device[64];
unsigned char control[128];
std::atomic<float> steering{0.0f};
std::atomic<std::int32_t> controlFlag{0};
std::atomic<std::uint8_t> ready{0};

std::uint8_t THISCALL deviceReady(void* d) {
  noteThreadRole("force-feedback");
  return d == device ? ready.load() : 0;
}
float THISCALL controllerValue(void*) { return steering.load(); }
std::int32_t hostControlFlag(std::int32_t which) { return which == 11 ? controlFlag.load() : 0; }

}  // namespace

std::vector<AddressEntry> inputDeviceEntries() {
  std::vector<AddressEntry> rows = {{EntryKind::global, kDeviceGlobal, "inputDevice", wordOf(device)}};
  appendFunctions(rows, {{kDeviceReady, "inputDeviceReady", addressOf(&deviceReady)},
                         {kControllerValue, "controllerValue", addressOf(&controllerValue)},
                         {kControlFlag, "controlFlag", addressOf(&hostControlFlag)}});
  return rows;
}

bool runInputDeviceStep(const std::string& step, std::istream& in) {
  if (step != "inputtarget") return false;
  std::int32_t gain = 0, flag = 0, isReady = 0;
  float value = 0.0f;
  in >> gain >> value >> flag >> isReady;
  unsigned char* controller = installInputManager();
  put(device, 0, wordOf(forceFeedbackObject()));
  put(control, 76, wordOf(device));
  put(controller, 32, gain);
  put(controller, 36 + 12, wordOf(control));
  steering.store(value);
  controlFlag.store(flag);
  ready.store(isReady == 1 ? 1 : 0);
  return true;
}

}  // namespace hostsim
