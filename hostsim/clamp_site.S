/* The host's code around the limit call at 0x4F8739, as host code runs through it.
   float hostsimRunClampSite(float radicand, float argument, uint32_t edx, int32_t* kept)
   Builds a host frame of 0x40 bytes holding `argument` at [esp+0Ch], loads EDX and known values
   into EBX, ESI, EDI and EBP, and enters 0x4F8716: the host call there leaves `radicand` in XMM0
   (hostsimClampRadicandCall), the code from 0x4F871B prepares the call at 0x4F8739, and the code
   at 0x4F873E jumps to hostsimClampSiteReturn. ST(0) carries the call's result; *kept is 1 when
   ESP, EBX, ESI, EDI and EBP came back as they were before the call, else 0. The host call and
   the landing find the frame through the thread slot: the host code holds every register. */
#include "invoker_frame.inc"

        .text
        .globl _hostsimRunClampSite
        .globl _hostsimClampSiteReturn
        .globl _hostsimClampRadicandCall
_hostsimClampRadicandCall:
        pushl %eax
        THREAD_FRAME %eax
        movss 8(%eax), %xmm0
        popl %eax
        ret
_hostsimRunClampSite:
        ENTER_PUBLISHED_FRAME
        movl 12(%ebp), %eax
        movl 16(%ebp), %edx
        subl $0x40, %esp
        movl %eax, 0x0C(%esp)
        movl $0xB2B2B2B2, %ebx
        movl $0x5E5E5E5E, %esi
        movl $0xD7D7D7D7, %edi
        movl $0xE5E5E5E5, %ebp
        movl $0x4F8716, %eax
        jmp *%eax
_hostsimClampSiteReturn:
        xorl %eax, %eax
        THREAD_FRAME %ecx
        leal -0x50(%ecx), %edx  /* the host frame: 0x40 bytes below the invoker's 16 */
        cmpl %edx, %esp
        jne 1f
        cmpl $0xB2B2B2B2, %ebx
        jne 1f
        cmpl $0x5E5E5E5E, %esi
        jne 1f
        cmpl $0xD7D7D7D7, %edi
        jne 1f
        cmpl $0xE5E5E5E5, %ebp
        jne 1f
        incl %eax
1:
        movl %ecx, %ebp
        movl 20(%ebp), %ecx
        movl %eax, (%ecx)
        LEAVE_PUBLISHED_FRAME
