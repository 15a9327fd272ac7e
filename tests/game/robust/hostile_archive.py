#!/usr/bin/env python3
"""Plays a tour of the game on hostile copies of its data archive: cut short, with a member
missing, with a member replaced by garbage. Each run must start and end normally or end with one
clear message; a crash, a sanitizer report or a hang fails. With --sample N only N members
(spread over the archive) are spoiled, for a quick run."""
import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile

from session import Session

TIMEOUT = 120


class Failure(Exception):
    pass


def members(archive):
    listing = subprocess.run(["7zz", "l", "-slt", archive], capture_output=True, text=True,
                             check=True).stdout
    entries = listing.split("\n----------\n", 1)[1].split("\n\n")
    fields = [dict(line.split(" = ", 1) for line in entry.splitlines() if " = " in line)
              for entry in entries]
    return [f["Path"] for f in fields
            if "Path" in f and f.get("Folder") != "+" and "D" not in f.get("Attributes", "")]


def spoiled(archive, work, how, member, rng):
    """A copy of the archive with one member removed or replaced by garbage of its own size."""
    copy = os.path.join(work, "variant.7z")
    shutil.copy(archive, copy)
    if how == "missing":
        subprocess.run(["7zz", "d", copy, member], capture_output=True, check=True)
        return copy
    original = subprocess.run(["7zz", "e", "-so", archive, member], capture_output=True,
                              check=True).stdout
    garbage_root = os.path.join(work, "garbage")
    shutil.rmtree(garbage_root, ignore_errors=True)
    path = os.path.join(garbage_root, member)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(bytes(rng.randrange(256) for _ in range(max(len(original), 1))))
    subprocess.run(["7zz", "u", copy, member], cwd=garbage_root, capture_output=True, check=True)
    return copy


def verdict(session, runs):
    """How the run ended ("plays", "ends with a message") and its message, or raises Failure
    with what went wrong."""
    # A run that ends on a failure leaves the application unreleased, as the shell does by
    # design: its memory is the system's to take back, so only memory errors count here.
    ended = session.run("tour.txt", runs, TIMEOUT, ASAN_OPTIONS="detect_leaks=0")
    if ended is None:
        raise Failure("hangs")
    status, text = ended
    if status < 0:
        raise Failure(f"crashes (signal {-status}): {text[-2000:]}")
    if "Sanitizer" in text or "runtime error" in text:
        raise Failure("trips the sanitizer: " + text[-4000:])
    if status == 0:
        return "plays", text
    if not text.strip() or len(text.strip().splitlines()) > 4:
        raise Failure(f"ends with status {status} and not one message: {text}")
    return "ends with a message", text


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("game")
    parser.add_argument("--data", help="game.dat (default: the one beside the game)")
    parser.add_argument("--sample", type=int, default=0)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    archive = os.path.abspath(args.data or os.path.join(os.path.dirname(args.game), "game.dat"))
    work = tempfile.mkdtemp(prefix="tintrow-hostile-")
    try:
        data = os.path.join(work, "game.dat")
        session = Session(args.game, work, data)
        runs = os.path.join(work, "runs")
        os.makedirs(runs)
        names = members(archive)
        step = max(1, len(names) // args.sample) if args.sample else 1
        chosen = names[::step][:args.sample or None]
        size = os.path.getsize(archive)
        cases = [("cut", n) for n in (0, 31, 32, size // 4, size // 2, size - 1)]
        cases += [(how, name) for name in chosen for how in ("missing", "garbage")]
        outcomes = {"plays": 0, "ends with a message": 0}
        for how, what in cases:
            session.seed()
            if how == "cut":
                with open(archive, "rb") as src, open(data, "wb") as dst:
                    dst.write(src.read(what))
            else:
                shutil.move(spoiled(archive, work, how, what, rng), data)
            try:
                outcome, message = verdict(session, runs)
            except Failure as failure:
                sys.exit(f"FAIL: the archive {how} {what} {failure}")
            if how == "cut" and "game.dat" not in message:
                sys.exit(f"FAIL: an archive cut at {what} bytes ends without naming it")
            outcomes[outcome] += 1
        print(f"hostile archive: {len(cases)} archives ({len(chosen)} of {len(names)} members "
              "missing, then garbled; 6 cut short): "
              + ", ".join(f"{what} {n}" for what, n in outcomes.items()) + "; none crashed or hung")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
