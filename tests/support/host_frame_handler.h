#pragma once
// Test helper (i686, Windows): an exception handler of host code, registered on the thread's
// handler chain (FS:[0]) as the host's compiler registers one for a function with a try block.
// runUnderHostHandler(fn, context, code) runs fn(context); an exception with that code which
// reaches the handler is caught there: the frames inside are unwound with RtlUnwind (their own
// handlers see the unwind), and the call returns the code. It returns 0 when fn returned.
#include <windows.h>

#include <cstdint>

namespace kvl::testing {

struct HostHandlerFrame {
  HostHandlerFrame* next;  // the registration: next record, handler
  void* handler;
  HostHandlerFrame* chain;  // the chain as the frame began
  std::uint32_t code;       // what the handler catches
  std::uint32_t caught;
  void* jump[5];
};

inline HostHandlerFrame* handlerChainHead() {
  HostHandlerFrame* head;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

inline void setHandlerChainHead(HostHandlerFrame* head) { asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }

inline EXCEPTION_DISPOSITION __cdecl hostFrameHandler(EXCEPTION_RECORD* exception, void* establisher, CONTEXT*, void*) {
  auto* frame = static_cast<HostHandlerFrame*>(establisher);
  if ((exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0 ||
      exception->ExceptionCode != frame->code) {
    return ExceptionContinueSearch;
  }
  frame->caught = exception->ExceptionCode;
  // RtlUnwind need not keep EBX, ESI, EDI and EBP.
  void* target = frame;
  void* unwind = reinterpret_cast<void*>(&RtlUnwind);
  asm volatile(
      "pushl %%ebp\n\t"
      "pushl $0\n\t"
      "pushl %%ecx\n\t"
      "pushl $0\n\t"
      "pushl %%eax\n\t"
      "call *%%edx\n\t"
      "popl %%ebp"
      : "+a"(target), "+c"(exception), "+d"(unwind)
      :
      : "ebx", "esi", "edi", "memory", "cc");
  __builtin_longjmp(static_cast<HostHandlerFrame*>(establisher)->jump, 1);
}

__attribute__((noinline)) inline std::uint32_t runUnderHostHandler(void (*fn)(void*), void* context,
                                                                   std::uint32_t code) {
  volatile HostHandlerFrame frame{};
  auto* self = const_cast<HostHandlerFrame*>(&frame);
  self->chain = handlerChainHead();
  self->next = self->chain;
  self->handler = reinterpret_cast<void*>(&hostFrameHandler);
  self->code = code;
  setHandlerChainHead(self);
  if (__builtin_setjmp(self->jump) == 0) fn(context);
  self = const_cast<HostHandlerFrame*>(&frame);
  setHandlerChainHead(self->chain);
  return self->caught;
}

}  // namespace kvl::testing
