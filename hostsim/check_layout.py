#!/usr/bin/env python3
"""Checks the simulated host's images: image base, no dynamic base, no relocations, and the
host region as the first section, covering base + 0x1000 up to at least the given address."""
import re
import subprocess
import sys


def check(objdump, path, base, highest):
    out = subprocess.run([objdump, "-p", path], check=True, capture_output=True, text=True).stdout
    headers = subprocess.run([objdump, "-h", path], check=True, capture_output=True, text=True).stdout
    problems = []
    image_base = int(re.search(r"ImageBase\s+([0-9a-fA-F]+)", out).group(1), 16)
    if image_base != base:
        problems.append(f"image base {image_base:#x}, expected {base:#x}")
    chars = int(re.search(r"DllCharacteristics\s+([0-9a-fA-F]+)", out).group(1), 16)
    if chars & 0x40:
        problems.append("dynamic base is on")
    sections = re.findall(r"^\s*\d+\s+(\S+)\s+([0-9a-fA-F]+)\s+([0-9a-fA-F]+)", headers, re.M)
    if not sections:
        problems.append("no sections")
    else:
        name, size, vma = sections[0][0], int(sections[0][1], 16), int(sections[0][2], 16)
        if name != ".host":
            problems.append(f"first section is {name}, not .host")
        if vma != base + 0x1000:
            problems.append(f"region starts at {vma:#x}")
        if vma + size <= highest:
            problems.append(f"region ends at {vma + size:#x}, below {highest:#x}")
    # The executable is never moved; the modules keep the relocations the linker gives DLLs but
    # are loaded at their bases all the same (the host test checks where they landed).
    if path.lower().endswith(".exe") and re.search(r"^\s*\d+\s+\.reloc\s", headers, re.M):
        problems.append("has a relocation section")
    for p in problems:
        print(f"{path}: {p}")
    return not problems


def main():
    args = sys.argv[1:]
    objdump = args[1]
    rest = args[2:]
    ok = True
    for i in range(0, len(rest), 3):
        ok &= check(objdump, rest[i], int(rest[i + 1], 0), int(rest[i + 2], 0))
    print("layout ok" if ok else "layout wrong")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
