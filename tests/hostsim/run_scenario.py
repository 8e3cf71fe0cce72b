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
  #lacks TEXT        TEXT must appear nowhere in the trace
  #at-least N TEXT   at least N lines of the trace hold TEXT
  #ini-has KEY=VALUE Korvala.ini must hold that line after the run
  #template DIR      copy a folder of the project (relative to its root) into the game folder
  #daemons           install the built daemons and the FMOD stand-ins in Plugins/QZR/bin/x64
                     (the FMOD stand-ins trace their calls into fmod-trace.txt)
  #fmod-has TEXT     a line of fmod-trace.txt starts with TEXT
  #udp N             listen on a free port of 127.0.0.1, which the run's udpTelemetryEndpoints
                     names; at least N datagrams of 664 bytes must arrive, their step counters rising and their speeds changing, no word of them a word
                     the game never set ("#udp none": no datagram may arrive)
  #timeout S        the host may run S seconds (default 300: a guard against a hang, never a
                     measure of speed; a busy 32-bit test machine runs a scenario for minutes)
  #tool NAME ARG...  before the run, the i686 build of the program NAME runs in the game folder
                     with those arguments and must exit with 0
  #tsv N             one .tsv file under Plugins/QZR/telemetry: a header row and at least N rows,
                     whose values change from row to row and none of which holds a value the game
                     never set ("nan", or the pattern word as an integer) ("#tsv none": the
                     header row and no row)
  #no-coverage       the host records no coverage (for scenarios whose thread order it would shift)
  #stray-fails WORDS the stray-word check must fail the run with exactly "host stray words WORDS"
                     (for a scenario that shows a stray write caught)
Every run must end with the host's line "host stray words 0": a plugin write into a host object
outside the words the plugin may write there fails the scenario, and so does a missing line.
A host step after which a thread the plugin started on the host thread has not yet run ("host
threads still starting") fails it too: the host may end its process as soon as a call returns.
"""
import argparse
import os
import re
import glob
import shutil
import socket
import struct
import subprocess
import sys
import time


def built(root, preset, name):
    found = glob.glob(os.path.join(root, "build", preset, "**", name), recursive=True)
    if not found:
        raise SystemExit(f"{name} is not built in build/{preset}")
    return found[0]


def place(src, dest):
    """Puts a built program into a game folder: a symbolic link where the file system allows one
    (the game folders of a test run would otherwise hold gigabytes of copies; hard links confuse
    the 32-bit test machine's shared folder, whose cache loses files linked from many places),
    else a copy."""
    if os.path.isdir(dest):
        dest = os.path.join(dest, os.path.basename(src))
    try:
        os.symlink(os.path.abspath(src), dest)
    except OSError:
        shutil.copy(src, dest)


def install_daemons(root, game):
    dest = os.path.join(game, "Plugins", "QZR", "bin", "x64")
    os.makedirs(dest, exist_ok=True)
    for preset, name in (("win32", "QzrTelemetryDaemon.exe"), ("win64", "QzrFmodDaemon.exe"),
                         ("win64", "fmod.dll"), ("win64", "fmodstudio.dll")):
        place(built(root, preset, name), dest)


def run_tool(wine_run, root, game, words):
    run = subprocess.run([wine_run, built(root, "win32", words[0])] + words[1:], cwd=game,
                         capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        raise SystemExit(f"{' '.join(words)} exited with {run.returncode}: {run.stdout}{run.stderr}")


def stray_problems(text, expected_failure=None):
    """The problems of the trace's "host stray words N ..." line: missing, or N not 0. With an
    expected failure ("N WORDS"), the problem is the line not reading exactly that."""
    lines = re.findall(r"^host stray words (\d+)(.*?)(?: \[[^\]]*\])?$", text, re.M)
    if not lines:
        return ["trace lacks the line 'host stray words N'"]
    count, words = lines[-1]
    if expected_failure is not None:
        found = f"{count}{words}"
        return [] if found == expected_failure else [f"host stray words {found}, expected {expected_failure}"]
    return [] if count == "0" else [f"host stray words {count}:{words}"]


def pattern_word(word):
    """Whether a 32-bit word is the simulated host's pattern of a word the game never set."""
    return 0xFFF00000 <= word <= 0xFFFEFFFF


def unset_columns(header, rows):
    """The columns of recorded rows (lists of cells) that hold a value the game never set: "nan"
    (a float read from a word still in its pattern) or the pattern word itself printed as a signed
    or unsigned integer."""
    def unset(cell):
        if re.fullmatch(r"[+-]?nan(\(.*\))?", cell, re.I):
            return True
        return re.fullmatch(r"-?\d{1,10}", cell) is not None and pattern_word(int(cell) % 2**32)
    return [name for i, name in enumerate(header) if any(i < len(r) and unset(r[i]) for r in rows)]


def direct_template_udp(path, endpoint):
    """Add the endpoint setting to the [QZR] section of the game's ini (made if missing)."""
    lines = open(path, encoding="utf-8").read().splitlines() if os.path.exists(path) else []
    at = next((i + 1 for i, l in enumerate(lines) if l.strip().lower() == "[qzr]"), None)
    if at is None:
        lines += ["[QZR]", endpoint]
    else:
        lines.insert(at, endpoint)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write("".join(l + "\r\n" for l in lines))


def check_udp(listener, minimum):
    """The problems of the datagrams that arrived; `minimum` None: none may arrive."""
    listener.settimeout(0.5)
    packets = []
    try:
        while True:
            packets.append(listener.recv(2048))
    except socket.timeout:
        pass
    if minimum is None:
        return [f"{len(packets)} UDP datagrams arrived, expected none"] if packets else []
    problems = []
    if len(packets) < minimum:
        problems.append(f"{len(packets)} UDP datagrams arrived, expected at least {minimum}")
    if any(len(p) != 664 for p in packets):
        problems.append("a UDP datagram is not 664 bytes long")
        return problems
    # A word the game never set is still the simulated host's pattern (0xFFF00000 + its offset),
    # or its negation where the packet turns an axis (a float's sign bit flipped): a packet holding
    # one was filled from a place the game does not keep.
    unset = {o for p in packets for o in range(0, 664, 4)
             if pattern_word(struct.unpack_from("<I", p, o)[0] & 0x7FFFFFFF | 0x80000000)}
    # Each wheel block's brake temperatures (the count / 1,000,000) and wear (x 6.6666665e-8) are
    # converted from unsigned counts: a pattern word turns into about 4294 K and 286.
    for b in range(152, 664, 128):
        for o, low, high in ((b + 32, 4293.9, 4294.95), (b + 36, 4293.9, 4294.95), (b + 40, 286.25, 286.33)):
            if any(low <= struct.unpack_from("<f", p, o)[0] <= high for p in packets):
                unset.add(o)
    unset = sorted(unset)
    if unset:
        problems.append("UDP datagrams hold words the game never set, at " + " ".join(f"+{o}" for o in unset))
    steps = [struct.unpack_from("<I", p, 0)[0] for p in packets]
    speeds = {struct.unpack_from("<f", p, 60)[0] for p in packets}
    # The counter is the replay's: a replay played after the drive starts it again from its first frame.
    drops = [b for a, b in zip(steps, steps[1:]) if b < a]
    if any(b > 1 for b in drops) or len(set(steps)) < 2:
        problems.append(f"UDP step counters do not rise: {steps[:10]}")
    if len(speeds) < 2:
        problems.append("UDP speeds do not change")
    return problems


def game_daemons(game):
    """The daemon processes started from this game folder that are still running (Wine shows a
    Windows program's path, Z:\\... with backslashes, in its command line)."""
    folder = os.path.abspath(game).lower()
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            words = open(f"/proc/{pid}/cmdline", "rb").read().decode(errors="replace").split("\0")
        except OSError:
            continue
        text = " ".join(words).replace("\\", "/").lower().replace("z:/", "/")
        if ("qzrtelemetrydaemon" in text or "qzrfmoddaemon" in text) and folder in text:
            found.append(pid)
    return found


def wait_for_daemons(game, limit=300):
    """Waits while the game's daemons run: the recorder daemon outlives the game until every save
    it was asked for is written. Problems when one still runs after `limit` seconds."""
    end = time.time() + limit
    while game_daemons(game):
        if time.time() > end:
            return [f"a daemon of the game still runs {limit} s after the game ended"]
        time.sleep(0.1)
    return []


def check_tsv(game, minimum):
    """The problems of the one .tsv file; `minimum` None: it holds no row."""
    problems = wait_for_daemons(game)
    if problems:
        return problems
    files = glob.glob(os.path.join(game, "Plugins", "QZR", "telemetry", "*.tsv"))
    if len(files) != 1:
        return [f"{len(files)} .tsv files written, expected 1"]
    lines = open(files[0], newline="").read().split("\r\n")
    rows = [l for l in lines[1:] if l]
    problems = []
    if not lines[0].startswith("utcSystemTime\t"):
        problems.append(f"the .tsv header row is {lines[0]!r}")
    if minimum is None and rows:
        problems.append(f"the .tsv file holds {len(rows)} rows, expected none")
    elif minimum is not None and len(rows) < minimum:
        problems.append(f"the .tsv file holds {len(rows)} rows, expected at least {minimum}")
    if len(set(rows)) < len(rows):
        problems.append("the .tsv file holds repeated rows")
    unset = unset_columns(lines[0].split("\t"), [r.split("\t") for r in rows])
    if unset:
        problems.append("the .tsv file holds values the game never set, in " + " ".join(unset))
    return problems


def count_or_none(word):
    """A directive's count, or None for "none"."""
    return None if word.strip() == "none" else int(word)


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
    for name in ("Korvala_SSE.exe", "Spindle3D.DLL", "Railwise.DLL"):
        place(os.path.join(a.host, name), game)
    shutil.copy(os.path.join(a.host, "stock.car"), game)
    place(a.plugin, os.path.join(game, "Plugins", "QZR.dll"))

    expect, ini_has, exit_code, ini, has, at_least, lacks = [], [], 0, {}, [], [], []
    fmod_has, udp_min, tsv_min, timeout = [], None, None, 300
    udp_set = tsv_set = False
    coverage = True
    stray_failure = None
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
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
            elif line.startswith("#lacks "):
                lacks.append(line[7:])
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
            elif line.startswith("#template "):
                shutil.copytree(os.path.join(root, line[10:].strip()), game, dirs_exist_ok=True)
            elif line.strip() == "#daemons":
                install_daemons(root, game)
            elif line.startswith("#fmod-has "):
                fmod_has.append(line[10:])
            elif line.startswith("#udp "):
                udp_set, udp_min = True, count_or_none(line[5:])
            elif line.startswith("#timeout "):
                timeout = int(line[9:])
            elif line.startswith("#tsv "):
                tsv_set, tsv_min = True, count_or_none(line[5:])
            elif line.startswith("#tool "):
                run_tool(a.wine_run, root, game, line[6:].split())
            elif line.strip() == "#no-coverage":
                coverage = False
            elif line.startswith("#stray-fails "):
                stray_failure = line[13:].strip()
    listener = None
    if udp_set:
        # A port of the run's own: other scenarios running beside this one send their packets to
        # the default port, and none of them may reach this run's listener.
        listener = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        listener.bind(("127.0.0.1", 0))
        endpoint = f"udpTelemetryEndpoints=127.0.0.1:{listener.getsockname()[1]}"
        if ini:
            ini.setdefault("QZR", []).append(endpoint)
        else:
            direct_template_udp(os.path.join(game, "Korvala.ini"), endpoint)
    if ini:
        with open(os.path.join(game, "Korvala.ini"), "w") as f:
            for section, pairs in ini.items():
                f.write(f"[{section}]\r\n" + "".join(p + "\r\n" for p in pairs))

    trace = os.path.join(game, "trace.txt")
    # The host code the run executed, for the coverage report (tests/hostsim/site_coverage.py).
    env = dict(os.environ, FMODSIM_TRACE="fmod-trace.txt")
    if coverage:
        env["QZR_SITE_COVERAGE"] = "site-coverage.txt"
    run = subprocess.run([a.wine_run, os.path.join(game, "Korvala_SSE.exe"), "--scenario",
                          os.path.abspath(a.scenario), "--trace", "trace.txt", "--temp", "tmp"],
                         cwd=game, capture_output=True, text=True, timeout=timeout, env=env)
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
    problems += stray_problems(text, stray_failure)
    problems += re.findall(r"^host threads still starting .*?(?= \[[^\]]*\]$)", text, re.M)
    for e in has:
        if e not in text:
            problems.append(f"trace lacks: {e!r}")
    for e in lacks:
        if e in text:
            problems.append(f"trace holds: {e!r}")
    for n, what in at_least:
        count = sum(1 for l in text.splitlines() if what in l)
        if count < n:
            problems.append(f"{count} lines hold {what!r}, expected at least {n}")
    if ini_has:
        content = open(os.path.join(game, "Korvala.ini"), errors="replace").read()
        for pair in ini_has:
            if pair not in content:
                problems.append(f"Korvala.ini lacks {pair}")
    if fmod_has:
        path = os.path.join(game, "fmod-trace.txt")
        calls = open(path, errors="replace").read().splitlines() if os.path.exists(path) else []
        for e in fmod_has:
            if not any(l.startswith(e) for l in calls):
                problems.append(f"fmod-trace.txt lacks a line starting {e!r}")
    if listener is not None:
        problems += check_udp(listener, udp_min)
    if tsv_set:
        problems += check_tsv(game, tsv_min)
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
