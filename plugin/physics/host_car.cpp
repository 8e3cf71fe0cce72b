#include "plugin/physics/host_car.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/host_game_modes.h"

namespace kvl::physics {

using host::HostWord;
using host::fieldAt;

void* HostCar::current() { return host::hostObject<0x8EF660>(); }

void HostCar::applyControls(void* car, void* controls) {
  host::hostFunction<0x4E91F0, void(QZR_THISCALL*)(void*, void*)>()(car, controls);
}

void* hostCarSetup() { return host::hostObject<0x7ECD00>(); }
void* hostCarSetupRanges() { return host::hostObject<0x7ECD04>(); }
void* hostSurfaceGripTable() { return host::hostObject<0x1659B6C>(); }
void* hostSurfaceNames() { return host::hostObject<0x1659B70>(); }
void* hostEffectsState() { return host::hostObject<0x166E378>(); }
void* forceFeedbackKeyTable() { return host::hostGlobalAddress<0x7C6578, void>(); }
void* forceFeedbackKeyDescriptor() { return host::hostGlobalAddress<0x8EF73C, void>(); }
void* physicsRevisionKeyTable() { return host::hostGlobalAddress<0x7CBB10, void>(); }

void HostListNode::detach(void* node) noexcept {
  auto* next = static_cast<std::uint8_t*>(HostCar::wordPointer(node, 0));
  auto* previous = static_cast<std::uint8_t*>(HostCar::wordPointer(node, 4));
  auto* list = static_cast<std::uint8_t*>(HostCar::wordPointer(node, 8));
  if (list != nullptr) {
    auto& count = fieldAt<std::int32_t>(list, 8);
    if (count > 0) --count;
    const auto nextWord = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(next));
    const auto previousWord = static_cast<HostWord>(reinterpret_cast<std::uintptr_t>(previous));
    // The previous node's next link, or the list's first word; the next node's previous link,
    // or the list's last word.
    if (previous != nullptr) fieldAt<HostWord>(previous, 0) = nextWord; else fieldAt<HostWord>(list, 0) = nextWord;
    if (next != nullptr) fieldAt<HostWord>(next, 4) = previousWord; else fieldAt<HostWord>(list, 4) = previousWord;
  }
  fieldAt<HostWord>(node, 0) = 0;
  fieldAt<HostWord>(node, 4) = 0;
  fieldAt<HostWord>(node, 8) = 0;
}

std::int32_t hostCurrentCarNumber() {
  void* modes = host::HostGameModes::instance();
  if (modes == nullptr) return 0;
  return static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(host::HostGameModes::carParameters(modes)));
}

}  // namespace kvl::physics
