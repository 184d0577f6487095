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
# and "F-" fire pressed and let go, "X+" the second gun (Ctrl) pressed, "S" Space tapped (and a
# checkpoint there, the ending still up), "C" a checkpoint (on the frame of the Y that continues:
# the prompt is still up and the lives below 1); last, the length of the recording. 999 lives at 16
# a destruction take 63 destructions, and a destroyed ship is untouchable for 300 frames: the ship
# is steered, after each destruction, to where the next enemy bullet will meet it as soon as it can
# be hit again (found by tests/tools/morv_seek.cpp, which tries every move on copies of the game).
# Fire is held but while a boss attacks and lives are still to be lost there (stage 1 until the 40th
# destruction, stage 2 until the continue), so that each boss fight lasts long enough; after the
# continue the ship goes back to the middle of the lower field and stays, both guns firing. Space
# ends the ending 300 frames in.
STEERING = {}
STEERING['w480'] = ("""
23880C
460L10 460U120 863R80 863D120 1174L115 1174D15 1427R6 1480R50 1480U120 1747L6 1747D15
1806L50 1806D70 2128R80 2128D15 2449L80 2449U70 2803R10 3056U6 3113R10 3113D120 3424R115
3424U70 4949L25 4949U70 5214F- 5274L25 5274D120 5627L50 5627D15 5984L25 6275U6 6331R115
6331U35 6629U15 6690L115 6690U15 7030R25 7030U35 7385R25 7385D120 7739R80 8062U6
8119U120 8448D120 8804L80 8804U70 9167R10 9167D70 9501R10 9501U70 9879L50 9879D35
10199R115 10199D15 10557L80 10557D35 10906U35 11236L10 11236U70 11583L25 11583D15
11903R115 11903D120 12241L115 12241U15 12501U6 12557R10 12557U120 12865R50 12865D15
13264R25 13264D35 13557L6 13612L10 13612D70 13897U6 13954L80 13954U70 14285R80 14285D35
14689R50 14689D15 15008L10 15008D15 15323F+ 15373L115 15710R80 15710D15 16021L25 16313U6
16371R50 16371U70 16757R10 17060L80 17060D35 17391R25 17391D35 17710U6 18152U120
18495L25 18495D120 19103R80 19103U120 19592L115 19592D120 19870U15 19930R10 19930D15
20233R80 20233U35 20840L50 20840U70 21151F- 21211R10 21211D35 21516R80 21516U70
21875D120 22215U35 22540L115 22540D15 22866U15 23195R50 23195U15 23550U15 23881R7
23881D55 23881F+ 23881X+ 25821S
""", 25921)
STEERING['w600'] = ("""
22980C
460L50 460U120 902R25 902D120 1215L25 1215U120 1551R25 1551D120 1853L10 1853U120 2153R25
2153D120 2402U6 2460L50 2460U70 2808R80 3057U6 3113L80 3113D35 3362R6 3362U15 3420R115
3420D70 4926L50 4926U120 5202F- 5317D120 5648L10 5648U120 5976R80 5976D120 6287L25
6636R10 6636U15 6975R10 7308L25 7308U35 7609L115 7609U15 7937R115 7937D35 8197U6 8253L25
8253U15 8562L80 8562D35 8874R80 8874U120 9219L115 9219D70 9522R115 9522D70 9868L115
9868U15 10176R115 10176D15 10487L10 10487U35 10831L50 11135R10 11135D35 11459L50
11459U70 11767R50 11767D35 12102R25 12102U120 12397L6 12452L25 12760L10 12760D120
13087R50 13087U70 13433L50 13433D70 13716U6 13772R10 14143R80 14451L80 14708L6 14708D6
14714F+ 14764L50 14764U35 15128R50 15128U35 15388U6 15444R50 15444D70 15758L50 15758U35
16009U6 16064L50 16064U35 16345R6 16345U15 16406R115 16406D120 16725L10 16725U120
17044R10 17044D120 17346L80 17651R50 17651U70 17925U15 17983L10 17983D70 18308R25
18308D15 18621L115 18943R10 18943U120 19275R50 19275D120 20186L50 20186U120 20394R115
20394D120 20645L6 20645U15 20704U120 21615L50 21979F- 22048R50 22048D15 22351L10
22351D120 22650L25 22981L18 22981U7 22981F+ 22981X+ 24866S
""", 24966)
STEERING['640'] = ("""
23460C
460L25 460U120 873L25 873D70 1173R10 1173D35 1490R25 1490U120 1811R25 1811D15 2123D120
2469L50 2469U120 2810L25 2810D35 3062R6 3062D15 3125R80 3125U70 3451L10 3451D120 4959L25
4959U120 5214F- 5304R25 5304D120 5627U70 5983L80 5983D70 6271U6 6329R115 6329U70
6680L115 6680D70 7013R115 7013U35 7336L10 7336U70 7674L80 7674D35 8035L10 8035D70
8353U35 8691R115 9062L115 9410R80 9410D35 9715R10 9715U15 10043L25 10043U70 10435R50
10435U35 10779L25 10779D70 11107L115 11107D15 11425R115 11425D70 11725L115 11725U70
12044R80 12044D35 12371L10 12371D35 12672L10 12672U70 12995L80 12995D35 13359R115
13711L10 13711D35 14021L80 14021U120 14343R25 14343D120 14717R50 14717U120 14995L6
15004F+ 15054L25 15054D120 15307U15 15369L80 15711R80 15711D15 16021L25 16316U6 16373L80
16373U70 17060R80 17060D35 17391R50 17391U70 17732L115 17732D120 18067R50 18067U120
18442R10 18442D15 18781R80 18781D120 19141U120 19447L6 19505L50 19505D120 20115R80
20115U120 20503L115 20503D15 20818R25 20818U15 21121R10 21121D35 21742R50 21742U70
22093F- 22150L80 22449R115 22817D120 23066U6 23123L80 23123U120 23461R22 23461D112
23461F+ 23461X+ 25197S
""", 25297)

STEERING['800'] = ("""
23100C
460L50 460U120 902R115 902D120 1202L10 1202U120 1507L115 1507D70 1832R50 1832D70 2141R25
2141U120 2469L50 2469D120 2720U15 2778R115 2778U35 3079L115 3079U35 3328U15 3389R50
3389D120 4897U120 5202F- 5317D120 5648L10 5648U120 5978L50 5978D120 6287R25 6636L10
6636U15 6975L10 7308R25 7308U35 7609R115 7609U15 7937L115 7937D35 8197U6 8253R25 8253U15
8562R80 8562D35 8874L25 8874U120 9171R15 9171D6 9234L115 9234U15 9550R50 9550D70 9918L50
9918D70 10231R115 10504U6 10563L80 10563U120 10846L15 10910R25 10910D120 11239L50
11239U120 11591D35 11891D120 12229R80 12229U35 12547R50 12547U120 12849L10 12849D120
13171L80 13171U120 13518R115 13837L115 13837D120 14136U6 14193R80 14504L50 14504U15
14796F+ 14846R80 14846U120 15210L50 15210D120 15537L10 15537U15 15813U6 15870L50
15870U15 16179R80 16179U35 16482L6 16482U6 16536L80 16536D35 16794U15 16857D35 17168R115
17168D15 17470L80 17769U70 18102R25 18102U70 18470D120 18743U15 19101R10 19101U120
19884R25 20220D70 20824L25 20824U70 21076F- 21148L50 21148D15 21448L25 21448D120
21800R115 21800U15 22108L25 22108D15 22426L50 22426U35 22772L50 22772U15 23101R56
23101D40 23101F+ 23101X+ 25041S
""", 25141)


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
        elif what == "X+":
            s.ev(frame, "down VK_CONTROL")
        elif what == "S":
            s.tap(frame, "VK_SPACE")
            s.check(frame)
        elif what == "C":
            s.check(frame)
        else:
            raise ValueError(token)
    s.ev(length - 10, "up VK_SHIFT")
    s.ev(length - 10, "up VK_CONTROL")
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
