#!/usr/bin/env python3
"""Runs one scenario in the simulated host with the plugin, in a game folder of its own.

The scenario file holds the host's steps plus directives in comments:
  #setup PATH        create an empty file (and its folders) in the game folder
  #write PATH LINE   append a line (UTF-8) to a file in the game folder
  #host-file NAME PATH   copy a file of the simulated host's folder to PATH in the game folder
  #ini SECTION KEY=VALUE   write a line into Korvala.ini before the run
  #exit N            the host's expected exit code (default 0)
  #expect TEXT       TEXT must appear in the trace, after the previous expectation
  #expect-re REGEX   a line matching REGEX must follow the previous expectation
  #has TEXT          TEXT must appear anywhere in the trace
  #at-least N TEXT   at least N lines of the trace hold TEXT
  #ini-has KEY=VALUE Korvala.ini must hold that line after the run
"""
import argparse
import os
import re
import shutil
import subprocess
import sys


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--wine-run", required=True)
    ap.add_argument("--host", required=True, help="folder with Korvala_SSE.exe and its modules")
    ap.add_argument("--plugin", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("scenario")
    a = ap.parse_args()

    game = os.path.join(a.work, os.path.splitext(os.path.basename(a.scenario))[0])
    shutil.rmtree(game, ignore_errors=True)
    os.makedirs(os.path.join(game, "Plugins"))
    for name in ("Korvala_SSE.exe", "Spindle3D.DLL", "Railwise.DLL", "stock.car"):
        shutil.copy(os.path.join(a.host, name), game)
    shutil.copy(a.plugin, os.path.join(game, "Plugins", "QZR.dll"))

    expect, ini_has, exit_code, ini, has, at_least = [], [], 0, {}, [], []
    with open(a.scenario, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("#setup "):
                path = os.path.join(game, *line[7:].strip().split("/"))
                os.makedirs(os.path.dirname(path), exist_ok=True)
                open(path, "w").close()
            elif line.startswith("#write "):
                rel, text = line[7:].split(" ", 1)
                path = os.path.join(game, *rel.split("/"))
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, "a", encoding="utf-8") as out:
                    out.write(text + "\r\n")
            elif line.startswith("#host-file "):
                name, dest = line[11:].split()
                path = os.path.join(game, *dest.split("/"))
                os.makedirs(os.path.dirname(path), exist_ok=True)
                shutil.copy(os.path.join(a.host, name), path)
            elif line.startswith("#expect-re "):
                expect.append(("re", line[11:]))
            elif line.startswith("#has "):
                has.append(line[5:])
            elif line.startswith("#at-least "):
                n, what = line[10:].split(" ", 1)
                at_least.append((int(n), what))
            elif line.startswith("#ini "):
                section, pair = line[5:].split(" ", 1)
                ini.setdefault(section, []).append(pair)
            elif line.startswith("#exit "):
                exit_code = int(line[6:])
            elif line.startswith("#expect "):
                expect.append(("text", line[8:].replace("\\n", "\n")))
            elif line.startswith("#ini-has "):
                ini_has.append(line[9:])
    if ini:
        with open(os.path.join(game, "Korvala.ini"), "w") as f:
            for section, pairs in ini.items():
                f.write(f"[{section}]\r\n" + "".join(p + "\r\n" for p in pairs))

    trace = os.path.join(game, "trace.txt")
    run = subprocess.run([a.wine_run, os.path.join(game, "Korvala_SSE.exe"), "--scenario",
                          os.path.abspath(a.scenario), "--trace", "trace.txt"],
                         cwd=game, capture_output=True, text=True, timeout=120)
    text = open(trace).read() if os.path.exists(trace) else run.stdout
    problems = []
    if run.returncode != exit_code:
        problems.append(f"exit code {run.returncode}, expected {exit_code}")
    at = 0
    for kind, e in expect:
        if kind == "re":
            m = re.compile(e, re.M).search(text, at)
            found, end = (m.start(), m.end()) if m else (-1, -1)
        else:
            found = text.find(e, at)
            end = found + len(e)
        if found < 0:
            problems.append(f"trace lacks (in order): {e!r}")
        else:
            at = end
    for e in has:
        if e not in text:
            problems.append(f"trace lacks: {e!r}")
    for n, what in at_least:
        count = sum(1 for l in text.splitlines() if what in l)
        if count < n:
            problems.append(f"{count} lines hold {what!r}, expected at least {n}")
    if ini_has:
        content = open(os.path.join(game, "Korvala.ini"), errors="replace").read()
        for pair in ini_has:
            if pair not in content:
                problems.append(f"Korvala.ini lacks {pair}")
    for p in problems:
        print(p)
    if problems:
        print("--- trace ---")
        print(text)
        return 1
    print("scenario passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
