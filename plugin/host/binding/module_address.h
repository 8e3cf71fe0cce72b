#pragma once
// Addresses inside the host executable and its modules, stored relative to the module's
// preferred base and resolved against the module's load address when used.
#include <cstdint>
#include <string>

#include "plugin/host/binding/abi.h"

namespace kvl::host {

class ModuleAddress {
 public:
  virtual ~ModuleAddress() = default;
  // The module's file name, as the system knows it.
  virtual std::string moduleName() const = 0;
  // The live address: the module's handle (GetModuleHandleA of moduleName) plus the offset;
  // the bare offset when the module is not loaded.
  virtual void* resolve() const;
  std::uint32_t offset() const noexcept { return offset_; }

 protected:
  ModuleAddress(std::uint32_t virtualAddress, std::uint32_t preferredBase) noexcept
      : offset_(virtualAddress - preferredBase) {}

 private:
  std::uint32_t offset_;
};

// An address in Korvala_SSE.exe (preferred base 0x400000).
class HostAddress : public ModuleAddress {
 public:
  explicit HostAddress(std::uint32_t virtualAddress) noexcept
      : ModuleAddress(virtualAddress, kHostPreferredBase) {}
  std::string moduleName() const override;
  void* resolve() const override;
};

// An address in Spindle3D.DLL (preferred base 0x60000000), resolved through the load address
// that the host's graphics object records for that module.
class Spindle3DAddress : public ModuleAddress {
 public:
  explicit Spindle3DAddress(std::uint32_t virtualAddress) noexcept
      : ModuleAddress(virtualAddress, kSpindlePreferredBase) {}
  std::string moduleName() const override;
  void* resolve() const override;
};

// An address in Railwise.DLL (preferred base 0x61000000), resolved like Spindle3DAddress.
class RailwiseAddress : public ModuleAddress {
 public:
  explicit RailwiseAddress(std::uint32_t virtualAddress) noexcept
      : ModuleAddress(virtualAddress, kRailwisePreferredBase) {}
  std::string moduleName() const override;
  void* resolve() const override;
};

// The handle of Korvala_SSE.exe, looked up once it is found.
class HostModuleHandle {
 public:
  // The cached handle; looked up again while the lookup gives null.
  std::uintptr_t get() noexcept;

 private:
  std::uintptr_t handle_ = 0;
};
HostModuleHandle& hostModuleHandle();

// Load addresses of the host's modules as its graphics object (host global 0x894FB8) records
// them: the words at +20 (Spindle3D.DLL) and +28 (Railwise.DLL); zero while there is none.
struct HostModuleTable {
  static constexpr std::uint32_t kGraphicsGlobal = 0x894FB8u;
  static constexpr std::size_t kSpindleBaseOffset = 20;
  static constexpr std::size_t kRailwiseBaseOffset = 28;
  static std::uintptr_t spindleBase() noexcept;
  static std::uintptr_t railwiseBase() noexcept;
};

}  // namespace kvl::host
