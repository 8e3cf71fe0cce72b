#pragma once
#include <cstddef>

namespace kvl {

// Zero-filled blocks from the process heap, which every module of the process shares, so a block
// allocated by one user can be released by any other. Allocation failure gives null; releasing
// null does nothing.
void* processHeapAllocate(size_t size);
void processHeapRelease(void* block);

}  // namespace kvl
