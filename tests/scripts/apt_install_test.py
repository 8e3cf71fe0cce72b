#!/usr/bin/env python3
"""scripts/apt-install against a stand-in apt-get: a failed index is reported and the install goes
on; a failed security index makes that install prefer the release's own versions; only a failed
install stops it, naming the packages.

usage: apt_install_test.py SCRIPT SCRATCH_FOLDER"""
import os
import shutil
import subprocess
import sys

STUB = r"""#!/bin/bash
# apt-get stand-in: "update" prints $STUB_UPDATE and exits with $STUB_UPDATE_RC; "install" writes
# its arguments and any preference it was given to $STUB_LOG and exits with $STUB_INSTALL_RC.
if [ "$1" = update ]; then printf '%b' "$STUB_UPDATE"; exit "$STUB_UPDATE_RC"; fi
echo "$*" >>"$STUB_LOG"
for a in "$@"; do
  case "$a" in Dir::Etc::PreferencesParts=*) cat "${a#*=}"/zz-* >>"$STUB_LOG" ;; esac
done
exit "$STUB_INSTALL_RC"
"""

SECURITY_ERR = ("Err:5 http://deb.debian.org/debian-security bookworm-security/main i386 Packages\n"
                "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/"
                "binary-i386/Packages.xz  File has unexpected size\n")
MAIN_ERR = ("Err:3 http://deb.debian.org/debian bookworm/main i386 Packages\n"
            "E: Failed to fetch http://deb.debian.org/debian/dists/bookworm/main/binary-i386/Packages.xz  "
            "Hash Sum mismatch\n")
PIN = "Package: *\nPin: release l=Debian-Security\nPin-Priority: 99\n"

# name, update output, update exit code, install exit code, exit code, install log, texts on stderr
CASES = [
    ("all indexes fetched", "Hit:1 http://deb.debian.org/debian bookworm InRelease\n", 0, 0, 0,
     "install -y -q --no-install-recommends wine wine32:i386\n", []),
    ("a failed index is reported, the install goes on", MAIN_ERR, 100, 0, 0,
     "install -y -q --no-install-recommends wine wine32:i386\n",
     ["the package index update failed for:", "    Err:3 http://deb.debian.org/debian bookworm/main i386 Packages"]),
    ("a failed security index: that install prefers the release's versions", SECURITY_ERR, 100, 0, 0,
     "install -y -q --no-install-recommends -o Dir::Etc::PreferencesParts=PREFS wine wine32:i386\n" + PIN,
     ["bookworm-security/main i386 Packages", "prefers the release's own versions"]),
    ("a failed install stops it", "", 0, 100, 1, "install -y -q --no-install-recommends wine wine32:i386\n",
     ["installing these packages failed: wine wine32:i386"]),
]


def main():
    script, scratch = sys.argv[1], sys.argv[2]
    shutil.rmtree(scratch, ignore_errors=True)
    bin_dir = os.path.join(scratch, "bin")
    os.makedirs(bin_dir)
    stub = os.path.join(bin_dir, "apt-get")
    with open(stub, "w") as f:
        f.write(STUB)
    os.chmod(stub, 0o755)
    failures = 0
    for name, update, update_rc, install_rc, code, expected_log, errors in CASES:
        log = os.path.join(scratch, "install.log")
        if os.path.exists(log):
            os.remove(log)
        env = dict(os.environ, PATH=bin_dir + ":" + os.environ["PATH"], STUB_UPDATE=update.replace("\\", "\\\\"),
                   STUB_UPDATE_RC=str(update_rc), STUB_INSTALL_RC=str(install_rc), STUB_LOG=log)
        run = subprocess.run([script, "wine", "wine32:i386"], env=env, capture_output=True, text=True, timeout=60)
        got_log = open(log).read() if os.path.exists(log) else ""
        # The preference folder is a fresh temporary one each time.
        got_log = " ".join(w if not w.startswith("Dir::Etc::PreferencesParts=") else "Dir::Etc::PreferencesParts=PREFS"
                           for w in got_log.split(" "))
        problems = []
        if run.returncode != code:
            problems.append("exit code %d, expected %d" % (run.returncode, code))
        if got_log != expected_log:
            problems.append("install log %r, expected %r" % (got_log, expected_log))
        problems += ["no %r on stderr" % e for e in errors if e not in run.stderr]
        if problems:
            failures += 1
            print("FAIL %s: %s\n--- stderr\n%s" % (name, "; ".join(problems), run.stderr))
        else:
            print("ok   %s" % name)
    shutil.rmtree(scratch, ignore_errors=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
