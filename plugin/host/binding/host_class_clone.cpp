#include "plugin/host/binding/host_class_clone.h"

#include "plugin/host/binding/vtable_clone.h"

namespace kvl::host {

void* QZR_THISCALL keepObject(void* self, std::uint32_t) noexcept { return self; }

void fillTableCopy(void** entries, const void* hostTable, std::size_t slots, std::ptrdiff_t replacedSlot,
                   void* replacement) noexcept {
  VtableClone clone;
  clone.setTarget(entries);
  clone.copyFrom(hostTable, slots * kTableEntrySize);
  if (replacedSlot >= 0) clone.exchangeSlot(static_cast<std::size_t>(replacedSlot) * kTableEntrySize, replacement);
}

void destroyInPlace(void* object, const void* inertTable) noexcept {
  if (object == nullptr) return;
  callHostSlot(object, 0);
  setTable(object, inertTable);
}

}  // namespace kvl::host
