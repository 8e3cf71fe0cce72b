#include "plugin/host/binding/heap_block_size.h"

#include <windows.h>

#include <vector>

namespace kvl::host {

namespace {

std::size_t writableExtent(const void* block) noexcept {
  MEMORY_BASIC_INFORMATION info{};
  const auto* at = static_cast<const unsigned char*>(block);
  std::size_t total = 0;
  constexpr DWORD kWritable = PAGE_READWRITE | PAGE_EXECUTE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_WRITECOPY;
  while (VirtualQuery(at + total, &info, sizeof info) == sizeof info && info.State == MEM_COMMIT &&
         (info.Protect & kWritable) != 0 && (info.Protect & PAGE_GUARD) == 0) {
    const auto* end = static_cast<const unsigned char*>(info.BaseAddress) + info.RegionSize;
    total = static_cast<std::size_t>(end - at);
  }
  return total;
}

}  // namespace

std::size_t heapBlockSize(const void* block) noexcept {
  if (block == nullptr) return 0;
  try {
    std::vector<HANDLE> heaps(64);
    DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (count > heaps.size()) {
      heaps.resize(count);
      count = GetProcessHeaps(count, heaps.data());
    }
    for (DWORD i = 0; i < count && i < heaps.size(); ++i) {
      if (!HeapValidate(heaps[i], 0, block)) continue;
      const SIZE_T size = HeapSize(heaps[i], 0, block);
      if (size != static_cast<SIZE_T>(-1)) return size;
    }
  } catch (...) {
  }
  return writableExtent(block);
}

}  // namespace kvl::host
