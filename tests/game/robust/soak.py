#!/usr/bin/env python3
"""Soaks the real game (built with AddressSanitizer for the leak and memory checks) in MINUTES of
virtual play from soak_script.py: the run must reach the end of its script with no sanitizer
report and no leak, every return home must show the same picture in the same language (so the
script did play what it meant to), and the heap at home after the first settling minutes must
match the heap at the end within 1 MB."""
import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

from session import HERE, Session

HEAP_SLACK = 1 << 20


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("game")
    parser.add_argument("--data", help="game.dat (default: the one beside the game)")
    parser.add_argument("--minutes", type=float, default=60)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    settle = min(10.0, args.minutes / 2)
    work = tempfile.mkdtemp(prefix="tintrow-soak-")
    try:
        session = Session(args.game, work, args.data)
        files = os.path.join(session.home, "Vandrel", "Tintrow", "files")
        os.makedirs(files)
        with open(os.path.join(files, "langid"), "wb") as f:
            f.write(struct.pack(">i", 0))
        heap, script = os.path.join(work, "heap.txt"), os.path.join(work, "soak.txt")
        shots = os.path.join(work, "shots")
        os.makedirs(shots)
        with open(script, "w") as f:
            subprocess.run([sys.executable, os.path.join(HERE, "soak_script.py"), "--minutes",
                            str(args.minutes), "--seed", str(args.seed), "--heap", heap,
                            "--shots", shots], stdout=f, check=True)
        with open(script) as f:
            expected = sum(1 for line in f if line.startswith("heap "))
        started = time.monotonic()
        ended = session.run(script, work, 4 * 3600, ASAN_OPTIONS="detect_leaks=1:abort_on_error=0",
                            UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1")
        real = time.monotonic() - started
        if ended is None:
            sys.exit("FAIL: the soak did not end")
        if ended != (0, ""):
            sys.exit(f"FAIL: the soak ended with status {ended[0]}: {ended[1][-6000:]}")
        with open(heap) as f:
            samples = [tuple(map(int, line.split())) for line in f]
        if len(samples) != expected:
            sys.exit(f"FAIL: the soak stopped early: {len(samples)} of {expected} heap lines")
        homes = {}
        for name in sorted(os.listdir(shots)):
            with open(os.path.join(shots, name), "rb") as f:
                homes.setdefault(name.split("-")[1], {}).setdefault(f.read(), name)
        strays = [n for pictures in homes.values() for n in list(pictures.values())[1:]]
        if strays:
            sys.exit(f"FAIL: the soak lost its way: {strays[0]} is not the home it was before")
        early = next(s for s in samples if s[0] >= settle * 60000)
        last = samples[-1]
        print(f"soak: {last[0] / 60000:.1f} min of virtual play in {real:.0f} s, "
              f"{expected} returns home; heap {early[1] / 1e6:.2f} MB at "
              f"{early[0] / 60000:.1f} min, "
              f"{last[1] / 1e6:.2f} MB at the end; no error or leak reported")
        if abs(last[1] - early[1]) > HEAP_SLACK:
            sys.exit("FAIL: the heap grew by more than 1 MB")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
