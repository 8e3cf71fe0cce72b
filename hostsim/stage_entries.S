/* Spindle3D.DLL's track-loading routines that take their object in a register. */
        .text
        .globl _hostsimReadFileEntry
        .globl _hostsimVisibleObjectsEntry
        .globl _hostsimHolderEntry
        .globl _hostsimReloadGeometryEntry

/* The whole-file read: read buffer record in ECX, path (host string) in EDI; byte result. */
_hostsimReadFileEntry:
        pushl %edi
        pushl %ecx
        call _hostsimReadWholeFile
        addl $8, %esp
        ret

/* Where a routine below was called from, for the coverage of the code that called it (the
   caller's return address on the stack; EAX, ECX and EDX are not kept). */
        .macro NOTE_CALLER
        pushl (%esp)
        call _hostsimNoteCaller
        addl $4, %esp
        .endm

/* The visible-objects routine: loader object in EDI. */
_hostsimVisibleObjectsEntry:
        NOTE_CALLER
        pushl %edi
        call _hostsimVisibleObjects
        addl $4, %esp
        ret

/* The object-block holder's constructor: holder in EBX, one stack argument, removed here. */
_hostsimHolderEntry:
        NOTE_CALLER
        pushl 4(%esp)
        pushl %ebx
        call _hostsimConstructHolder
        addl $8, %esp
        ret $4

/* The module's geometry reload: object in ESI. */
_hostsimReloadGeometryEntry:
        NOTE_CALLER
        pushl %esi
        call _hostsimReloadGeometry
        addl $4, %esp
        ret
