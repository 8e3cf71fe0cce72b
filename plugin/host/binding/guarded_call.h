#pragma once
// Runs a function so that a memory fault inside it or an exception of the host's runtime (each
// when asked) ends the function instead of the process. Memory faults are caught by a vectored
// exception handler that resumes the guarded caller at once. Host exceptions are caught (in the
// 32-bit build) by a handler on the thread's frame chain, so only after every host frame inside
// the call has passed on them, those frames unwound as the host's runtime unwinds them. C++
// exceptions of the plugin are not involved.
#include <cstdint>
#include <type_traits>
#include <utility>

namespace kvl::host {

// Exception code of the host runtime's C++ exceptions.
constexpr std::uint32_t kHostCxxExceptionCode = 0xE06D7363u;

// What a guard catches: memory faults (access violation, in-page error, guard page), the host
// runtime's C++ exceptions, or both. What it does not catch goes on to the handlers further out
// (the host's own); should they unwind the stack past the guard, the guard ends with it.
enum class GuardCatch : std::uint32_t {
  memoryFaults = 1,
  hostExceptions = 2,
  memoryFaultsAndHostExceptions = 3,
};

struct GuardOutcome {
  bool completed = false;        // the function returned normally
  std::uint32_t exceptionCode = 0;  // what stopped it otherwise
};

// Runs fn(context). The function must not throw C++ exceptions (it is noexcept at the boundary).
// Nested guards on one thread are allowed; the innermost one catches.
GuardOutcome guardedCall(void (*fn)(void*) noexcept, void* context,
                         GuardCatch what = GuardCatch::memoryFaults) noexcept;

// Convenience form for a callable; returns whether it ran to its end.
template <typename F>
bool runGuarded(F&& f, GuardCatch what = GuardCatch::memoryFaults) noexcept {
  using Callable = std::remove_reference_t<F>;
  auto trampoline = [](void* context) noexcept {
    try {
      (*static_cast<Callable*>(context))();
    } catch (...) {
    }
  };
  return guardedCall(trampoline, const_cast<void*>(static_cast<const void*>(&f)), what).completed;
}

// Copies bytes one at a time; a fault stops the copy and gives false.
bool guardedCopy(void* destination, const void* source, std::size_t count) noexcept;
// Compares bytes; a fault gives false.
bool guardedEqual(const void* a, const void* b, std::size_t count) noexcept;
// Reads one byte; a fault gives false and leaves out untouched.
bool guardedReadByte(const void* address, std::uint8_t& out) noexcept;

}  // namespace kvl::host
