#include "plugin/host/model/host_input.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostInput::instance() {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostGlobal<0x895320, HostWord>()));
}

void HostInputTarget::setValue(void* target, float seconds) {
  if (locked(target)) return;
  hostFunction<0x4CBF50, void(QZR_THISCALL*)(void*, float)>()(target, seconds);
}

void* hostInputDevice() {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostGlobal<0x8951D0, HostWord>()));
}

float hostControllerValue(void* device) {
  return hostFunction<0x4C5F90, float(QZR_THISCALL*)(void*)>()(device);
}

void hostInputPoll(void* object, std::int32_t value) {
  hostFunction<0x487840, void(QZR_THISCALL*)(void*, std::int32_t)>()(object, value);
}

}  // namespace kvl::host
