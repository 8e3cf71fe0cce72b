#include "plugin/host/binding/module_address.h"

#include <windows.h>

namespace kvl::host {

void* ModuleAddress::resolve() const {
  const auto handle = reinterpret_cast<std::uintptr_t>(GetModuleHandleA(moduleName().c_str()));
  return reinterpret_cast<void*>(handle + offset());
}

std::string HostAddress::moduleName() const { return "Korvala_SSE.exe"; }

void* HostAddress::resolve() const {
  return reinterpret_cast<void*>(hostModuleHandle().get() + offset());
}

std::string Spindle3DAddress::moduleName() const { return "Spindle3D.DLL"; }

void* Spindle3DAddress::resolve() const {
  return reinterpret_cast<void*>(HostModuleTable::spindleBase() + offset());
}

std::string RailwiseAddress::moduleName() const { return "Railwise.DLL"; }

void* RailwiseAddress::resolve() const {
  return reinterpret_cast<void*>(HostModuleTable::railwiseBase() + offset());
}

std::uintptr_t HostModuleHandle::get() noexcept {
  if (handle_ != 0) return handle_;
  handle_ = reinterpret_cast<std::uintptr_t>(GetModuleHandleA("Korvala_SSE.exe"));
  return handle_;
}

HostModuleHandle& hostModuleHandle() {
  static HostModuleHandle handle;
  return handle;
}

namespace {

// The graphics object is read afresh on every call: the host may replace it.
std::uintptr_t graphicsWord(std::size_t byteOffset) noexcept {
  static void* const global = HostAddress(HostModuleTable::kGraphicsGlobal).resolve();
  const std::uintptr_t graphics = *static_cast<const HostWord*>(global);
  if (graphics == 0) return 0;
  return fieldAt<HostWord>(reinterpret_cast<const void*>(graphics), byteOffset);
}

}  // namespace

std::uintptr_t HostModuleTable::spindleBase() noexcept { return graphicsWord(kSpindleBaseOffset); }
std::uintptr_t HostModuleTable::railwiseBase() noexcept { return graphicsWord(kRailwiseBaseOffset); }

}  // namespace kvl::host
