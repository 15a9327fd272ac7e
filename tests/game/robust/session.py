"""What the whole-program store tests share: a private program copy, stores seeded with a
session's worth of records, snapshots of every store, and runs of the real game on scripts."""
import contextlib
import os
import shutil
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# The record stores, the data folder's "files" (the language choice of an installed copy) and
# the language choice beside the program.
STORES = ["gsv", "cfg", "hs", "hsArcade", "keys_Tintrow", "files", "program"]


def saved_game_that_ends():
    """Level 0 (6 x 6) full of balls in no line, a ball on its way and 1000 points."""
    header = struct.pack(">iiiqii?iii", 0, 0, 1000, 0, 0, 0, True, 3, 6, 6)
    return header + bytes(b for y in range(6) for x in range(6) for b in (2, (x + 2 * y) % 4))


def score_table(names):
    body = struct.pack(">i", len(names))
    for name in names:
        body += struct.pack(">H", len(name)) + name.encode()
    for i in range(len(names)):
        body += struct.pack(">bi", 1, 90 - 10 * i)
    return body


class Session:
    def __init__(self, game, work, data=None):
        """The program copied into WORK/bin beside a link to DATA (default: the game's game.dat)."""
        self.program = os.path.join(work, "bin", "tintrow")
        self.home = os.path.join(work, "home")
        os.makedirs(os.path.dirname(self.program), exist_ok=True)
        shutil.copy(game, self.program)
        data = data or os.path.join(os.path.dirname(os.path.abspath(game)), "game.dat")
        os.symlink(os.path.abspath(data), os.path.join(work, "bin", "game.dat"))

    def folder(self, store):
        if store == "program":
            return os.path.dirname(self.program)
        return os.path.join(self.home, "Vandrel", "Tintrow", store)

    def seed(self, saved_game=True):
        """Settings, a high-score table, the language and (unless not wanted) a saved game that
        ends at once."""
        shutil.rmtree(self.home, ignore_errors=True)
        with contextlib.suppress(FileNotFoundError):
            os.remove(os.path.join(self.folder("program"), "langid"))
        records = {
            "gsv": saved_game_that_ends() if saved_game else None,
            "cfg": bytes([30, 20, 0]),
            "hs": score_table(["Ann", "Bo", "Cy", "Di", "Ed", "Flo", "Gus", "Hal", "Ivy", "Jo"]),
            "files": struct.pack(">i", 0),
        }
        for store, record in records.items():
            if record is None:
                continue
            os.makedirs(self.folder(store))
            name = "langid" if store == "files" else "1"
            with open(os.path.join(self.folder(store), name), "wb") as f:
                f.write(record)

    def snapshot(self):
        """Each store's records by name; a store without records counts as missing (None)."""
        stores = {}
        for store in STORES:
            folder, records = self.folder(store), {}
            if os.path.isdir(folder):
                for name in os.listdir(folder):
                    if store == "program" and name != "langid" or name.startswith(".tmp-"):
                        continue
                    with open(os.path.join(folder, name), "rb") as f:
                        records[name] = f.read()
            stores[store] = records or None
        return stores

    def leftovers(self):
        """Temporary files of interrupted writes anywhere in the data and program folders."""
        found = []
        for root in (self.home, self.folder("program")):
            for path, folders, files in os.walk(root):
                found += [os.path.join(path, n) for n in folders + files if n.startswith(".tmp-")]
        return found

    def start(self, script, cwd, **environment):
        env = dict(os.environ, TINTROW_HOME=self.home, **environment)
        return subprocess.Popen([self.program, "/script:" + os.path.join(HERE, script)], cwd=cwd,
                                env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)

    def run(self, script, cwd, timeout=300, **environment):
        """Runs a script to its end: its status and standard error, or None when it hangs."""
        process = self.start(script, cwd, **environment)
        try:
            _, err = process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
            return None
        return process.returncode, err.decode(errors="replace")

    def play(self, script, cwd, what):
        """Runs a script to its end; a failure status, a message or a hang ends the test."""
        ended = self.run(script, cwd)
        if ended is None:
            sys.exit(f"FAIL: {what} did not end")
        if ended != (0, ""):
            sys.exit(f"FAIL: {what} ended with status {ended[0]}: {ended[1]}")

