#!/usr/bin/env python3
"""Plays a session that saves everything it keeps (full.txt) on a full data folder and on a
read-only one, each a small tmpfs holding the program and its data folder: the game must go on to
the end of the session, every store must be left exactly as it was, and the next start must be a
normal one. The same session on a roomy folder must change every store it saves. Mounting needs
root, which the set-up has; without it the test fails and says so."""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

from session import Session

SAVED = ["gsv", "cfg", "keys_Tintrow", "program"]


def mount(*args):
    return subprocess.run(["mount", *args], stderr=subprocess.DEVNULL).returncode == 0


def fill(folder):
    """Writes until the file system refuses another byte."""
    with open(os.path.join(folder, "filler"), "wb", buffering=0) as f:
        for chunk in (65536, 4096, 1):
            try:
                while True:
                    f.write(b"\0" * chunk)
            except OSError:
                pass


def check(game, kind):
    work = tempfile.mkdtemp(prefix="tintrow-full-")
    disk = os.path.join(work, "disk")
    os.makedirs(disk)
    size = os.path.getsize(game) + 1024 * 1024
    if os.geteuid() != 0 or not mount("-t", "tmpfs", "-o", f"size={size}", "tmpfs", disk):
        shutil.rmtree(work)
        sys.exit(f"FAIL: cannot mount a tmpfs for the {kind} data folder: run as root, as ./test.sh is")
    try:
        session = Session(game, disk)
        runs = os.path.join(work, "runs")
        os.makedirs(runs)
        session.seed(saved_game=False)
        before = session.snapshot()
        if kind == "roomy":
            session.play("full.txt", runs, "the session")
            unsaved = [s for s in SAVED if session.snapshot()[s] == before[s]]
            if unsaved:
                sys.exit(f"FAIL: the session did not save {unsaved}")
            return
        if kind == "full":
            fill(disk)
        elif not mount("-o", "remount,ro", disk):
            sys.exit("FAIL: cannot make the tmpfs read-only")
        session.play("full.txt", runs, f"the session on a {kind} data folder")
        if not os.path.exists(os.path.join(runs, "end.png")):
            sys.exit(f"FAIL: the session on a {kind} data folder did not reach its end")
        found = session.snapshot()
        for store in before:
            if found[store] != before[store]:
                sys.exit(f"FAIL: store {store} changed on a {kind} data folder: {found[store]}")
        if session.leftovers():
            sys.exit(f"FAIL: a {kind} data folder keeps temporary files: {session.leftovers()}")
        # The next start reads what was kept, as if nothing had been saved.
        session.play("start.txt", runs, f"the start after a {kind} data folder")
    finally:
        subprocess.run(["umount", disk])
        shutil.rmtree(work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("game")
    args = parser.parse_args()
    for kind in ("roomy", "full", "read-only"):
        check(args.game, kind)
    print("full disk: the game went on and kept every store on a full and a read-only data folder")


if __name__ == "__main__":
    main()
