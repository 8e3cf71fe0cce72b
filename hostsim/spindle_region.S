/* Spindle3D.DLL's address range from its base + 0x1000, its data globals included. */
        .section .host,"bw"
        .globl _spindleRegionStart
_spindleRegionStart:
        .space 0x200000
