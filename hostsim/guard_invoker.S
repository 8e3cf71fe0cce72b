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
