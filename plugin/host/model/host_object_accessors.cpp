#include "plugin/host/model/host_object_accessors.h"

#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/small_hook_maths.h"

namespace kvl::host {

namespace {
const float kStandardPressure = 101300.0f;
}  // namespace
const float* ambientPressure = &kStandardPressure;

void* hostControls() { return hostGlobalAddress<0x16607F8, void>(); }

void hostLanguageCall(std::uint32_t value) {
  hostFunction<0x55CE30, void(QZR_CDECL*)(std::uint32_t)>()(value);
}

void* HostBody::frame(void* body) {
  using Fn = void*(QZR_THISCALL*)(void*);
  return tableEntry<Fn>(body, 48)(body);
}

std::int32_t HostBody::setValue(void* body, float value) {
  using Fn = std::int32_t(QZR_THISCALL*)(void*, float);
  return tableEntry<Fn>(body, 32)(body, value);
}

void* hostMath() { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostGlobal<0x7CBB00, HostWord>())); }

void HostMath::transformPoint(void* maths, const void* input, void* frame, void* output) {
  hostFunction<0x51B560, void(QZR_THISCALL*)(void*, const void*, void*, void*)>()(maths, input, frame, output);
}

void HostMath::transformPointB(void* maths, const void* input, void* frame, void* output) {
  hostFunction<0x51B4C0, void(QZR_THISCALL*)(void*, const void*, void*, void*)>()(maths, input, frame, output);
}

void HostSurfaceNames::setValue(void* object, float value) {
  hostFunction<0x525500, void(QZR_THISCALL*)(void*, float)>()(object, value);
}

void* hostFindMaterial(void* table, std::int32_t id) {
  return hostFunction<0x520940, void*(QZR_THISCALL*)(void*, std::int32_t)>()(table, id);
}

void hostTickCall(void* object, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  hostFunction<0x601A60, void(QZR_THISCALL*)(void*, std::uint32_t, std::uint32_t, std::uint32_t)>()(object, a, b, c);
}

BumpStopMenuState& bumpStopMenuState() {
  static BumpStopMenuState state;
  return state;
}

std::uint32_t QZR_THISCALL materialTableHook(void* object, float a, float b) noexcept {
  const auto* table = static_cast<const std::uint8_t*>(derefPointer(addressAt(object, 4)));
  if (table == nullptr) return 0;
  return table[materialTableIndex(a, b)];
}

std::uint32_t QZR_CDECL pressureArgumentHook(std::uint32_t p, std::uint32_t b, std::uint32_t,
                                             std::uint32_t d) noexcept {
  using Fn = std::uint32_t(QZR_CDECL*)(std::uint32_t, std::uint32_t, float, std::uint32_t);
  return hostFunction<0x52E760, Fn>()(p, b, *ambientPressure, d);
}

}  // namespace kvl::host
