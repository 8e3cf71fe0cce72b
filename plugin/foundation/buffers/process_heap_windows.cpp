#include <windows.h>

#include "plugin/foundation/buffers/process_heap.h"

namespace kvl {

void* processHeapAllocate(size_t size) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size); }

void processHeapRelease(void* block) {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}

}  // namespace kvl
