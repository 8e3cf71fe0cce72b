#include "plugin/host/binding/guarded_call.h"

#include <windows.h>

namespace kvl::host {
namespace {

struct GuardFrame {
  void* jump[5];  // __builtin_setjmp buffer
  GuardFrame* previous;
  std::uint32_t code;
  std::uint32_t what;
};

DWORD guardSlot() {
  static const DWORD slot = TlsAlloc();
  return slot;
}

GuardFrame* currentFrame() noexcept {
  const DWORD error = GetLastError();
  auto* frame = static_cast<GuardFrame*>(TlsGetValue(guardSlot()));
  SetLastError(error);
  return frame;
}

bool isMemoryFault(DWORD code) {
  return code == EXCEPTION_ACCESS_VIOLATION || code == EXCEPTION_IN_PAGE_ERROR ||
         code == STATUS_GUARD_PAGE_VIOLATION;
}

// Entered in place of the faulting instruction once the system has finished dispatching; it
// returns to the guard's receiver.
[[noreturn]] __attribute__((noinline)) void resumeGuardedCaller() {
  GuardFrame* frame = currentFrame();
  __builtin_longjmp(frame->jump, 1);
}

bool catches(const GuardFrame* frame, DWORD code) {
  if (isMemoryFault(code)) return true;
  return code == kHostCxxExceptionCode &&
         frame->what == static_cast<std::uint32_t>(GuardCatch::memoryFaultsAndHostExceptions);
}

LONG CALLBACK guardHandler(EXCEPTION_POINTERS* info) {
  const DWORD code = info->ExceptionRecord->ExceptionCode;
  // The innermost guard that catches this kind of exception; the guards inside it are left.
  GuardFrame* frame = currentFrame();
  while (frame != nullptr && !catches(frame, code)) frame = frame->previous;
  if (frame == nullptr) return EXCEPTION_CONTINUE_SEARCH;
  frame->code = code;
  const DWORD error = GetLastError();
  TlsSetValue(guardSlot(), frame);
  SetLastError(error);
  CONTEXT* context = info->ContextRecord;
#if defined(_WIN64)
  context->Rsp = ((context->Rsp - 64) & ~static_cast<DWORD64>(15)) - 8;
  context->Rip = reinterpret_cast<DWORD64>(&resumeGuardedCaller);
#else
  context->Esp = ((context->Esp - 64) & ~static_cast<DWORD>(15)) - 4;
  context->Eip = reinterpret_cast<DWORD>(&resumeGuardedCaller);
#endif
  return EXCEPTION_CONTINUE_EXECUTION;
}

void installGuardHandler() {
  static void* const handler = AddVectoredExceptionHandler(1, guardHandler);
  (void)handler;
}

}  // namespace

__attribute__((noinline)) GuardOutcome guardedCall(void (*fn)(void*) noexcept, void* context,
                                                   GuardCatch what) noexcept {
  installGuardHandler();
  GuardOutcome outcome;
  volatile GuardFrame frame{};
  GuardFrame* self = const_cast<GuardFrame*>(&frame);
  self->previous = currentFrame();
  self->what = static_cast<std::uint32_t>(what);
  if (__builtin_setjmp(self->jump) == 0) {
    TlsSetValue(guardSlot(), self);
    fn(context);
    outcome.completed = true;
  } else {
    self = const_cast<GuardFrame*>(&frame);
    outcome.exceptionCode = self->code;
  }
  TlsSetValue(guardSlot(), self->previous);
  return outcome;
}

namespace {

struct CopyJob {
  unsigned char* destination;
  const volatile unsigned char* source;
  std::size_t count;
};

struct CompareJob {
  const volatile unsigned char* a;
  const volatile unsigned char* b;
  std::size_t count;
  bool equal;
};

}  // namespace

bool guardedCopy(void* destination, const void* source, std::size_t count) noexcept {
  CopyJob job{static_cast<unsigned char*>(destination),
              static_cast<const volatile unsigned char*>(source), count};
  auto copy = [](void* context) noexcept {
    auto* j = static_cast<CopyJob*>(context);
    volatile unsigned char* out = j->destination;
    for (std::size_t i = 0; i < j->count; ++i) out[i] = j->source[i];
  };
  return guardedCall(copy, &job).completed;
}

bool guardedEqual(const void* a, const void* b, std::size_t count) noexcept {
  CompareJob job{static_cast<const volatile unsigned char*>(a),
                 static_cast<const volatile unsigned char*>(b), count, false};
  auto compare = [](void* context) noexcept {
    auto* j = static_cast<CompareJob*>(context);
    for (std::size_t i = 0; i < j->count; ++i) {
      if (j->a[i] != j->b[i]) return;
    }
    j->equal = true;
  };
  return guardedCall(compare, &job).completed && job.equal;
}

bool guardedReadByte(const void* address, std::uint8_t& out) noexcept {
  std::uint8_t value = 0;
  if (!guardedCopy(&value, address, 1)) return false;
  out = value;
  return true;
}

}  // namespace kvl::host
