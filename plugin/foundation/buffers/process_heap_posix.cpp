#include <cstdlib>

#include "plugin/foundation/buffers/process_heap.h"

namespace kvl {

void* processHeapAllocate(size_t size) { return std::calloc(size == 0 ? 1 : size, 1); }

void processHeapRelease(void* block) { std::free(block); }

}  // namespace kvl
