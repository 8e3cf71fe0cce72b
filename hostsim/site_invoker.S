/* Runs host call-site fragments, inline host code and interface members the way host code runs
   through them. The host's thread and the physics worker run them at the same time, so each
   invoker writes what it saw into an outcome block of its caller (its first argument,
   site_invoker.h lays the blocks out), never into shared words. */
#include "invoker_frame.inc"

/* Offsets in the outcome blocks. */
        .equ SITE_STACK_BYTES_LEFT, 0
        .equ SITE_REGISTERS, 4
        .equ SITE_REGISTERS_KEPT, 16
        .equ INLINE_AFTER, 0
        .equ INLINE_BEFORE, 36

/* The frame of the site and member invokers: 8(%ebp) the outcome block, 12(%ebp) the fragment
   or function, 16(%ebp) `args`, 20(%ebp) `count`, 24(%ebp) `self`; EBX, ESI and EDI saved
   below EBP. Pushes `count` words from `args`, last first, and leaves ECX = `self`. */
        .macro PUSH_ARGUMENTS
        SAVE_REGISTERS
        movl 20(%ebp), %ecx
        movl 16(%ebp), %esi
        leal (%esi,%ecx,4), %esi
1:
        testl %ecx, %ecx
        jz 2f
        subl $4, %esi
        pushl (%esi)
        decl %ecx
        jmp 1b
2:
        movl 24(%ebp), %ecx
        .endm

/* With ECX the outcome block: stores the bytes the target left on the stack (the arguments for
   a caller-cleans target, none for a callee-cleans one), restores the stack whatever convention
   the target had and returns. Uses EDX; EAX and ST(0) carry the result. */
        .macro STACK_LEFT_AND_RETURN
        leal -12(%ebp), %edx
        subl %esp, %edx
        movl %edx, SITE_STACK_BYTES_LEFT(%ecx)
        leal -12(%ebp), %esp
        RESTORE_REGISTERS_AND_RETURN
        .endm

/* uint32_t hostsimInvokeSite(SiteOutcome* outcome, const void* fragment, const uint32_t* args,
                              int count, uint32_t self)
   Pushes the arguments, loads ECX with `self` and jumps to the fragment, whose CALL lands in the
   current target of the site; the fragment then jumps to hostsimSiteReturn, which finds the
   frame through EBP (the target keeps it, as host code relies on). */
        .text
        .globl _hostsimInvokeSite
        .globl _hostsimInvokeFloatSite
        .globl _hostsimSiteReturn
_hostsimInvokeSite:
_hostsimInvokeFloatSite:  /* the same, declared to C++ with a float result in ST(0) */
        PUSH_ARGUMENTS
        movl 12(%ebp), %eax
        jmp *%eax
_hostsimSiteReturn:
        /* EBX, ESI and EDI as the target left them. */
        movl 8(%ebp), %ecx
        movl %ebx, SITE_REGISTERS(%ecx)
        movl %esi, SITE_REGISTERS+4(%ecx)
        movl %edi, SITE_REGISTERS+8(%ecx)
        STACK_LEFT_AND_RETURN

/* uint32_t hostsimInvokeSiteEsi(SiteOutcome* outcome, const void* fragment, const uint32_t* args,
                                 int count, uint32_t self, uint32_t esi)
   As hostsimInvokeSite, with EBX B2B2B2B2, ESI `esi` (28(%ebp)) and EDI D1D1D1D1 at the call. */
        .globl _hostsimInvokeSiteEsi
        .globl _hostsimInvokeFloatSiteEsi
_hostsimInvokeSiteEsi:
_hostsimInvokeFloatSiteEsi:
        PUSH_ARGUMENTS
        movl 28(%ebp), %esi
        movl $0xB2B2B2B2, %ebx
        movl $0xD1D1D1D1, %edi
        movl 12(%ebp), %eax
        jmp *%eax

/* uint32_t hostsimInvokeSiteRegs(SiteOutcome* outcome, const void* fragment, uint32_t self,
                                  uint32_t esi, uint32_t edi)
   Runs a call-site fragment with ECX = self, ESI = esi and EDI = edi and no stack arguments, for
   module calls that pass their object in a register; it ends in hostsimSiteReturn. */
        .globl _hostsimInvokeSiteRegs
_hostsimInvokeSiteRegs:
        SAVE_REGISTERS
        movl 16(%ebp), %ecx
        movl 20(%ebp), %esi
        movl 24(%ebp), %edi
        movl 12(%ebp), %eax
        jmp *%eax

/* Runs inline host code the way the host's flow passes through it, for sites where the plugin
   inserts a call into the middle of host code.
   void hostsimInvokeInline(InlineOutcome* outcome, const void* fragment, uint32_t esi, uint32_t edi)
   The general registers get known values (EAX A1A1A1A1, ECX C3C3C3C3, EDX D4D4D4D4, EBX
   B2B2B2B2, EBP E5E5E5E5; ESI and EDI the given ones), carry set and direction clear; the
   fragment runs and jumps to hostsimInlineReturn, which stores what it finds in the outcome's
   `after` (EAX, ECX, EDX, EBX, ESP, EBP, ESI, EDI, flags); its `before` holds ESP and the flags
   the fragment started with. The landing finds the frame through the thread slot. */
        .globl _hostsimInvokeInline
        .globl _hostsimInlineReturn
_hostsimInvokeInline:
        ENTER_PUBLISHED_FRAME
        movl 8(%ebp), %edx
        movl %esp, INLINE_BEFORE(%edx)
        movl 16(%ebp), %esi
        movl 20(%ebp), %edi
        movl $0xA1A1A1A1, %eax
        movl $0xC3C3C3C3, %ecx
        movl $0xB2B2B2B2, %ebx
        stc
        cld
        pushfl
        popl INLINE_BEFORE+4(%edx)
        movl $0xD4D4D4D4, %edx
        movl $0xE5E5E5E5, %ebp
        jmp *28(%esp)  /* the fragment, 12 above the frame, which ends 16 below it */
_hostsimInlineReturn:
        /* One word below ESP, as the flags took before: nothing else is free here. */
        pushl %eax
        THREAD_FRAME %eax
        movl 8(%eax), %eax
        popl INLINE_AFTER(%eax)
        pushfl
        popl INLINE_AFTER+32(%eax)
        movl %ecx, INLINE_AFTER+4(%eax)
        movl %edx, INLINE_AFTER+8(%eax)
        movl %ebx, INLINE_AFTER+12(%eax)
        movl %esp, INLINE_AFTER+16(%eax)
        movl %ebp, INLINE_AFTER+20(%eax)
        movl %esi, INLINE_AFTER+24(%eax)
        movl %edi, INLINE_AFTER+28(%eax)
        THREAD_FRAME %ebp
        LEAVE_PUBLISHED_FRAME

/* Calls a function the way another module calls a member of an interface: the arguments pushed,
   `self` in ECX, EBX, ESI and EDI holding known values.
   uint32_t hostsimCallMember(SiteOutcome* outcome, const void* fn, const uint32_t* args, int count,
                              uint32_t self)
   (hostsimCallMemberDouble: the same, declared with a double result in ST(0).)
   The outcome gets the bytes the callee left on the stack and whether EBX, ESI and EDI came
   back unchanged. */
        .globl _hostsimCallMember
        .globl _hostsimCallMemberDouble
_hostsimCallMember:
_hostsimCallMemberDouble:
        PUSH_ARGUMENTS
        movl 12(%ebp), %eax
        movl $0xB2B2B2B2, %ebx
        movl $0x5E5E5E5E, %esi
        movl $0xD1D1D1D1, %edi
        call *%eax
        movl 8(%ebp), %ecx
        movl $0, SITE_REGISTERS_KEPT(%ecx)
        cmpl $0xB2B2B2B2, %ebx
        jne 3f
        cmpl $0x5E5E5E5E, %esi
        jne 3f
        cmpl $0xD1D1D1D1, %edi
        jne 3f
        movl $1, SITE_REGISTERS_KEPT(%ecx)
3:
        STACK_LEFT_AND_RETURN
