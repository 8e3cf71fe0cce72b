/* The host executable's address range 0x401000 .. 0x1711000: uninitialised, read-write; the
   simulated host paints its code and data here at start. */
        .section .host,"bw"
        .globl _hostsimRegionStart
_hostsimRegionStart:
        .space 0x1310000
