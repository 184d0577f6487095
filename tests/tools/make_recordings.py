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


def continue_keyboard(length, every):
    """Normal play in the earlier revision: one life, so the continue comes early and often."""
    s = Script("Normal play, keyboard: the lives run out, Y continues; both bosses, the ending and "
               "back to the title.")
    s.tap(6, "VK_RETURN")
    weave_keys(s, 12, length - 10)
    tap_y(s, length)
    for f in range(0, length + 1, every):
        s.check(f)
    s.check(length)
    return s


def tap_y(s, length):
    """Y every second: it continues when the prompt is up and is ignored otherwise."""
    for f in range(600, length - 20, 60):
        s.tap(f, "Y")


# Steering of the current revision's normal play, one string a profile: each token is a frame and
# what happens on it, "L", "R", "U", "D" an arrow held for the frames that follow the letter, "F+"
# and "F-" fire pressed and let go, "S" Space tapped. 999 lives at 16 a destruction take 63
# destructions, and a destroyed ship is untouchable for 300 frames: the ship is steered, after
# each destruction, to where the next enemy bullet will meet it as soon as it can be hit again
# (found by tests/tools/morv_seek.cpp, which tries every move on copies of the game). Fire is held
# but while a boss attacks and lives are still to be lost there (stage 1 until the 40th destruction,
# stage 2 until the continue), so that each boss fight lasts long enough; after the continue the
# ship goes back to the middle of the lower field and stays. Space ends the ending early.
STEERING = {}


def steered_continue(length, every, steering):
    s = Script("Normal play, keyboard: the ship seeks the enemy fire until its 999 lives run out, "
               "Y continues; both bosses, the ending and back to the title.")
    s.tap(6, "VK_RETURN")
    s.ev(12, "down VK_SHIFT")
    tap_y(s, length)
    arrows = {"L": "VK_LEFT", "R": "VK_RIGHT", "U": "VK_UP", "D": "VK_DOWN"}
    for token in steering.split():
        i = 0
        while token[i].isdigit():
            i += 1
        frame, what = int(token[:i]), token[i:]
        if what[0] in arrows:
            s.tap(frame, arrows[what[0]], int(what[1:]))
        elif what == "F+":
            s.ev(frame, "down VK_SHIFT")
        elif what == "F-":
            s.ev(frame, "up VK_SHIFT")
        elif what == "S":
            s.tap(frame, "VK_SPACE")
        else:
            raise ValueError(token)
    s.ev(length - 10, "up VK_SHIFT")
    for f in range(0, length + 1, every):
        s.check(f)
    s.check(length)
    return s


# Long enough to reach the title again after the ending, in every profile.
NO_DEATH_FRAMES = {p: 15000 for p in PROFILES}
NO_DEATH_FRAMES["r1-800"] = 16500
MOUSE_FRAMES = 14000
CONTINUE_FRAMES = {"r1-w480": 17500, "r1-800": 17500}
# The pointer in the middle of the field, near its foot: client coordinates, the field lying 140
# (640) or 220 (800) columns in and, in the 600-row profiles, 120 rows down.
FIELD_ORIGIN = {"w480": (0, 0), "w600": (0, 120), "640": (140, 0), "800": (220, 120),
                "r1-w480": (0, 0), "r1-800": (220, 120)}

if __name__ == "__main__":
    length = int(os.environ.get("MORV_REC_LENGTH", "0"))
    for p in PROFILES:
        no_death_keyboard(length or NO_DEATH_FRAMES[p], 1500).write(
            os.path.join(OUT, p, "no_death_keyboard.rec"))
        fx, fy = FIELD_ORIGIN[p]
        mouse_control(length or MOUSE_FRAMES, 1500, fx + 180, fy + 400).write(
            os.path.join(OUT, p, "mouse_control.rec"))
        if p in STEERING:
            steps, frames = STEERING[p]
            steered_continue(length or frames, 500, steps).write(
                os.path.join(OUT, p, "continue.rec"))
        elif p in CONTINUE_FRAMES:
            continue_keyboard(length or CONTINUE_FRAMES[p], 500).write(
                os.path.join(OUT, p, "continue.rec"))
