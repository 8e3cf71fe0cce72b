#pragma once
// The host's allocator pairs. A block always goes back through the pair it came from:
//   hostNew / hostDelete                          menu items and pages handed to host menus
//   hostRuntimeAlloc / hostRuntimeRelease         host-shaped records host code may free
//   vc7Malloc / vc7OperatorDelete                 HostString buffers, vc7 exception texts
#include <cstddef>
#include <cstdint>

namespace kvl::host {

// The host runtime library's malloc and operator delete, looked up in msvcr71.dll on first use.
// vc7Malloc gives null when the runtime or the entry is missing; vc7OperatorDelete then does
// nothing.
void* vc7Malloc(std::size_t bytes) noexcept;
void vc7OperatorDelete(void* block) noexcept;

// The host executable's own allocators (call-throughs).
void* hostRuntimeMalloc(std::uint32_t bytes);
void hostRuntimeFree(void* block);
void* hostNew(std::uint32_t bytes);
void hostDelete(void* block) noexcept;

void* hostRuntimeAlloc(std::uint32_t bytes);
void* hostRuntimeAllocRecord(std::uint32_t bytes);
void hostRuntimeRelease(void* block) noexcept;
void hostRuntimeReleaseRecord(void* block) noexcept;

}  // namespace kvl::host
