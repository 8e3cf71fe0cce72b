/* Spindle3D.DLL's address range from its base + 0x1000. */
        .section .host,"bw"
        .globl _spindleRegionStart
_spindleRegionStart:
        .space 0x100000
