/* The replay load and save hooks, entered by a CALL written into the middle of host code.
   Every general register, the flags and the FPU/SSE state are kept: the host's code around the
   call goes on with them. The host's buffer is in ESI (load) or EDI (save). */
        .text
        .globl _replayLoadRuns
        .globl _replaySaveRuns

_replayLoadRuns:
        pushal
        pushfl
        movl %esp, %ebp
        movl %esi, %eax
        movl $_qzrReplayLoadRuns, %edx
        jmp 1f

_replaySaveRuns:
        pushal
        pushfl
        movl %esp, %ebp
        movl %edi, %eax
        movl $_qzrReplaySaveRuns, %edx
1:
        subl $512, %esp
        andl $-16, %esp
        fxsave (%esp)
        subl $12, %esp
        pushl %eax
        cld
        call *%edx
        addl $16, %esp
        fxrstor (%esp)
        movl %ebp, %esp
        popfl
        popal
        ret
