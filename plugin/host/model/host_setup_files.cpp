#include "plugin/host/model/host_setup_files.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostSetupFiles::instance() { return hostObject<0x7C1184>(); }

void* HostSetupFiles::listOfKind(void* catalogue, std::int32_t kind) {
  return hostFunction<0x49E130, void*(QZR_THISCALL*)(void*, std::int32_t)>()(catalogue, kind);
}

void HostSetupFiles::displayName(void* catalogue, char* buffer, const char* fileName, std::int32_t mode) {
  hostFunction<0x49E320, void(QZR_THISCALL*)(void*, char*, const char*, std::int32_t)>()(catalogue, buffer, fileName,
                                                                                          mode);
}

void* HostSetupFiles::listForCar(void* catalogue, std::int32_t car) {
  return hostFunction<0x49DFA0, void*(QZR_THISCALL*)(void*, std::int32_t)>()(catalogue, car);
}

bool HostSetupFiles::isSlotEmpty(void* catalogue, std::int32_t car, std::int32_t slot) {
  return hostBool(hostFunction<0x49EA40, std::uint8_t(QZR_THISCALL*)(void*, std::int32_t, std::int32_t)>()(
      catalogue, car, slot));
}

}  // namespace kvl::host
