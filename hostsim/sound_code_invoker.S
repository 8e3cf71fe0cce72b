/* Runs the host's sound code the way the host's flow reaches it. The code runs with the general
   registers set and lands at labels of its own, so both invokers find their frame there through
   the thread slot, and write what they saw into their caller's outcome block (its first
   argument, sound_code_invoker.h lays the blocks out). */
#include "invoker_frame.inc"

        .equ GUARD_EAX, 0
        .equ GUARD_EDX, 4
        .equ GUARD_ESI, 8
        .equ GUARD_STACK_WORDS, 12
        .equ GUARD_VALUE, 16
        .equ COMPARE_PUSHED, 0
        .equ COMPARE_STACK_WORDS, 4
        .equ COMPARE_FPU_STATUS, 8

/* uint32_t hostsimInvokeGuard(GuardOutcome* outcome, const void* place, uint32_t eax,
                               uint32_t ecx, uint32_t esi)
   Runs a guarded place: EAX, ECX and ESI get the given values, EDX D4D4D4D4 and EBX the place;
   the place is called. Where the flow ends is the result: 1 at hostsimGuardRan (the code after
   the place), 2 at hostsimGuardSkipped (a skip address), 3 when the host code after the place
   returned (it then left a float in ST(0), stored as the outcome's value). The outcome gets EAX,
   EDX, ESI and the stack words the flow left beyond its return address. */
        .text
        .globl _hostsimInvokeGuard
        .globl _hostsimGuardRan
        .globl _hostsimGuardSkipped
_hostsimInvokeGuard:
        ENTER_PUBLISHED_FRAME
        movl 12(%ebp), %ebx
        movl 16(%ebp), %eax
        movl 20(%ebp), %ecx
        movl 24(%ebp), %esi
        movl $0xD4D4D4D4, %edx
        call *%ebx
        movl $3, %edi
        THREAD_FRAME %ecx
        movl 8(%ecx), %ebx
        fstps GUARD_VALUE(%ebx)
        subl $4, %esp  /* as if at a landing: the return address still on the stack */
        jmp 2f
_hostsimGuardRan:
        movl $1, %edi
        jmp 1f
_hostsimGuardSkipped:
        movl $2, %edi
1:
        /* ECX, EBX and EDI are not the flow's results: free here. */
        THREAD_FRAME %ecx
        movl 8(%ecx), %ebx
2:
        movl %eax, GUARD_EAX(%ebx)
        movl %edx, GUARD_EDX(%ebx)
        movl %esi, GUARD_ESI(%ebx)
        leal -20(%ecx), %eax  /* the call's return address, below the frame's 16 bytes */
        subl %esp, %eax
        sarl $2, %eax
        movl %eax, GUARD_STACK_WORDS(%ebx)
        movl %edi, %eax
        movl %ecx, %ebp
        LEAVE_PUBLISHED_FRAME

/* uint32_t hostsimInvokeCompare(CompareOutcome* outcome, const void* code, uint32_t ebp)
   Runs the host's comparison at 0x4D60AB with EBP pointing at a frame, the way the host's flow
   enters it. The code pushes one value and goes on at 0x4D60CD or 0x4D60FF, whose jumps land
   here: the result is 1 for 0x4D60CD and 2 for 0x4D60FF; the outcome gets the pushed value, the
   stack words left beyond it, and the floating-point status word. */
        .globl _hostsimInvokeCompare
        .globl _hostsimCompareFirst
        .globl _hostsimCompareSecond
_hostsimInvokeCompare:
        ENTER_PUBLISHED_FRAME
        movl 12(%ebp), %eax
        pushl %ebp
        movl 16(%ebp), %ebp
        jmp *%eax
_hostsimCompareFirst:
        movl $1, %edi
        jmp 1f
_hostsimCompareSecond:
        movl $2, %edi
1:
        THREAD_FRAME %ecx
        movl 8(%ecx), %ebx
        popl COMPARE_PUSHED(%ebx)
        addl $4, %esp  /* the frame pointer pushed before the entry */
        leal -16(%ecx), %eax
        subl %esp, %eax
        sarl $2, %eax
        movl %eax, COMPARE_STACK_WORDS(%ebx)
        fnstsw %ax
        movzwl %ax, %eax
        movl %eax, COMPARE_FPU_STATUS(%ebx)
        movl %edi, %eax
        movl %ecx, %ebp
        LEAVE_PUBLISHED_FRAME
