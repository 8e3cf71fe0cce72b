/* Pushes `count` (16(%ebp)) words from `args` (12(%ebp)), last first, after saving EBX, ESI
   and EDI in a frame; leaves ECX = `self` (20(%ebp)). */
        .macro PUSH_ARGUMENTS
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
        .endm

/* Runs a call-site fragment the way host code runs through it.
   uint32_t hostsimInvokeSite(const void* fragment, const uint32_t* args, int count, uint32_t self)
   Pushes the arguments, loads ECX with `self` and jumps to the fragment, whose CALL lands in the
   current target of the site; the fragment then jumps to hostsimSiteReturn, which restores the
   stack whatever convention the target had. EAX (and ST(0)) carry the result. */
        .data
        .globl _hostsimSiteStackLeft
_hostsimSiteStackLeft:
        .long 0
        .globl _hostsimSiteRegisters
_hostsimSiteRegisters:
        .fill 3, 4, 0
        .text
        .globl _hostsimInvokeSite
        .globl _hostsimInvokeFloatSite
        .globl _hostsimSiteReturn
_hostsimInvokeSite:
_hostsimInvokeFloatSite:  /* the same, declared to C++ with a float result in ST(0) */
        PUSH_ARGUMENTS
        movl 8(%ebp), %eax
        jmp *%eax
_hostsimSiteReturn:
        /* EBX, ESI and EDI as the target left them. */
        movl %ebx, _hostsimSiteRegisters
        movl %esi, _hostsimSiteRegisters+4
        movl %edi, _hostsimSiteRegisters+8
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

/* Runs inline host code the way the host's flow passes through it, for sites where the plugin
   inserts a call into the middle of host code.
   void hostsimInvokeInline(const void* fragment, uint32_t esi, uint32_t edi)
   The general registers get known values (EAX A1A1A1A1, ECX C3C3C3C3, EDX D4D4D4D4, EBX
   B2B2B2B2, EBP E5E5E5E5; ESI and EDI the given ones), carry set and direction clear; the
   fragment runs and jumps to hostsimInlineReturn, which stores what it finds in
   hostsimInlineAfter (EAX, ECX, EDX, EBX, ESP, EBP, ESI, EDI, flags); hostsimInlineBefore holds
   ESP and the flags the fragment started with. */
        .data
        .globl _hostsimInlineAfter
        .globl _hostsimInlineBefore
_hostsimInlineAfter:
        .fill 9, 4, 0
_hostsimInlineBefore:
        .fill 2, 4, 0
inlineFragment:
        .long 0
        .text
        .globl _hostsimInvokeInline
        .globl _hostsimInlineReturn
_hostsimInvokeInline:
        pushl %ebp
        movl %esp, %ebp
        pushl %ebx
        pushl %esi
        pushl %edi
        pushl %ebp
        movl 8(%ebp), %eax
        movl %eax, inlineFragment
        movl 12(%ebp), %esi
        movl 16(%ebp), %edi
        movl $0xA1A1A1A1, %eax
        movl $0xC3C3C3C3, %ecx
        movl $0xD4D4D4D4, %edx
        movl $0xB2B2B2B2, %ebx
        movl $0xE5E5E5E5, %ebp
        movl %esp, _hostsimInlineBefore
        stc
        cld
        pushfl
        popl _hostsimInlineBefore+4
        jmp *inlineFragment
_hostsimInlineReturn:
        pushfl
        popl _hostsimInlineAfter+32
        movl %eax, _hostsimInlineAfter
        movl %ecx, _hostsimInlineAfter+4
        movl %edx, _hostsimInlineAfter+8
        movl %ebx, _hostsimInlineAfter+12
        movl %esp, _hostsimInlineAfter+16
        movl %ebp, _hostsimInlineAfter+20
        movl %esi, _hostsimInlineAfter+24
        movl %edi, _hostsimInlineAfter+28
        movl _hostsimInlineBefore, %esp
        popl %ebp
        popl %edi
        popl %esi
        popl %ebx
        popl %ebp
        ret

/* Calls a function the way another module calls a member of an interface: the arguments pushed,
   `self` in ECX, EBX, ESI and EDI holding known values.
   uint32_t hostsimCallMember(const void* fn, const uint32_t* args, int count, uint32_t self)
   (hostsimCallMemberDouble: the same, declared with a double result in ST(0).)
   Afterwards hostsimSiteStackLeft holds the bytes the callee left on the stack and
   hostsimMemberRegistersKept whether EBX, ESI and EDI came back unchanged. */
        .data
        .globl _hostsimMemberRegistersKept
_hostsimMemberRegistersKept:
        .long 0
        .text
        .globl _hostsimCallMember
        .globl _hostsimCallMemberDouble
_hostsimCallMember:
_hostsimCallMemberDouble:
        PUSH_ARGUMENTS
        movl 8(%ebp), %eax
        movl $0xB2B2B2B2, %ebx
        movl $0x5E5E5E5E, %esi
        movl $0xD1D1D1D1, %edi
        call *%eax
        movl $0, _hostsimMemberRegistersKept
        cmpl $0xB2B2B2B2, %ebx
        jne 3f
        cmpl $0x5E5E5E5E, %esi
        jne 3f
        cmpl $0xD1D1D1D1, %edi
        jne 3f
        movl $1, _hostsimMemberRegistersKept
3:
        leal -12(%ebp), %edx
        subl %esp, %edx
        movl %edx, _hostsimSiteStackLeft
        leal -12(%ebp), %esp
        popl %edi
        popl %esi
        popl %ebx
        popl %ebp
        ret

/* Runs a call-site fragment as host code that holds an object in ESI runs it.
   uint32_t hostsimInvokeSiteEsi(const void* fragment, const uint32_t* args, int count,
                                 uint32_t self, uint32_t esi)
   As hostsimInvokeSite, with EBX B2B2B2B2, ESI `esi` (24(%ebp)) and EDI D1D1D1D1 at the call;
   hostsimSiteRegisters then holds EBX, ESI and EDI as the target left them. */
        .text
        .globl _hostsimInvokeSiteEsi
        .globl _hostsimInvokeFloatSiteEsi
_hostsimInvokeSiteEsi:
_hostsimInvokeFloatSiteEsi:
        PUSH_ARGUMENTS
        movl 24(%ebp), %esi
        movl $0xB2B2B2B2, %ebx
        movl $0xD1D1D1D1, %edi
        movl 8(%ebp), %eax
        jmp *%eax
