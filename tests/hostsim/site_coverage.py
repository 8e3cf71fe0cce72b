#!/usr/bin/env python3
"""Prints, per hook group, how many of its patched sites the simulated host reached.

  site_coverage.py SITES FOLDER...

SITES is the groups' patch list that the hook-group test writes ("qzr-group-sites.txt": group,
site at the module's preferred base in hexadecimal, length, "call" for a call redirection or a
patch holding a call or jump into the plugin, else "-"). Every "site-coverage.txt" under the
FOLDERs (one per scenario run) counts: a line "START END" is a stretch of host code that ran, a
line "START END read" a stretch of host data that host code which ran read. A patch was reached
when a stretch that ran overlaps its bytes (code, an instruction's operand), or when a read did
(data: a table entry, a constant the host keeps). Ends with status 1 when either input is missing.
"""
import glob
import os
import sys


def read_sites(path):
    groups = {}
    with open(path) as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) == 4:
                groups.setdefault(parts[0], []).append((int(parts[1], 16), int(parts[2]), parts[3] == "call"))
    return groups


def read_runs(folders):
    """The stretches of code that ran and of data that was read, and how many runs recorded them."""
    ran, read, runs = set(), set(), 0
    for folder in folders:
        for path in glob.glob(os.path.join(folder, "**", "site-coverage.txt"), recursive=True):
            runs += 1
            with open(path) as f:
                for line in f:
                    words = line.split()
                    if len(words) >= 2:
                        (read if words[2:] == ["read"] else ran).add((int(words[0], 16), int(words[1], 16)))
    return sorted(ran), sorted(read), runs


def overlaps(site, length, stretches):
    return any(start < site + max(length, 1) and site < end for start, end in stretches)


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip())
        return 2
    if not os.path.exists(argv[1]):
        print(f"no group site list at {argv[1]} (the hook-group test writes it)")
        return 1
    groups = read_sites(argv[1])
    ran, read, runs = read_runs(argv[2:])
    if runs == 0:
        print("no scenario recorded the host code it ran")
        return 1
    print(f"   patched sites the simulated host executed or read, over {runs} scenario runs")
    print(f"   {'group':<20} {'executed':>8} / {'patched':<7} {'read':>4} {'calls':>5} / {'of':<5}")
    never = []
    for name, patches in groups.items():
        executed = [overlaps(s, n, ran) for s, n, _ in patches]
        by_read = [not e and overlaps(s, n, read) for (s, n, _), e in zip(patches, executed)]
        reached = [e or r for e, r in zip(executed, by_read)]
        calls = [e for (_, _, call), e in zip(patches, executed) if call]
        print(f"   {name:<20} {sum(reached):>8} / {len(patches):<7} {sum(by_read):>4} {sum(calls):>5} / {len(calls):<5}")
        never += [(name, s) for (s, _, _), r in zip(patches, reached) if not r]
    if never:
        print(f"   patched sites no host code executed or read ({len(never)}):")
        for name in dict.fromkeys(n for n, _ in never):
            sites = [f"{s:x}" for n, s in never if n == name]
            for k in range(0, len(sites), 10):
                print(f"     {name if k == 0 else '':<20} {' '.join(sites[k:k + 10])}")
    else:
        print("   every patched site was executed or read by host code")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
