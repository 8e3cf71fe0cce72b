#pragma once
// The thread's chain of exception handler registrations (FS:[0]) as the host's compiler builds
// it, for plugin code that must take part in the host's exception handling: a record linked at
// the head while a call runs sees the exceptions that pass through the call and the unwinds that
// end it. 32-bit builds only.
#if defined(__i386__)
#include <windows.h>

namespace kvl::host {

// One registration: the next (outer) record, then the handler.
struct ChainRecord {
  ChainRecord* next;
  void* handler;
};

inline ChainRecord* handlerChain() noexcept {
  ChainRecord* head;
  asm volatile("movl %%fs:0, %0" : "=r"(head));
  return head;
}

inline void setHandlerChain(ChainRecord* head) noexcept { asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory"); }

// Unwinds the records inside target (their handlers see the unwind), leaving target at the head.
// RtlUnwind need not keep EBX, ESI, EDI and EBP: they are saved around it.
inline void unwindTo(ChainRecord* target, EXCEPTION_RECORD* exception) noexcept {
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
}

inline bool isUnwinding(const EXCEPTION_RECORD* exception) noexcept {
  return (exception->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) != 0;
}

}  // namespace kvl::host
#endif
