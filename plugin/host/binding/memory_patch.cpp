#include "plugin/host/binding/memory_patch.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "plugin/host/binding/guarded_call.h"
#include "plugin/host/binding/scoped_protect.h"

namespace kvl::host {

std::uint32_t branchDisplacement(const void* operand, const void* target) noexcept {
  const auto site = reinterpret_cast<std::uintptr_t>(operand);
  const auto hook = reinterpret_cast<std::uintptr_t>(target);
  return static_cast<std::uint32_t>(hook - site - 4);
}

bool isBranchOpcode(std::uint8_t twoBefore, std::uint8_t oneBefore) noexcept {
  if (oneBefore == 0xE8 || oneBefore == 0xE9) return true;
  return twoBefore == 0x0F && oneBefore >= 0x80 && oneBefore <= 0x8F;
}

MemoryPatch::MemoryPatch(void* address, const void* newBytes, std::int32_t length, Site site)
    : address_(address), length_(length), site_(site) {
  const std::size_t n = size();
  newBytes_ = static_cast<std::uint8_t*>(std::malloc(n == 0 ? 1 : n));
  if (newBytes_ != nullptr && n != 0) std::memcpy(newBytes_, newBytes, n);

  ScopedProtect protect(address_, n, PAGE_EXECUTE_READWRITE);
  // Nothing readable at the address: nothing is saved. A read that faults part-way keeps what it
  // copied (zeros after it): a revert then restores the readable bytes and stops at the fault.
  std::uint8_t first = 0;
  if (n != 0 && !guardedReadByte(address_, first)) return;
  savedBytes_ = static_cast<std::uint8_t*>(std::calloc(n == 0 ? 1 : n, 1));
  if (savedBytes_ != nullptr) (void)guardedCopy(savedBytes_, address_, n);
}

MemoryPatch::~MemoryPatch() {
  std::free(savedBytes_);
  std::free(newBytes_);
}

std::shared_ptr<MemoryPatch> MemoryPatch::redirection(void* operand, const void* hook) {
  const std::uint32_t displacement = branchDisplacement(operand, hook);
  std::uint8_t bytes[4];
  std::memcpy(bytes, &displacement, 4);
  return std::make_shared<MemoryPatch>(operand, bytes, 4, Site::branchOperand);
}

bool MemoryPatch::isApplied() const {
  const std::size_t n = size();
  if (n == 0) return true;
  if (newBytes_ == nullptr) return false;
  ScopedProtect protect(address_, n, PAGE_EXECUTE_READWRITE);
  return guardedEqual(address_, newBytes_, n);
}

bool MemoryPatch::siteMatches() const {
  if (site_ != Site::branchOperand) return true;
  const auto* operand = static_cast<const std::uint8_t*>(address_);
  std::uint8_t before[2] = {0, 0};
  if (!guardedReadByte(operand - 1, before[1])) return false;
  // The second byte back only matters for the two-byte conditional jumps.
  (void)guardedReadByte(operand - 2, before[0]);
  return isBranchOpcode(before[0], before[1]);
}

// One copy of the bytes, made byte by byte inside the fault guard so that a page that faults
// part-way stops the copy there and the read-back reports the patch; then the instruction cache is
// flushed, as Windows asks after code is changed (on x86 it costs nothing).
bool MemoryPatch::write(const std::uint8_t* bytes) {
  const std::size_t n = size();
  {
    ScopedProtect protect(address_, n, PAGE_EXECUTE_READWRITE);
    (void)guardedCopy(address_, bytes, n);
  }
  FlushInstructionCache(GetCurrentProcess(), address_, n);
  return true;
}

bool MemoryPatch::apply() {
  if (isApplied()) return true;
  if (newBytes_ == nullptr) return false;
  // A guard of our own beyond the read-back: a redirection is written only over the operand of a
  // CALL or JMP. On a build of the host whose code differs the operand is not where we expect it,
  // and the bytes are left alone rather than an instruction corrupted.
  if (!siteMatches()) return false;
  write(newBytes_);
  return isApplied();
}

bool MemoryPatch::revert() {
  if (!isApplied()) return true;
  if (savedBytes_ == nullptr) return false;
  write(savedBytes_);
  return !isApplied();
}

}  // namespace kvl::host
