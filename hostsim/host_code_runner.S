/* Calls host code with every general register set, the way host code around it would.
   int32_t hostsimRunCode(const void* entry, uint32_t* registers)
   registers: EAX, ECX, EDX, EBX, ESI, EDI, EBP to load, then seven words that receive them as the
   code left them when it returned. The result is the stack words the code took beyond its
   return address (0 for a plain RET, 1 for RET 4, negative when it left words behind). Every
   register then holds a result and the words above ESP may be this frame's (RET n took them),
   so the frame is found again through the thread slot, and EAX waits in XMM7 (which no caller
   keeps across a call) until the registers block is at hand. */
#include "invoker_frame.inc"

        .text
        .globl _hostsimRunCode
_hostsimRunCode:
        ENTER_PUBLISHED_FRAME
        movl 12(%ebp), %eax
        movl 4(%eax), %ecx
        movl 8(%eax), %edx
        movl 12(%eax), %ebx
        movl 16(%eax), %esi
        movl 20(%eax), %edi
        movl 24(%eax), %ebp
        movl (%eax), %eax
        call *24(%esp)  /* the entry, 8 above the frame, which ends 16 below it */
        movd %eax, %xmm7
        THREAD_FRAME %eax
        movl 12(%eax), %eax
        movd %xmm7, 28(%eax)
        movl %ecx, 32(%eax)
        movl %edx, 36(%eax)
        movl %ebx, 40(%eax)
        movl %esi, 44(%eax)
        movl %edi, 48(%eax)
        movl %ebp, 52(%eax)
        THREAD_FRAME %ebp
        leal -16(%ebp), %ecx  /* ESP at the call */
        movl %esp, %eax
        subl %ecx, %eax
        sarl $2, %eax
        LEAVE_PUBLISHED_FRAME
