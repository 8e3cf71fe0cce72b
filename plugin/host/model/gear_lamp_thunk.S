/* shiftLightHook: called from the middle of the host's dashboard drawing. Keeps every general
   register, the flags, and the x87, MMX and SSE state (FXSAVE) as the host had them, and gives
   qzrDrawGearLamps a 16-byte aligned stack, a clear direction flag and an empty x87 stack. */
        .text
        .globl _shiftLightHook
_shiftLightHook:
        pushfl
        pushal
        movl %esp, %ebp
        andl $-16, %esp
        subl $512, %esp
        fxsave (%esp)
        fninit
        cld
        call _qzrDrawGearLamps
        fxrstor (%esp)
        movl %ebp, %esp
        popal
        popfl
        ret
