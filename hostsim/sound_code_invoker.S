/* Runs a guarded place of the host's sound code the way the host's flow reaches it.
   uint32_t hostsimInvokeGuard(const void* place, uint32_t eax, uint32_t ecx, uint32_t esi)
   EAX, ECX and ESI get the given values and EDX D4D4D4D4; the place is called. Where the flow
   ends is the result: 1 at hostsimGuardRan (the code after the place), 2 at
   hostsimGuardSkipped (a skip address), 3 when the host code after the place returned (it then
   left a float in ST(0), stored in hostsimGuardFloat). hostsimGuardAfter holds EAX, EDX, ESI
   and the stack words the flow left beyond its return address. */
        .data
        .globl _hostsimGuardAfter
        .globl _hostsimGuardFloat
_hostsimGuardAfter:
        .fill 4, 4, 0
_hostsimGuardFloat:
        .long 0
guardLanding:
        .long 0
guardStack:
        .long 0
        .text
        .globl _hostsimInvokeGuard
        .globl _hostsimGuardRan
        .globl _hostsimGuardSkipped
_hostsimInvokeGuard:
        pushl %ebp
        movl %esp, %ebp
        pushl %ebx
        pushl %esi
        pushl %edi
        movl %esp, guardStack
        movl 8(%ebp), %ebx
        movl 12(%ebp), %eax
        movl 16(%ebp), %ecx
        movl 20(%ebp), %esi
        movl $0xD4D4D4D4, %edx
        call *%ebx
        movl $3, guardLanding
        fstps _hostsimGuardFloat
        subl $4, %esp  /* as if at a landing: the return address still on the stack */
        jmp 1f
_hostsimGuardRan:
        movl $1, guardLanding
        jmp 1f
_hostsimGuardSkipped:
        movl $2, guardLanding
1:
        movl %eax, _hostsimGuardAfter
        movl %edx, _hostsimGuardAfter+4
        movl %esi, _hostsimGuardAfter+8
        movl guardStack, %eax
        subl $4, %eax
        subl %esp, %eax
        sarl $2, %eax
        movl %eax, _hostsimGuardAfter+12
        movl guardStack, %esp
        movl guardLanding, %eax
        popl %edi
        popl %esi
        popl %ebx
        popl %ebp
        ret

/* Runs the host's comparison at 0x4D60AB with EBP pointing at a frame, the way the host's flow
   enters it. uint32_t hostsimInvokeCompare(const void* code, uint32_t ebp)
   The code pushes one value and goes on at 0x4D60CD or 0x4D60FF, whose jumps land here: the
   result is 1 for 0x4D60CD and 2 for 0x4D60FF; hostsimCompareAfter holds the pushed value, the
   stack words left beyond it, and the floating-point status word. */
        .data
        .globl _hostsimCompareAfter
_hostsimCompareAfter:
        .fill 3, 4, 0
compareLanding:
        .long 0
compareStack:
        .long 0
        .text
        .globl _hostsimInvokeCompare
        .globl _hostsimCompareFirst
        .globl _hostsimCompareSecond
_hostsimInvokeCompare:
        pushl %ebp
        movl %esp, %ebp
        pushl %ebx
        pushl %esi
        pushl %edi
        movl 8(%ebp), %eax
        movl %esp, compareStack
        pushl %ebp
        movl 12(%ebp), %ebp
        jmp *%eax
_hostsimCompareFirst:
        movl $1, compareLanding
        jmp 2f
_hostsimCompareSecond:
        movl $2, compareLanding
2:
        popl _hostsimCompareAfter
        popl %ebp
        movl compareStack, %eax
        subl %esp, %eax
        sarl $2, %eax
        movl %eax, _hostsimCompareAfter+4
        fnstsw %ax
        movzwl %ax, %eax
        movl %eax, _hostsimCompareAfter+8
        movl compareStack, %esp
        movl compareLanding, %eax
        popl %edi
        popl %esi
        popl %ebx
        popl %ebp
        ret
