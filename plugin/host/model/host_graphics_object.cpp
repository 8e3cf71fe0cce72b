#include "plugin/host/model/host_graphics_object.h"

#include <new>

#include "plugin/host/binding/call_through.h"
#include "plugin/host/binding/host_class_clone.h"

namespace kvl::host {
namespace {

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
