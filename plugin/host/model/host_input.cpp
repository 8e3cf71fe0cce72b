#include "plugin/host/model/host_input.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostInput::instance() {
  return hostObject<0x895320>();
}

void HostInputTarget::setValue(void* target, float seconds) {
  if (locked(target)) return;
  hostFunction<0x4CBF50, void(QZR_THISCALL*)(void*, float)>()(target, seconds);
}

bool HostInputDevice::isReady(void* device) {
  return hostFunction<0x4C6F70, std::uint8_t(QZR_THISCALL*)(void*)>()(device) != 0;
}

void* hostInputDevice() {
  return hostObject<0x8951D0>();
}

float hostControllerValue(void* device) {
  return hostFunction<0x4C5F90, float(QZR_THISCALL*)(void*)>()(device);
}

void hostInputPoll(void* object, std::int32_t value) {
  hostFunction<0x487840, void(QZR_THISCALL*)(void*, std::int32_t)>()(object, value);
}

}  // namespace kvl::host
