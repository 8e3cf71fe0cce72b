#pragma once
// The two binding patterns every host binding follows.
//
// Call-through: a host function's address is resolved once, into a function-local static of
// the binding, and each call forwards its arguments unchanged:
//
//   inline void* hostNew(std::uint32_t bytes) {
//     return hostFunction<0x581580, void*(QZR_CDECL*)(std::uint32_t)>()(bytes);
//   }
//
// Global getter: a host global's address is resolved once; its value is read afresh each call:
//
//   inline void* hostEventHub() { return hostGlobal<0x893600, void*>(); }
#include <cstddef>
#include <cstdint>

#include "plugin/host/binding/abi.h"
#include "plugin/host/binding/module_address.h"

namespace kvl::host {

// The resolved entry of the host function at a host virtual address, typed as Fn.
template <std::uint32_t VirtualAddress, typename Fn>
Fn hostFunction() {
  static const Fn entry = reinterpret_cast<Fn>(HostAddress(VirtualAddress).resolve());
  return entry;
}

// The resolved address of a host global, typed as T*.
template <std::uint32_t VirtualAddress, typename T>
T* hostGlobalAddress() {
  static T* const address = static_cast<T*>(HostAddress(VirtualAddress).resolve());
  return address;
}

// The value a host global holds now (a host object pointer: null when the host holds none).
template <std::uint32_t VirtualAddress, typename T>
T hostGlobal() {
  return *hostGlobalAddress<VirtualAddress, T>();
}

// The host object a host global points at now; null while the host holds none.
template <std::uint32_t VirtualAddress>
void* hostObject() {
  return reinterpret_cast<void*>(static_cast<std::uintptr_t>(hostGlobal<VirtualAddress, HostWord>()));
}

// The entry at a byte offset of an object's current table (the object's first word).
template <typename Fn>
Fn tableEntry(const void* object, std::size_t byteOffset) noexcept {
  const auto* table = *static_cast<const unsigned char* const*>(object);
  return *reinterpret_cast<const Fn*>(table + byteOffset);
}

}  // namespace kvl::host
