#include "plugin/host/binding/guarded_call.h"

#include <windows.h>

#include "plugin/host/binding/handler_chain.h"

namespace kvl::host {
namespace {

constexpr std::uint32_t kCatchFaults = static_cast<std::uint32_t>(GuardCatch::memoryFaults);
constexpr std::uint32_t kCatchHostExceptions = static_cast<std::uint32_t>(GuardCatch::hostExceptions);

#if defined(__i386__)
#define QZR_GUARD_ON_CHAIN 1
#else
#define QZR_GUARD_ON_CHAIN 0
#endif

struct GuardFrame {
#if QZR_GUARD_ON_CHAIN
  ChainRecord record;  // first: the handler finds the frame from its record's address
  ChainRecord* chain;  // the thread's chain as the guard began
#endif
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

void setCurrentFrame(GuardFrame* frame) noexcept {
  const DWORD error = GetLastError();
  TlsSetValue(guardSlot(), frame);
  SetLastError(error);
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

// Whether the vectored handler catches the exception for this guard, before any frame handler.
bool catches(const GuardFrame* frame, DWORD code) {
  if (isMemoryFault(code)) return (frame->what & kCatchFaults) != 0;
  // Host exceptions wait for the frame handlers where the guard is on the chain.
  return !QZR_GUARD_ON_CHAIN && code == kHostCxxExceptionCode && (frame->what & kCatchHostExceptions) != 0;
}

LONG CALLBACK guardHandler(EXCEPTION_POINTERS* info) {
  const DWORD code = info->ExceptionRecord->ExceptionCode;
  // The innermost guard that catches this kind of exception; the guards inside it are left.
  GuardFrame* frame = currentFrame();
  while (frame != nullptr && !catches(frame, code)) frame = frame->previous;
  if (frame == nullptr) return EXCEPTION_CONTINUE_SEARCH;
  frame->code = code;
  setCurrentFrame(frame);
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

#if QZR_GUARD_ON_CHAIN
// The guard's handler on the thread's chain, reached once the frames inside the call have passed
// on an exception, or when handlers further out unwind the stack past the guard.
EXCEPTION_DISPOSITION __cdecl chainHandler(EXCEPTION_RECORD* exception, void* establisher, CONTEXT*, void*) {
  auto* frame = static_cast<GuardFrame*>(establisher);
  if (isUnwinding(exception)) {
    // Host code further out took what this guard let pass: the guard ends here.
    setCurrentFrame(frame->previous);
    return ExceptionContinueSearch;
  }
  if (exception->ExceptionCode != kHostCxxExceptionCode || (frame->what & kCatchHostExceptions) == 0) {
    return ExceptionContinueSearch;
  }
  frame->code = exception->ExceptionCode;
  unwindTo(&frame->record, exception);
  setCurrentFrame(frame);
  __builtin_longjmp(frame->jump, 1);
}
#endif

}  // namespace

__attribute__((noinline)) GuardOutcome guardedCall(void (*fn)(void*) noexcept, void* context,
                                                   GuardCatch what) noexcept {
  installGuardHandler();
  GuardOutcome outcome;
  volatile GuardFrame frame{};
  GuardFrame* self = const_cast<GuardFrame*>(&frame);
  self->previous = currentFrame();
  self->what = static_cast<std::uint32_t>(what);
#if QZR_GUARD_ON_CHAIN
  self->chain = handlerChain();
  self->record.next = self->chain;
  self->record.handler = reinterpret_cast<void*>(&chainHandler);
  setHandlerChain(&self->record);
#endif
  if (__builtin_setjmp(self->jump) == 0) {
    TlsSetValue(guardSlot(), self);
    fn(context);
    outcome.completed = true;
  } else {
    self = const_cast<GuardFrame*>(&frame);
    outcome.exceptionCode = self->code;
  }
#if QZR_GUARD_ON_CHAIN
  // Registrations of the frames the guard left behind are dropped with its own.
  setHandlerChain(self->chain);
#endif
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
