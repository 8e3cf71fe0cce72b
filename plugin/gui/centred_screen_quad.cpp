#include "plugin/gui/centred_screen_quad.h"

#include <unordered_map>

#include "plugin/gui/menu_centring.h"
#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/host_class_clone.h"
#include "plugin/host/model/cloned_host_classes.h"
#include "plugin/host/model/host_menu_renderer.h"

namespace kvl::gui {
namespace {

// Direct3D 9 vertex buffer: Lock (slot 11) and Unlock (slot 12).
using LockFn = std::int32_t(QZR_STDCALL*)(void* buffer, std::uint32_t offset, std::uint32_t size, void** data,
                                          std::uint32_t flags);
using UnlockFn = std::int32_t(QZR_STDCALL*)(void* buffer);
constexpr std::size_t kLockSlot = 11;
constexpr std::size_t kUnlockSlot = 12;

// The width each quad was built with (its constructor's third argument), by quad. The host's quad
// keeps its width somewhere of its own, which is not known; only quads built here reach shiftXs,
// and a quad built later at the same address replaces the entry. Host thread only.
std::unordered_map<const void*, std::int32_t>& quadWidths() {
  static std::unordered_map<const void*, std::int32_t> widths;
  return widths;
}

}  // namespace

const void* CentredScreenQuad::table() {
  return host::replacedTableCopy<kHostTable, kTableSlots, kDrawSlot>(
      reinterpret_cast<void*>(&CentredScreenQuad::shiftXs));
}

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
    host::setTable(quad, table());
    quadWidths()[quad] = width;
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

std::int32_t QZR_THISCALL CentredScreenQuad::shiftXs(void* quad, std::int32_t count, float* xs,
                                                    std::int32_t flag) noexcept {
  try {
    const auto known = quadWidths().find(quad);
    if (known != quadWidths().end()) {
      const auto offset = static_cast<std::int32_t>(menuCentreOffset(known->second));
      const float shift = host::HostMenuView::scaleValue(quad, offset);
      for (std::int32_t i = 0; i < count; ++i) xs[i] += shift;
    }
    return host::HostScreenQuad::drawBase(quad, count, xs, flag);
  } catch (...) {
    return 0;
  }
}

}  // namespace kvl::gui
