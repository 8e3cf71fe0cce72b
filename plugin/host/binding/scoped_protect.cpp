#include "plugin/host/binding/scoped_protect.h"

#include <windows.h>

namespace kvl::host {

ScopedProtect::ScopedProtect(void* address, std::size_t size, std::uint32_t protection) noexcept
    : address_(address), size_(size), protection_(protection) {
  DWORD old = 0;
  changed_ = VirtualProtect(address_, size_, protection_, &old) != 0;
  if (changed_) {
    oldProtection_ = old;
  } else {
    (void)GetLastError();
  }
}

ScopedProtect::~ScopedProtect() {
  if (!changed_) return;  // nothing to restore: the first call changed nothing
  DWORD ignored = 0;
  if (!VirtualProtect(address_, size_, oldProtection_, &ignored)) (void)GetLastError();
}

}  // namespace kvl::host
