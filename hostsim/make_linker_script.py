#!/usr/bin/env python3
"""Writes the simulated host's linker script: the linker's default script with the host region
section (.host) placed first, at image base + 0x1000, and every default section after it."""
import re
import subprocess
import sys


def main():
    ld, output = sys.argv[1], sys.argv[2]
    verbose = subprocess.run([ld, "--verbose"], check=True, capture_output=True, text=True).stdout
    parts = re.split(r"^=+\s*$", verbose, flags=re.M)
    if len(parts) < 3:
        sys.exit("no default script in the linker's output")
    script = parts[1]
    pattern = re.compile(r"^(\s*)\.text(\s+)(__image_base__[^\n]*):", re.M)
    if not pattern.search(script):
        sys.exit("no .text section in the default script")
    script = pattern.sub(r"\1.host\2\3:\n\1{\n\1  *(.host)\n\1}\n\1.text BLOCK(__section_alignment__) :",
                         script, count=1)
    with open(output, "w") as f:
        f.write(script)


if __name__ == "__main__":
    main()
