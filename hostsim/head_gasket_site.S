/* The host's code at 0x50D9C4 as host code runs through it.
   float hostsimRunGasketSite(float value, uint32_t edx, uint32_t* eax)
   Enters 0x50D9C4 with XMM1 = value, EDX = edx and EAX cleared; the host code goes on at
   0x50D9C6, which jumps to hostsimGasketSiteReturn: XMM1 comes back in ST(0), EAX through the
   pointer. The stack is as the caller left it all the way. */
        .text
        .globl _hostsimRunGasketSite
        .globl _hostsimGasketSiteReturn
_hostsimRunGasketSite:
        movss 4(%esp), %xmm1
        movl 8(%esp), %edx
        xorl %eax, %eax
        movl $0x50D9C4, %ecx
        jmp *%ecx
_hostsimGasketSiteReturn:
        movl 12(%esp), %ecx
        movl %eax, (%ecx)
        movss %xmm1, 4(%esp)
        flds 4(%esp)
        ret
