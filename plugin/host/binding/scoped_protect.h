#pragma once
#include <cstddef>
#include <cstdint>

namespace kvl::host {

// A page-protection change for the life of the object. Failures of either VirtualProtect call
// are ignored: callers find out by reading back what they wrote.
class ScopedProtect {
 public:
  ScopedProtect(void* address, std::size_t size, std::uint32_t protection) noexcept;
  ~ScopedProtect();
  ScopedProtect(const ScopedProtect&) = delete;
  ScopedProtect& operator=(const ScopedProtect&) = delete;

  bool changed() const noexcept { return changed_; }
  std::uint32_t oldProtection() const noexcept { return oldProtection_; }

 private:
  void* address_;
  std::size_t size_;
  std::uint32_t oldProtection_ = 0;
  std::uint32_t protection_;
  bool changed_ = false;
};

}  // namespace kvl::host
