#pragma once
// Plugin copies of host tables in which some slots are replaced.
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

// Points at a static array that receives a copy of a host table. Filled once per class, under a
// function-local static, and never freed or restored.
class VtableClone {
 public:
  void setTarget(void* array) noexcept { target_ = static_cast<unsigned char*>(array); }
  void* target() const noexcept { return target_; }
  // Copies byteCount bytes of the host table at hostTable into the array.
  void copyFrom(const void* hostTable, std::size_t byteCount) noexcept;
  // Stores entry at byteOffset (rounded down to a whole entry) and returns the entry it replaced.
  void* exchangeSlot(std::size_t byteOffset, void* entry) noexcept;

 private:
  unsigned char* target_ = nullptr;
};

// Runs an object's host destructor in its non-freeing form: reads the entry at byteOffset of the
// object's current table and calls it with the object as `this` and the argument 0. A negative
// offset does nothing.
void callHostSlot(void* object, std::ptrdiff_t byteOffset);

}  // namespace kvl::host
