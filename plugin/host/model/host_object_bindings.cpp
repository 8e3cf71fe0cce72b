#include "plugin/host/model/host_object_bindings.h"

#include "plugin/host/binding/call_through.h"

namespace kvl::host {
namespace {

const void* linkAt(const void* object, std::size_t offset) noexcept {
  return object == nullptr ? nullptr
                           : reinterpret_cast<const void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(object, offset)));
}

// Nothing writes it: the position of a dashboard the race does not lead to.
const float kNoDashboard[2] = {0.0f, 0.0f};

}  // namespace

std::int32_t hostEventGlobal() { return hostGlobal<0x7C2CA0, std::int32_t>(); }

std::int32_t hostCallEventPair(std::int32_t object, std::int32_t value) {
  return hostFunction<0x492AE0, std::int32_t(QZR_THISCALL*)(std::int32_t, std::int32_t)>()(object, value);
}

std::int32_t HostObject::callSlot40(void* object, std::int32_t value) {
  return tableEntry<std::int32_t(QZR_THISCALL*)(void*, std::int32_t)>(object, 40 * 4)(object, value);
}

void HostRaceTime::addElapsedTime(void* race, float seconds) noexcept {
  if (race == nullptr || fieldAt<std::int32_t>(race, kHoldOffset) != 0) return;
  fieldAt<float>(race, kElapsedOffset) += seconds;
}

const float* HostCockpit::dashLayout(const void* race) noexcept {
  const void* layout = linkAt(linkAt(linkAt(race, 0x7CC), 0x40), 4);
  return layout == nullptr ? kNoDashboard : &fieldAt<float>(layout, 0xB8);
}

void* SpindleGeometryRoot::linkedObject(const void* root) noexcept { return const_cast<void*>(linkAt(root, 0x18)); }

}  // namespace kvl::host
