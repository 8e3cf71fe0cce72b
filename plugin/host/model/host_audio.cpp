#include "plugin/host/model/host_audio.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostAudio::instance() { return hostGlobal<kGlobal, void*>(); }

void* HostSoundCar::current() { return hostGlobal<kGlobal, void*>(); }

std::uint32_t hostSetupIdleSpeed() {
  void* ranges = hostGlobal<0x7ECD04u, void*>();
  return ranges == nullptr ? 0 : fieldAt<std::uint32_t>(ranges, 5056);
}

}  // namespace kvl::host
