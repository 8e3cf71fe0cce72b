/* Runs a call-site fragment the way host code runs through it.
   uint32_t hostsimInvokeSite(const void* fragment, const uint32_t* args, int count, uint32_t self)
   Pushes the arguments, loads ECX with `self` and jumps to the fragment, whose CALL lands in the
   current target of the site; the fragment then jumps to hostsimSiteReturn, which restores the
   stack whatever convention the target had. EAX (and ST(0)) carry the result. */
        .data
        .globl _hostsimSiteStackLeft
_hostsimSiteStackLeft:
        .long 0
        .text
        .globl _hostsimInvokeSite
        .globl _hostsimSiteReturn
_hostsimInvokeSite:
        pushl %ebp
        movl %esp, %ebp
        pushl %ebx
        pushl %esi
        pushl %edi
        movl 16(%ebp), %ecx
        movl 12(%ebp), %esi
        leal (%esi,%ecx,4), %esi
1:
        testl %ecx, %ecx
        jz 2f
        subl $4, %esi
        pushl (%esi)
        decl %ecx
        jmp 1b
2:
        movl 20(%ebp), %ecx
        movl 8(%ebp), %eax
        jmp *%eax
_hostsimSiteReturn:
        /* Bytes the target left on the stack: the arguments for a caller-cleans target, none for
           a callee-cleans one. */
        leal -12(%ebp), %edx
        subl %esp, %edx
        movl %edx, _hostsimSiteStackLeft
        leal -12(%ebp), %esp
        popl %edi
        popl %esi
        popl %ebx
        popl %ebp
        ret
