#!/usr/bin/env bash
# The recorder's whole path: build/bin/morv_recorder_w480 (the 360 x 480 program with its input
# logged) in a real window under Xvfb, played through XTEST as a person plays it, keys held a tenth
# of a second or longer; then its recording filled and replayed headless by the replay test.
#
#   bash scripts/window_record_test.sh   # builds what is missing; scripts/window_test.sh runs it
#
# The session: Enter on the title, Left held, Shift held (fire) with Up and then Right held under
# it, S to pause, S to resume, Esc. Checks: the recorder exits 0 and its file parses; it holds
# those key events in that order, each key's at increasing frames (two keys may change in one
# frame); a regeneration run of the replay test fills its check lines (one every 60 frames, two
# added inside the pause); the game is in stage 1 at the pause and stands still through it in the
# replay; the headless replay passes against the filled checkpoints. The recording lives in the
# work directory only, never in the source tree: MORV_REPLAY_FILE points the replay test at it.
# Prints one line per check and a last "record test: PASS" or "record test: FAIL (...)" line.
set -uo pipefail
cd "$(dirname "$0")/.."

source scripts/window_common.sh
install_tools Xvfb:xvfb xdotool:xdotool python3:python3
build_missing morv_recorder_w480 profile_tests_w480
recorder=build/bin/morv_recorder_w480
tests=build/bin/profile_tests_w480

check_label="record test"

start_display 640x560x24 || { echo "record test: FAIL (Xvfb)"; exit 1; }
private_runtime_dir
unset SDL_VIDEODRIVER SDL_DISKAUDIOFILE SDL_DISKAUDIODELAY
export SDL_AUDIODRIVER=dummy

# The replay test names a file's case <folder>_<name>: here w480_window_ci.
mkdir "$work/w480"
rec="$work/w480/window_ci.rec"
case_name="Recordings/Replay.*/w480_window_ci"

"$recorder" "$rec" 60 >"$work/recorder.log" 2>&1 &
game_pid=$!
open_window "the recorder's window opens"

hold() {  # hold KEY SECONDS: down, held, up
  xdotool keydown "$1"
  sleep "$2"
  xdotool keyup "$1"
}

sleep 1
hold Return 0.1
sleep 1.5
hold Left 0.6
xdotool keydown Shift_L
sleep 0.1
hold Up 0.5
sleep 0.1
hold Right 0.8
sleep 0.1
xdotool keyup Shift_L
sleep 0.3
hold s 0.1
sleep 1
hold s 0.1
sleep 0.5
hold Escape 0.1
timeout 10 tail --pid="$game_pid" -f /dev/null
kill -0 "$game_pid" 2>/dev/null && kill "$game_pid"
wait "$game_pid"
recorder_rc=$?
game_pid=""
[ "$recorder_rc" -eq 0 ]; check "Esc quits the recorder with 0 (got $recorder_rc)" $?

# The file parses; the session's key events are there in order, each key's at increasing frames.
# Prints the frames of the first S press and of the second, for check lines inside the pause.
python3 - "$rec" >"$work/events.txt" <<'EOF'
import re, sys
event = re.compile(r"^(\d+) (down|up) (VK_[A-Z0-9]+|[A-Z0-9])$|^(\d+) move -?\d+ -?\d+$"
                   r"|^(\d+) button-(down|up) [12]$")
keys, checks, last = [], [], -1
for n, line in enumerate(open(sys.argv[1]).read().splitlines(), 1):
    if not line or line.startswith("#"):
        continue
    if re.fullmatch(r"check \d+", line):
        checks.append(int(line.split()[1]))
        continue
    m = event.match(line)
    if not m:
        sys.exit(f"line {n} does not parse: {line}")
    frame = int(m.group(1) or m.group(4) or m.group(5))
    if frame < last:
        sys.exit(f"line {n}: frame {frame} after frame {last}")
    last = frame
    if m.group(2):
        keys.append((frame, m.group(2), m.group(3)))
want = [("down", "VK_RETURN"), ("up", "VK_RETURN"), ("down", "VK_LEFT"), ("up", "VK_LEFT"),
        ("down", "VK_SHIFT"), ("down", "VK_UP"), ("up", "VK_UP"), ("down", "VK_RIGHT"),
        ("up", "VK_RIGHT"), ("up", "VK_SHIFT"), ("down", "S"), ("up", "S"), ("down", "S"),
        ("up", "S"), ("down", "VK_ESCAPE")]
got = [(kind, key) for _, kind, key in keys]
if got[:len(want)] != want or got[len(want):] not in ([], [("up", "VK_ESCAPE")]):
    sys.exit(f"key events {got}, expected {want}")
frames = [frame for frame, _, _ in keys[:len(want)]]
# Two keys may change in one frame (Left let go and Shift pressed within a sixtieth of a second),
# but one key's press and release, and the two S presses around the pause, are frames apart.
last_of = {}
for frame, kind, key in keys[:len(want)]:
    if key in last_of and frame <= last_of[key]:
        sys.exit(f"key events at frames {frames}: {kind} {key} at {frame}, "
                 f"not after {last_of[key]}")
    last_of[key] = frame
if not checks or checks[-1] < last:
    sys.exit(f"check lines {checks[:3]}...: none, or none at the end (frame {last})")
print(frames[10], frames[12],
      f"{len(keys)} key events at frames {frames[0]}..{frames[-1]}, {len(checks)} check lines")
EOF
parse_rc=$?
[ "$parse_rc" -ne 0 ] || echo "     $(cut -d' ' -f3- "$work/events.txt")"
[ "$parse_rc" -eq 0 ]; check "the recording parses and holds the session's key events in order" $?
if [ "$parse_rc" -ne 0 ]; then
  echo "--- recorder output"; cat "$work/recorder.log"
  echo "--- recording"; cat "$rec"
  finish
fi
read -r pause_at resume_at _ <"$work/events.txt"
# Two more check lines: just after the pause takes hold and just before it is lifted.
printf 'check %d\ncheck %d\n' "$((pause_at + 2))" "$((resume_at - 1))" >>"$rec"

export SDL_VIDEODRIVER=dummy
MORV_REGENERATE_CHECKPOINTS=1 MORV_REPLAY_FILE="$rec" "$tests" --gtest_filter="$case_name" \
  >"$work/regenerate.log" 2>&1
regenerate_rc=$?
[ "$regenerate_rc" -eq 0 ] && grep -q "^regenerated $rec" "$work/regenerate.log" &&
  ! grep -qE "^check [0-9]+$" "$rec"
check "a regeneration run fills every check line" $?

pause_a=$(grep -E "^check $((pause_at + 2)) " "$rec" | head -1 | cut -d' ' -f3-)
pause_b=$(grep -E "^check $((resume_at - 1)) " "$rec" | head -1 | cut -d' ' -f3-)
echo "     paused at frame $((pause_at + 2)): $pause_a"
case "$pause_a" in state=2\ *) true ;; *) false ;; esac
check "in the replay the session is in stage 1 when S pauses it" $?
[ -n "$pause_a" ] && [ "$pause_a" = "$pause_b" ]
check "in the replay stage 1 stands still from the first S to the second" $?

MORV_REPLAY_FILE="$rec" "$tests" --gtest_filter="$case_name" >"$work/replay.log" 2>&1
replay_rc=$?
[ "$replay_rc" -eq 0 ] && grep -q "^\[  PASSED  \] 1 test\.$" "$work/replay.log"
check "the headless replay passes against the filled checkpoints" $?

if [ ${#failures[@]} -gt 0 ]; then
  echo "--- recorder output"; cat "$work/recorder.log"
  echo "--- regeneration run"; tail -n 30 "$work/regenerate.log"
  echo "--- replay run"; tail -n 30 "$work/replay.log"
fi
finish
