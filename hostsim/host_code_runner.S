/* Calls host code with every general register set, the way host code around it would.
   int32_t hostsimRunCode(const void* entry, uint32_t* registers)
   registers: EAX, ECX, EDX, EBX, ESI, EDI, EBP to load, then seven words that receive them as the
   code left them when it returned. The result is the stack words the code took beyond its
   return address (0 for a plain RET, 1 for RET 4, negative when it left words behind). Not
   reentrant: host code run this way does not run other host code the same way. */
        .data
runEntry:
        .long 0
runRegisters:
        .long 0
runSaved:
        .long 0
runBefore:
        .long 0
runAfter:
        .long 0
runEax:
        .long 0
        .text
        .globl _hostsimRunCode
_hostsimRunCode:
        pushl %ebp
        movl %esp, %ebp
        pushl %ebx
        pushl %esi
        pushl %edi
        movl %esp, runSaved
        movl 8(%ebp), %eax
        movl %eax, runEntry
        movl 12(%ebp), %eax
        movl %eax, runRegisters
        movl 4(%eax), %ecx
        movl 8(%eax), %edx
        movl 12(%eax), %ebx
        movl 16(%eax), %esi
        movl 20(%eax), %edi
        movl 24(%eax), %ebp
        movl (%eax), %eax
        movl %esp, runBefore
        call *runEntry
        movl %esp, runAfter
        movl %eax, runEax
        movl runRegisters, %eax
        movl %ecx, 32(%eax)
        movl %edx, 36(%eax)
        movl %ebx, 40(%eax)
        movl %esi, 44(%eax)
        movl %edi, 48(%eax)
        movl %ebp, 52(%eax)
        movl runEax, %ecx
        movl %ecx, 28(%eax)
        movl runAfter, %eax
        subl runBefore, %eax
        sarl $2, %eax
        movl runSaved, %esp
        popl %edi
        popl %esi
        popl %ebx
        popl %ebp
        ret
