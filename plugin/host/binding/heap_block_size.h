#pragma once
// How many bytes a block handed over by host code may be read and written in: the size its heap
// gives for it, or, for a block of no heap of the process, what is committed and writable from
// it to the end of its memory region.
#include <cstddef>

namespace kvl::host {

std::size_t heapBlockSize(const void* block) noexcept;

}  // namespace kvl::host
