/* Railwise.DLL's address range from its base + 0x1000. */
        .section .host,"bw"
        .globl _railwiseRegionStart
_railwiseRegionStart:
        .space 0x100000
