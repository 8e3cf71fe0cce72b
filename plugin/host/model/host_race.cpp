#include "plugin/host/model/host_race.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void* HostRace::instance() { return hostGlobal<kGlobal, void*>(); }
void HostRace::advance(void* race) { hostFunction<0x579430, void(QZR_THISCALL*)(void*)>()(race); }
std::int32_t HostRace::isRunning(void* race) {
  return hostFunction<0x572FC0, std::int32_t(QZR_THISCALL*)(void*)>()(race);
}
std::int32_t HostRace::finishStage(void* race) {
  return hostFunction<0x573530, std::int32_t(QZR_THISCALL*)(void*)>()(race);
}
void HostRace::applyValue(void* race, float value) {
  hostFunction<0x572DA0, void(QZR_THISCALL*)(void*, float)>()(race, value);
}

}  // namespace kvl::host
