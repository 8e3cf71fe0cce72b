/* Hooks that the host calls with an object in ESI: each passes ESI on as the first argument of a
   plain C function (cdecl; it keeps EBX, ESI, EDI and EBP) followed by copies of the host's stack
   arguments, and returns with the host's stack convention. */

/* Pushes the caller's `count` stack words again, last first. */
        .macro COPY_ARGUMENTS count
        .rept \count
        pushl (4 * \count)(%esp)
        .endr
        .endm

/* carTickHook: car in ESI, the record's address as one stack word that the callee removes. */
        .text
        .globl _carTickHook
_carTickHook:
        COPY_ARGUMENTS 1
        pushl %esi
        call _qzrCarTick
        addl $8, %esp
        ret $4

/* suspensionEventHook: wheel in ESI, the record's address as one stack word that the callee
   removes; the 32-bit result in EAX. */
        .globl _suspensionEventHook
_suspensionEventHook:
        COPY_ARGUMENTS 1
        pushl %esi
        call _qzrSuspensionEvent
        addl $8, %esp
        ret $4

/* suspensionEventHook2: the same with the 176-byte record. */
        .globl _suspensionEventHook2
_suspensionEventHook2:
        COPY_ARGUMENTS 1
        pushl %esi
        call _qzrSuspensionEvent2
        addl $8, %esp
        ret $4

/* The tyre heat terms: tyre in ESI, float stack arguments that the caller removes, the result
   in ST(0). */
        .globl _tyreBandTermHook
_tyreBandTermHook:
        COPY_ARGUMENTS 2
        pushl %esi
        call _qzrTyreBandTerm
        addl $12, %esp
        ret

        .globl _tyreBandExchangeHook
_tyreBandExchangeHook:
        COPY_ARGUMENTS 3
        pushl %esi
        call _qzrTyreBandExchange
        addl $16, %esp
        ret

        .globl _tyreSidewallExchangeHook
_tyreSidewallExchangeHook:
        COPY_ARGUMENTS 3
        pushl %esi
        call _qzrTyreSidewallExchange
        addl $16, %esp
        ret

        .globl _tyreInnerExchangeHook
_tyreInnerExchangeHook:
        COPY_ARGUMENTS 3
        pushl %esi
        call _qzrTyreInnerExchange
        addl $16, %esp
        ret
