#!/usr/bin/env python3
"""Inspects one Windows binary with objdump -p: machine type, imported DLLs, exports."""
import argparse
import re
import subprocess
import sys

# DLLs that every Windows installation has; nothing else may be imported (the MinGW runtime
# DLLs in particular must not be needed beside the game).
SYSTEM_DLLS = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "ole32.dll",
    "oleaut32.dll", "ws2_32.dll", "mswsock.dll", "msvcrt.dll", "ntdll.dll", "shlwapi.dll",
    "winmm.dll", "version.dll", "psapi.dll", "comdlg32.dll", "bcrypt.dll", "iphlpapi.dll",
    "userenv.dll", "api-ms-win-core-synch-l1-2-0.dll", "crypt32.dll",
}
# DLLs a program may import because the player supplies them (FMOD Studio) or the host does.
EXTRA_ALLOWED = {"fmod.dll", "fmodstudio.dll"}

MACHINES = {"i386": "i386", "x86-64": "x86-64"}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--objdump", required=True)
    ap.add_argument("--machine", required=True, choices=sorted(MACHINES))
    ap.add_argument("--exports", default="")
    ap.add_argument("--allow", default="", help="extra DLL names this binary may import")
    ap.add_argument("binary")
    a = ap.parse_args()

    out = subprocess.run([a.objdump, "-p", a.binary], check=True, capture_output=True, text=True).stdout
    failures = []

    fmt = re.search(r"file format (\S+)", out)
    want_fmt = "pei-i386" if a.machine == "i386" else "pei-x86-64"
    if not fmt or fmt.group(1) != want_fmt:
        failures.append(f"format {fmt.group(1) if fmt else '?'} is not {want_fmt}")

    imports = {m.lower() for m in re.findall(r"DLL Name: (\S+)", out)}
    allowed = SYSTEM_DLLS | EXTRA_ALLOWED | {x.lower() for x in a.allow.split(";") if x}
    for dll in sorted(imports - allowed):
        failures.append(f"imports {dll}, which is not a system DLL")

    wanted = [e for e in a.exports.split(";") if e]
    if wanted:
        table = out.split("[Ordinal/Name Pointer] Table", 1)
        names = set(re.findall(r"\[\s*\d+\]\s+(\S+)", table[1])) if len(table) > 1 else set()
        for e in wanted:
            if e not in names:
                failures.append(f"does not export {e} undecorated (exports: {sorted(names)})")

    for f in failures:
        print(f"{a.binary}: {f}")
    if failures:
        return 1
    print(f"{a.binary}: {want_fmt}, imports {sorted(imports)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
