#!/usr/bin/env python3
"""Writes the script of a soak: MINUTES of virtual play from the menus, made of random segments
that each start and end in the in-game menu with its first entry focused ("home"). Between them
the game is played with random legal and illegal moves by keys, the gamepad and taps, paused,
continued, restarted, played in both modes and on jumped-to levels, lost (a name is entered when
the score makes the table), and every screen is opened and closed. Play that may end a game uses
only inputs that are harmless on every screen a game's end leads to; a recovery sequence then
brings any of those screens back home. A `heap` line is written at home after every segment."""
import argparse
import random

# The in-game menu's entries while a game is paused.
MENU = ["continue", "restart", "progress", "arcade", "language", "settings", "scores", "help",
        "more", "about", "exit"]
# Play that may end a game: moves that open no menu entry (the menus' focus wraps, so no up or
# down), never answer "no" and never leave a screen, so they are harmless wherever a game's end
# leads. With "5" (choose) they bring every such screen back to play.
SAFE_KEYS = ["LEFT", "RIGHT", "1", "3", "7", "9"]
SAFE_BUTTONS = ["LEFT", "RIGHT"]


class Script:
    def __init__(self, rng, heap_file, shots=None):
        self.rng, self.heap_file, self.shots = rng, heap_file, shots
        self.lines, self.time, self.focus = [], 0, 0
        self.language = 0  # language steps taken: home looks the same whenever it is the same

    def wait(self, ms):
        self.lines.append(f"wait {ms}")
        self.time += ms

    def key(self, name, ms=300):
        self.lines.append(f"key {name}")
        self.wait(ms)

    def button(self, name, ms=300):
        self.lines.append(f"button {name}")
        self.wait(ms)

    def tap(self, x, y, ms=300):
        self.lines.append(f"tap {x} {y}")
        self.wait(ms)

    def go(self, entry, open_it=True):
        """Focuses an entry of the in-game menu and opens it."""
        target = MENU.index(entry)
        while self.focus != target:
            self.key("DOWN" if self.focus < target else "UP", 200)
            self.focus += 1 if self.focus < target else -1
        if open_it:
            self.key("RETURN", 700)

    # --- play ---

    def safe_play(self, seconds):
        """Moves by keys and the gamepad with SAFE_KEYS: the cursor walks, a ball is chosen,
        the cursor walks on and the ball is sent; legal or not, as it falls."""
        end = self.time + seconds * 1000
        while self.time < end:
            for _ in range(2):
                for _ in range(self.rng.randint(0, 4)):
                    if self.rng.random() < 0.8:
                        self.key(self.rng.choice(SAFE_KEYS), self.rng.choice([100, 200]))
                    else:
                        self.button(self.rng.choice(SAFE_BUTTONS), 200)
                if self.rng.random() < 0.8:
                    self.key("5", self.rng.choice([200, 400]))
                else:
                    self.button("A", 400)
            self.wait(self.rng.choice([300, 1200, 2500]))

    def tap_play(self, moves):
        """Taps on and around the board (clear of the menu button): a ball or an empty cell,
        then a target, legal or not."""
        for _ in range(moves):
            for _ in range(2):
                self.tap(self.rng.randrange(40, 200), self.rng.randrange(85, 245),
                         self.rng.choice([200, 500]))
            self.wait(1200)

    # --- back home ---

    def recover(self):
        """From play, a game's end, the name entry, the high scores, the main menu or a question
        of starting a game: back home. Each step names where the possible screens go. A timed
        level may end while it is played here, so the round runs twice: the second starts
        from home, or from where such an end left the first."""
        self.press("5", 7, 500)         # on to play, through the end, the questions and tips
        for _ in range(2):
            for letter in self.rng.sample("ABCDEFGHIJKLMNOPQRSTUVWXYZ", self.rng.randint(1, 3)):
                self.key(letter, 150)   # a name, if one is asked for
            self.key("F1", 900)         # play: paused; a name: entered, the table shows
            self.press("5", 3, 600)     # paused: continued; the table stays
            self.key("F2", 800)         # play: paused; the table: closed, the main menu shows
            self.press("5", 5, 600)     # paused: continued; main menu: a game starts
            self.key("F1", 800)         # paused: home
        self.focus = 0
        if self.shots:
            self.lines.append(f"shot {self.shots}/home-{self.language}-{len(self.lines):06d}.png")
        self.lines.append(f"heap {self.heap_file}")

    def press(self, name, times, ms):
        for _ in range(times):
            self.key(name, ms)

    # --- segments, each from home to home ---

    def keep_playing(self):
        self.go("continue")
        self.safe_play(self.rng.randint(10, 90))
        self.recover()

    def pause_and_continue(self):
        for _ in range(self.rng.randint(1, 3)):
            self.go("continue")
            self.wait(self.rng.choice([500, 1500]))
            self.key("F1", 700) if self.rng.random() < 0.5 else self.tap(6, 6, 700)
            self.focus = 0
        self.recover()

    def restart_and_tap(self):
        self.go("restart")
        self.key("F1", 500)             # yes, end the paused game
        self.key("5", 700)              # the tips: start
        self.tap_play(self.rng.randint(1, 3))
        self.recover()

    def new_game(self, mode):
        self.go(mode)
        if mode == "progress":
            self.key("F2", 600)         # a new game rather than the saved one, where asked
        else:
            self.key("RETURN", 600)     # the highest open level
        self.press("5", 3, 600)
        self.safe_play(self.rng.randint(10, 120))
        self.recover()

    def jump(self):
        self.go("continue")
        for digit in "4703" + f"{self.rng.randint(1, 20):02d}":
            self.key(digit, 120)
        self.key("5", 900)              # the tips of the level jumped to
        self.safe_play(self.rng.randint(5, 30))
        self.recover()

    def screen(self):
        choice = self.rng.choice(["settings", "controls", "scores", "help", "more", "about",
                                  "exit", "language"])
        if choice == "language":
            self.go("language", open_it=False)  # its value steps in place
            step = self.rng.choice([-1, 1])
            self.key("LEFT" if step < 0 else "RIGHT", 500)
            self.language += step
            return
        self.go("settings" if choice == "controls" else choice)
        if choice == "settings":
            for _ in range(self.rng.randint(1, 8)):
                self.key(self.rng.choice(["DOWN", "UP", "LEFT", "RIGHT"]), 250)
            self.key("F2", 600)
        elif choice == "controls":
            self.key("RETURN", 600)     # the first entry
            for _ in range(self.rng.randint(1, 6)):
                self.key(self.rng.choice(["DOWN", "UP"]), 250)
            self.key("F2", 600)
            self.key("F2", 600)
        elif choice == "scores":
            if self.rng.random() < 0.5:
                self.key("DOWN", 250)   # the arcade table
            self.key("RETURN", 600)
            self.key("DOWN", 250)
            self.key("F2", 500)
            self.key("F2", 500)
        elif choice == "help":
            for _ in range(self.rng.randint(0, 4)):
                self.key(self.rng.choice(["F2", "DOWN", "UP"]), 400)
            self.key("F1", 500)
        elif choice == "more":
            for _ in range(self.rng.randint(0, 3)):
                self.key(self.rng.choice(["DOWN", "UP"]), 250)
            self.key("F2", 500)
        elif choice == "about":
            self.key("DOWN", 300)
            self.key("F1", 500)
        else:
            self.key("F2", 500)         # no, stay


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--minutes", type=float, required=True)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--heap", required=True, help="the file the heap lines go to")
    parser.add_argument("--shots", help="a folder for a shot at every return home, named "
                        "home-LANGUAGE-LINE.png (LANGUAGE: the language steps taken so far)")
    args = parser.parse_args()
    s = Script(random.Random(args.seed), args.heap, args.shots)
    # The first start: sound on, then a level game, paused: home.
    s.wait(4500)
    s.key("F1", 600)
    s.key("RETURN", 700)
    s.key("5", 1200)
    s.key("F1", 800)
    s.lines.append(f"heap {args.heap}")
    segments = [(s.keep_playing, 3), (s.pause_and_continue, 2), (s.restart_and_tap, 2),
                (lambda: s.new_game("arcade"), 3), (lambda: s.new_game("progress"), 3),
                (s.jump, 1), (s.screen, 4)]
    actions, weights = zip(*segments)
    while s.time < args.minutes * 60000:
        s.rng.choices(actions, weights)[0]()
    print("\n".join(s.lines))


if __name__ == "__main__":
    main()
