#include "plugin/gui/centred_screen_quad.h"

#include "plugin/gui/menu_centring.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/model/cloned_host_classes.h"

namespace kvl::gui {
namespace {

// Direct3D 9 vertex buffer: Lock (slot 11) and Unlock (slot 12).
using LockFn = std::int32_t(QZR_STDCALL*)(void* buffer, std::uint32_t offset, std::uint32_t size, void** data,
                                          std::uint32_t flags);
using UnlockFn = std::int32_t(QZR_STDCALL*)(void* buffer);
constexpr std::size_t kLockSlot = 11;
constexpr std::size_t kUnlockSlot = 12;

}  // namespace

void CentredScreenQuad::shiftVertices(void* vertexBuffer, float offset) {
  if (vertexBuffer == nullptr) return;
  void* data = nullptr;
  if (host::tableEntry<LockFn>(vertexBuffer, kLockSlot * host::kTableEntrySize)(vertexBuffer, 0, 0, &data, 0) < 0 ||
      data == nullptr) {
    return;
  }
  for (std::uint32_t v = 0; v < kVertexCount; ++v) host::fieldAt<float>(data, v * kVertexSize) += offset;
  host::tableEntry<UnlockFn>(vertexBuffer, kUnlockSlot * host::kTableEntrySize)(vertexBuffer);
}

void* QZR_THISCALL CentredScreenQuad::construct(void* quad, std::int32_t a, std::int32_t b, std::int32_t width,
                                                std::int32_t d) noexcept {
  try {
    host::HostScreenQuad::construct(quad, a, b, width, d);
    const float offset = menuCentreOffset(width);
    shiftVertices(host::HostScreenQuad::vertexBuffer(quad), offset);
    shiftVertices(host::HostScreenQuad::vertexBuffer(host::HostScreenQuad::innerPart(quad)), offset);
  } catch (...) {
  }
  return quad;
}

void* QZR_THISCALL CentredScreenQuad::constructOnFreshMemory(void* quad, std::int32_t a, std::int32_t b,
                                                             std::int32_t width, std::int32_t d) noexcept {
  return construct(host::HostScreenQuad::prepare(quad), a, b, width, d);
}

}  // namespace kvl::gui
