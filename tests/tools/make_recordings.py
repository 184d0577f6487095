#!/usr/bin/env python3
"""Writes the input scripts of the recorded playthroughs in tests/recordings/ with empty check
lines; tests/tools/regenerate_checkpoints.sh fills them in (the replay test run with
MORV_REGENERATE_CHECKPOINTS=1, one process per recording):

  python3 tests/tools/make_recordings.py && tests/tools/regenerate_checkpoints.sh
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(os.path.dirname(HERE), "recordings")
PROFILES = ["w480", "w600", "640", "800", "r1-w480", "r1-800"]


class Script:
    def __init__(self, title):
        self.lines = ["# " + title, "# Written by tests/tools/make_recordings.py."]
        self.checks = set()

    def ev(self, frame, text):
        self.lines.append("%d %s" % (frame, text))

    def tap(self, frame, key, held=1):
        self.ev(frame, "down " + key)
        self.ev(frame + held, "up " + key)

    def check(self, frame):
        self.checks.add(frame)

    def write(self, path):
        events = sorted(self.lines[2:], key=lambda l: int(l.split()[0]))
        body = self.lines[:2] + events + ["check %d" % f for f in sorted(self.checks)]
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write("\n".join(body) + "\n")


def weave_keys(s, start, end, period=240, swing=30):
    """Fire held from `start` to `end`, the ship swinging left and right about its place."""
    s.ev(start, "down VK_SHIFT")
    f = start + 60
    while f + 2 * swing < end:
        s.tap(f, "VK_LEFT", swing)
        s.tap(f + swing, "VK_RIGHT", swing)
        f += period
    s.ev(end, "up VK_SHIFT")


def no_death_keyboard(length, every):
    s = Script("No death (O), keyboard: both bosses, the ending and back to the title.")
    s.tap(2, "O")
    s.tap(6, "VK_RETURN")
    weave_keys(s, 12, length - 10)
    for f in range(0, length + 1, every):
        s.check(f)
    s.check(length)
    return s


def mouse_control(length, every, cx, cy):
    s = Script("Mouse control (M), no death (O): the pointer steers, the left button fires.")
    s.tap(2, "M")
    s.tap(4, "O")
    s.tap(6, "VK_RETURN")
    s.ev(10, "move %d %d" % (cx, cy))
    s.ev(12, "button-down 1")
    f = 100
    while f + 60 < length:
        s.ev(f, "move %d %d" % (cx - 40, cy))
        s.ev(f + 30, "move %d %d" % (cx + 40, cy))
        s.ev(f + 60, "move %d %d" % (cx, cy))
        f += 240
    s.ev(length - 10, "button-up 1")
    for f in range(0, length + 1, every):
        s.check(f)
    s.check(length)
    return s


def continue_play(length, every):
    s = Script("Normal play: the ship sits still and fires until its lives run out, then continues (Y).")
    s.tap(6, "VK_RETURN")
    s.ev(12, "down VK_SHIFT")
    for f in range(600, length - 20, 120):
        s.tap(f, "Y")
    s.ev(length - 10, "up VK_SHIFT")
    for f in range(0, length + 1, every):
        s.check(f)
    s.check(length)
    return s


# Long enough to reach the title again after the ending, in every profile.
NO_DEATH_FRAMES = {p: 15000 for p in PROFILES}
NO_DEATH_FRAMES["r1-800"] = 16500
MOUSE_FRAMES = 14000
CONTINUE_FRAMES = 4000

if __name__ == "__main__":
    length = int(os.environ.get("MORV_REC_LENGTH", "0"))
    for p in PROFILES:
        no_death_keyboard(length or NO_DEATH_FRAMES[p], 1500).write(
            os.path.join(OUT, p, "no_death_keyboard.rec"))
    mouse_control(length or MOUSE_FRAMES, 1500, 180, 400).write(
        os.path.join(OUT, "w480", "mouse_control.rec"))
    # The earlier revision starts a game with one life: the continue comes soon.
    continue_play(length or CONTINUE_FRAMES, 500).write(
        os.path.join(OUT, "r1-w480", "continue.rec"))
