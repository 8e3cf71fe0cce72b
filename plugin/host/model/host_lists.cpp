#include "plugin/host/model/host_lists.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/small_hook_maths.h"

namespace kvl::host {

void* HostList::entry(const void* list, std::int32_t i) noexcept {
  const std::uintptr_t first = fieldAt<HostWord>(list, 0);
  return reinterpret_cast<void*>(first + static_cast<std::uintptr_t>(static_cast<std::intptr_t>(i) * kEntrySize));
}

HostCarState* HostCarStateArray::at(void* array, std::int16_t index) noexcept {
  return static_cast<HostCarState*>(
      addressAt(array, static_cast<std::size_t>(16 + static_cast<std::ptrdiff_t>(index) * HostCarState::kSize)));
}

HostCarState* HostCarStateArray::copyInto(void* array, const HostCarState* state) {
  HostCarState::assign(at(array, 0), state);
  HostCarState::assign(at(array, 4), state);
  return HostCarState::assign(at(array, 5), state);
}

void* hostEffectsSource() { return hostGlobal<0x7C36A8, void*>(); }

std::int32_t hostGraphicsModuleCall(void* object, void* pointer) {
  static const auto entry =
      reinterpret_cast<std::int32_t(QZR_THISCALL*)(void*, void*)>(Spindle3DAddress(0x60070A10).resolve());
  return entry(object, pointer);
}

std::uint32_t QZR_CDECL isUnlistedCode(std::uint32_t code) noexcept { return isListedCode(code) ? 0u : 1u; }

}  // namespace kvl::host
