#include "plugin/host/binding/vtable_clone.h"

#include <cstring>

#include "plugin/host/binding/call_through.h"

namespace kvl::host {

void VtableClone::copyFrom(const void* hostTable, std::size_t byteCount) noexcept {
  std::memcpy(target_, hostTable, byteCount);
}

void* VtableClone::exchangeSlot(std::size_t byteOffset, void* entry) noexcept {
  const std::size_t slot = byteOffset - byteOffset % kTableEntrySize;
  void* previous = nullptr;
  std::memcpy(&previous, target_ + slot, sizeof previous);
  std::memcpy(target_ + slot, &entry, sizeof entry);
  return previous;
}

void callHostSlot(void* object, std::ptrdiff_t byteOffset) {
  if (byteOffset < 0) return;
  using Destructor = void*(QZR_THISCALL*)(void*, std::uint32_t);
  tableEntry<Destructor>(object, static_cast<std::size_t>(byteOffset))(object, 0);
}

}  // namespace kvl::host
