#!/usr/bin/env python3
"""Kills the real game (SIGKILL) at random moments of a session that saves everything it keeps,
COUNT times: after each kill every store must hold what it held before the session or what the
session made of it, never anything else, and the next start must be a normal one."""
import argparse
import contextlib
import os
import random
import shutil
import signal
import sys
import tempfile
import time

from session import STORES, Session


def language(stores):
    """The language choice the game reads: the data folder's copy first, then the program's."""
    return (stores["files"] or stores["program"])["langid"]


def saving_window(session, runs, before):
    """The times (s) of the first and last store change of a whole session, with some margin."""
    process = session.start("saves.txt", runs)
    started, changes, seen = time.monotonic(), [], before
    while process.poll() is None:
        now = session.snapshot()
        if now != seen:
            changes.append(time.monotonic() - started)
            seen = now
        time.sleep(0.002)
    if process.returncode != 0 or not changes:
        sys.exit(f"FAIL: the session ended with status {process.returncode} and saved nothing")
    return max(changes[0] - 0.05, 0), changes[-1] + 0.05


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("game")
    parser.add_argument("--count", type=int, default=1000)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    work = tempfile.mkdtemp(prefix="tintrow-kills-")
    try:
        session = Session(args.game, work)
        runs = os.path.join(work, "runs")
        os.makedirs(runs)
        menu_shot = os.path.join(runs, "menu.png")

        # The session once in full: what every store becomes, and when in it the stores change.
        session.seed()
        before = session.snapshot()
        first, last = saving_window(session, runs, before)
        after = session.snapshot()
        for store in ("gsv", "cfg", "hs", "program"):
            if after[store] == before[store]:
                sys.exit(f"FAIL: the session did not save {store}")
        # The main menu of a normal start, in the language chosen before and after the session.
        menus = {}
        for stores in (after, before):
            if stores is before:
                session.seed()
            session.play("start.txt", runs, "a normal start")
            with open(menu_shot, "rb") as f:
                menus[language(stores)] = f.read()
        # The saved game is removed at the game's end before a new one is saved.
        allowed = {store: [before[store], after[store]] for store in STORES}
        allowed["gsv"].append(None)

        outcomes = {"as they were": 0, "partly saved": 0, "as they became": 0}
        for kill in range(1, args.count + 1):
            session.seed()
            process = session.start("saves.txt", runs)
            time.sleep(rng.uniform(first, last))
            process.send_signal(signal.SIGKILL)
            process.wait()
            found = session.snapshot()
            for store in STORES:
                if found[store] not in allowed[store]:
                    sys.exit(f"FAIL: kill {kill}: store {store} is torn: {found[store]}")
            outcome = ("as they were" if found == before else
                       "as they became" if found == after else "partly saved")
            outcomes[outcome] += 1
            with contextlib.suppress(FileNotFoundError):
                os.remove(menu_shot)
            session.play("start.txt", runs, f"the start after kill {kill}")
            with open(menu_shot, "rb") as f:
                if f.read() != menus[language(found)]:
                    sys.exit(f"FAIL: the start after kill {kill} does not show the main menu")
        print(f"kills: {args.count} from {first:.2f} s to {last:.2f} s into the session, stores "
              + ", ".join(f"{what} {n}" for what, n in outcomes.items())
              + f"; {args.count} normal starts after them")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
