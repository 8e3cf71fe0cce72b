#!/usr/bin/env python3
"""Quits the simulated game many times, each way it can end, and checks every quit.

Each path is a drive of the demo's game folder with the daemons and telemetry recording of every
channel on, ended one way: right after END_RACE asked for the recording's save, or while the
720-per-second worker steps; then with or without the host's shutdown event, by closing the
window, or with a daemon ended first. Every run must end by itself with exit code 0, and where
END_RACE asked for a save the recording must reach the disk whole: one .tsv file, its header and a
row for every frame recorded, none of its values one the game never set. How long each took from
the step "clock" that comes right before its exit is printed and appended to the --times file:
the test run reports the slowest against its goal of two seconds, and a loaded machine does not
fail the test for it. Every run ends with the host's line "host stray words 0".

  exit_paths.py --wine-run W --host DIR --plugin DLL --work DIR [--repeat N] [--path NAME ...]
                (N runs of each path; by default two of each save path and one of the others)
                [--recorder EXE]   (a recorder daemon to use instead of the built one)
                [--report]         (counts what failed instead of stopping at the first run)
                [--times FILE]     (written anew: "PATH SECONDS" for every run that ended)
  exit_paths.py --list             (the paths' names, one per line)
"""
import argparse
import glob
import os
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import run_scenario  # noqa: E402  (its helpers: built programs, daemons)

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

STAGE = ["create", "state 0", "frame", "state 6", "frame", "state 5", "carchange 0", "carfile Cars/rally.car",
         "state 13", "state 10", "state 1", "drive 60 2"]
# name: (steps after the stage, whether END_RACE saved a recording that must be whole, whether the
# sound daemon runs: each daemon costs seconds to start where 32-bit code is emulated, so only the
# paths that need it start it)
PATHS = {
    "save-quit": (["state 9", "clock"], True, False),
    "save-shutdown": (["state 9", "clock", "shutdown"], True, True),
    "save-close": (["state 9", "clock", "close"], True, False),
    # The client polls the save on its own thread when the game ends.
    "save-polled-quit": (["state 9", "run 0.5", "clock"], True, False),
    "stepping-quit": (["run 0.3", "clock"], False, False),
    "stepping-shutdown-sound-gone": (["daemon kill QzrFmodDaemon.exe", "run 0.3", "clock", "shutdown"], False, True),
    "recorder-gone": (["daemon kill QzrTelemetryDaemon.exe", "state 9", "clock", "shutdown"], False, False),
}


def lay_out(args, game, sound):
    shutil.rmtree(game, ignore_errors=True)
    shutil.copytree(os.path.join(ROOT, "scripts", "demo-game"), game)
    # The record set of every channel: each row holds every word the recorder reads.
    shutil.copytree(os.path.join(ROOT, "tests", "hostsim", "every_channel"), game, dirs_exist_ok=True)
    for name in ("Korvala_SSE.exe", "Spindle3D.DLL", "Railwise.DLL"):
        run_scenario.place(os.path.join(args.host, name), game)
    shutil.copy(os.path.join(args.host, "stock.car"), game)
    run_scenario.place(args.plugin, os.path.join(game, "Plugins", "QZR.dll"))
    run_scenario.install_daemons(ROOT, game)
    if args.recorder:
        target = os.path.join(game, "Plugins", "QZR", "bin", "x64", "QzrTelemetryDaemon.exe")
        os.remove(target)
        run_scenario.place(args.recorder, target)
    with open(os.path.join(game, "Korvala.ini"), "w") as f:
        f.write("[Settings]\r\nXRes=1280\r\nYRes=720\r\nFullscreen=0\r\n"
                "[QZR]\r\nudpTelemetry=1\r\ntelemetryRecording=1\r\ntelemetryTics=1\r\n"
                # Not the port the scenarios listen on: these games run beside them.
                "udpTelemetryEndpoints=127.0.0.1:6777\r\n")
    if not sound:
        audio = os.path.join(game, "AudioFMOD", "AudioFMOD.ini")
        text = open(audio).read().replace("enableFMOD=true", "enableFMOD=false")
        with open(audio, "w") as f:
            f.write(text)


def recording(game, frames, deadline):
    """The recording's problems, waiting until the daemon (which may outlive the host) wrote it."""
    problems = []
    while True:
        files = glob.glob(os.path.join(game, "Plugins", "QZR", "telemetry", "*.tsv"))
        rows = []
        if len(files) == 1:
            lines = open(files[0], newline="").read().split("\r\n")
            rows = [l for l in lines[1:] if l]
            complete = lines[-1] == "" and len(rows) >= frames
            if complete or time.time() > deadline:
                if not lines[0].startswith("utcSystemTime\t"):
                    problems.append(f"header {lines[0]!r}")
                if not complete:
                    problems.append(f"{len(rows)} rows of {frames} recorded frames")
                unset = run_scenario.unset_columns(lines[0].split("\t"), [r.split("\t") for r in rows])
                if unset:
                    problems.append("values the game never set in " + " ".join(unset))
                return problems
        elif time.time() > deadline:
            return [f"{len(files)} .tsv files"]
        time.sleep(0.1)


def run_once(args, path, index):
    steps, saved, sound = PATHS[path]
    game = os.path.join(args.work, f"{path}-{index}")
    lay_out(args, game, sound)
    scenario = os.path.join(game, "exit.txt")
    with open(scenario, "w") as f:
        f.write("\n".join(STAGE + steps) + "\n")
    log = open(os.path.join(game, "output.txt"), "w")
    # Not run() with captured output: a daemon that outlives the host could hold the pipes.
    proc = subprocess.Popen([args.wine_run, os.path.join(game, "Korvala_SSE.exe"), "--scenario", scenario,
                             "--trace", "trace.txt", "--temp", "tmp"], cwd=game, stdout=log,
                            stderr=subprocess.STDOUT)
    problems = []
    try:
        code = proc.wait(timeout=args.timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
        code = None
    ended = time.time()
    text = open(os.path.join(game, "trace.txt")).read() if os.path.exists(os.path.join(game, "trace.txt")) else ""
    clock = re.search(r"^host clock (\d+)", text, re.M)
    if code is None:
        problems.append(f"still running after {args.timeout} s")
    elif code != 0:
        problems.append(f"exit code {code}")
    seconds = None
    if clock:
        seconds = ended - int(clock.group(1)) / 1000.0
    else:
        problems.append("no clock step in the trace")
    problems += run_scenario.stray_problems(text)
    driven = re.search(r"^host drove (\d+) frames", text, re.M)
    if saved:
        frames = int(driven.group(1)) if driven else 0
        problems += recording(game, frames, time.time() + 120)
    return seconds, problems


def main():
    ap = argparse.ArgumentParser()
    if sys.argv[1:] == ["--list"]:
        print("\n".join(PATHS))
        return 0
    ap.add_argument("--wine-run", required=True)
    ap.add_argument("--host", required=True)
    ap.add_argument("--plugin", required=True)
    ap.add_argument("--work", required=True)
    ap.add_argument("--times")
    ap.add_argument("--recorder")
    # Each quit costs tens of seconds where 32-bit code is emulated (the daemons' start above all):
    # by default the two quits right after END_RACE's save run twice, the others once.
    ap.add_argument("--repeat", type=int)
    ap.add_argument("--timeout", type=int, default=300)
    ap.add_argument("--path", action="append", choices=sorted(PATHS))
    ap.add_argument("--report", action="store_true")
    args = ap.parse_args()
    if args.times:
        os.makedirs(os.path.dirname(os.path.abspath(args.times)), exist_ok=True)
        open(args.times, "w").close()
    failed = 0
    for path in args.path or list(PATHS):
        repeat = args.repeat or (2 if path in ("save-quit", "save-shutdown") else 1)
        for i in range(repeat):
            began = time.time()
            seconds, problems = run_once(args, path, i)
            took = "?" if seconds is None else f"{seconds:.2f} s"
            if args.times and seconds is not None:
                with open(args.times, "a") as f:
                    f.write(f"{path} {seconds:.3f}\n")
            print(f"{path} #{i + 1}: exit {took} (run {time.time() - began:.0f} s)" + ("" if not problems else ": " + "; ".join(problems)),
                  flush=True)
            if problems:
                failed += 1
                if not args.report:
                    game = os.path.join(args.work, f"{path}-{i}")
                    trace = os.path.join(game, "trace.txt")
                    if os.path.exists(trace):
                        print("--- trace ---\n" + open(trace).read())
                    return 1
            else:
                shutil.rmtree(os.path.join(args.work, f"{path}-{i}"), ignore_errors=True)
    print(f"{failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
