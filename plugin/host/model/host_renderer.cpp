#include "plugin/host/model/host_renderer.h"

#include <new>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/host_class_clone.h"

namespace kvl::host {
namespace {

void* pointerAt(const void* object, std::size_t offset) noexcept {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(fieldAt<HostWord>(object, offset)));
}

// Two copies of the host table: the one objects point at while the host constructor and
// destructor run, and the one slot 4 is read from.
const void* constructionTable() { return hostTableCopy<HostGraphicsObject::kHostTable, HostGraphicsObject::kTableSlots>(); }

const void* slotTable() {
  static void* entries[HostGraphicsObject::kTableSlots];
  static const bool filled = (fillTableCopy(entries, HostAddress(HostGraphicsObject::kHostTable).resolve(),
                                            HostGraphicsObject::kTableSlots, -1, nullptr),
                              true);
  (void)filled;
  return entries;
}

}  // namespace

void* HostRenderer::instance() { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostGlobal<kGlobal, HostWord>())); }
void* HostRenderer::device(const void* renderer) noexcept { return pointerAt(renderer, kDeviceOffset); }
void* HostRenderer::window(const void* renderer) noexcept { return pointerAt(renderer, kWindowOffset); }

std::uint32_t HostRenderer::screenWidth(void* renderer) {
  return hostFunction<0x40E9F0, std::uint32_t(QZR_THISCALL*)(void*)>()(renderer);
}

std::uint32_t HostRenderer::dimension2(void* renderer) {
  return hostFunction<0x40EA00, std::uint32_t(QZR_THISCALL*)(void*)>()(renderer);
}

void* HostGraphicsObject::construct(void* object, bool hostPart) {
  new (object) HostMirror();
  if (hostPart) hostConstruct(object);
  return object;
}

void* HostGraphicsObject::hostConstruct(void* object) {
  hostFunction<0x40AE60, void*(QZR_THISCALL*)(void*)>()(object);
  setTable(object, constructionTable());
  return object;
}

void HostGraphicsObject::hostDestroy(void* object) { hostFunction<0x40E890, void(QZR_THISCALL*)(void*)>()(object); }

void HostGraphicsObject::restoreBaseTable(void* object) noexcept { setTable(object, constructionTable()); }

std::int32_t HostGraphicsObject::callBaseSlot4(void* object) {
  using Slot = std::int32_t(QZR_THISCALL*)(void*);
  return reinterpret_cast<Slot const*>(slotTable())[4](object);
}

}  // namespace kvl::host
