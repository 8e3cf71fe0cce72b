/* Entered from Spindle3D.DLL's whole-file read call: the read buffer record in ECX, the LBS path
   (a host string) in EDI. The plugin's function takes both in registers (ECX, EDX). */
        .text
        .globl _readLbsFileHook
_readLbsFileHook:
        movl %edi, %edx
        jmp @qzrReadLbsFile@8
