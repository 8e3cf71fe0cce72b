#!/usr/bin/env python3
"""Prints, per hook group, how many of its patched sites the simulated host executed.

  site_coverage.py SITES FOLDER...

SITES is the groups' patch list that the hook-group test writes ("qzr-group-sites.txt": group,
site at the module's preferred base in hexadecimal, length, "call" for a call redirection or a
patch holding a call or jump into the plugin, else "-"). Every "site-coverage.txt" under the
FOLDERs (one per scenario run: "START END" of each stretch of host code that ran) counts. A
patch was executed when a stretch that ran overlaps its bytes. Ends with status 1 when either
input is missing.
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
    stretches, runs = set(), 0
    for folder in folders:
        for path in glob.glob(os.path.join(folder, "**", "site-coverage.txt"), recursive=True):
            runs += 1
            with open(path) as f:
                for line in f:
                    start, _, end = line.strip().partition(" ")
                    if end:
                        stretches.add((int(start, 16), int(end, 16)))
    return sorted(stretches), runs


def executed(site, length, stretches):
    return any(start < site + max(length, 1) and site < end for start, end in stretches)


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip())
        return 2
    if not os.path.exists(argv[1]):
        print(f"no group site list at {argv[1]} (the hook-group test writes it)")
        return 1
    groups = read_sites(argv[1])
    stretches, runs = read_runs(argv[2:])
    if runs == 0:
        print("no scenario recorded the host code it ran")
        return 1
    print(f"   patched sites the simulated host executed, over {runs} scenario runs")
    print(f"   {'group':<20} {'executed':>8} / {'patched':<7} {'calls':>5} / {'of':<5}")
    never = []
    for name, patches in groups.items():
        ran = [executed(s, n, stretches) for s, n, _ in patches]
        calls = [r for (_, _, call), r in zip(patches, ran) if call]
        print(f"   {name:<20} {sum(ran):>8} / {len(patches):<7} {sum(calls):>5} / {len(calls):<5}")
        never += [(name, s) for (s, _, call), r in zip(patches, ran) if call and not r]
    if never:
        print(f"   call redirections and embedded calls never executed ({len(never)}):")
        for name in dict.fromkeys(n for n, _ in never):
            sites = [f"{s:x}" for n, s in never if n == name]
            for k in range(0, len(sites), 10):
                print(f"     {name if k == 0 else '':<20} {' '.join(sites[k:k + 10])}")
    else:
        print("   every call redirection and embedded call was executed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
