#!/usr/bin/env bash
# The real 360 x 480 program (build/bin/morventica-w480) in a real window, played as a person plays
# it: its own Xvfb display, keys held for a tenth of a second through XTEST, screenshots of the
# whole screen and the sound it plays captured through SDL's disk audio driver.
#
#   bash scripts/window_test.sh        # builds the program first if it is missing
#
# Checks: the title and stage 1 look different; stage 1 moves (two shots a second apart differ);
# "S" freezes it (two paused shots are identical) and "S" again resumes it; the sound is silent on
# the title and not silent in play; a second start exits 0 while the first runs; Esc quits with 0.
# Then scripts/window_record_test.sh records a session in the recorder's window and replays it.
# Prints one line per check and a last "window test: PASS" or "window test: FAIL (...)" line.
set -uo pipefail
cd "$(dirname "$0")/.."

source scripts/window_common.sh
install_tools Xvfb:xvfb xdotool:xdotool import:imagemagick python3:python3

check_label="window test"

start_display 640x560x24 || { echo "window test: FAIL (Xvfb)"; exit 1; }
private_runtime_dir
export SDL_AUDIODRIVER=disk
export SDL_DISKAUDIOFILE="$work/audio.raw"
# The disk driver writes as fast as its callback asks; the delay paces it like a real device.
export SDL_DISKAUDIODELAY=23

"$program" >"$work/game.log" 2>&1 &
game_pid=$!
open_window "the window opens"

press() {  # a person's key press: down, a tenth of a second, up
  xdotool keydown "$1"
  sleep 0.1
  xdotool keyup "$1"
}
shot() { import -window root "$work/$1.png"; }
# 0 when the two pictures are identical.
same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1)" = "0" ]; }
# Bytes of audio written so far.
audio_at() { stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null || echo 0; }

sleep 1.5
shot title
title_audio_from=$(audio_at)
sleep 1.5
title_audio_to=$(audio_at)

# A second start while the first runs: it finds the first and exits with 0.
timeout 10 "$program" >"$work/second.log" 2>&1
second_rc=$?

press Return
sleep 2.5
play_audio_from=$(audio_at)
shot stage_a
sleep 1
shot stage_b
play_audio_to=$(audio_at)
press s
sleep 0.5
shot paused_a
sleep 1
shot paused_b
press s
sleep 1
shot resumed

press Escape
timeout 10 tail --pid="$game_pid" -f /dev/null
wait "$game_pid"
game_rc=$?
game_pid=""

! same title stage_a; check "the title and stage 1 differ" $?
! same stage_a stage_b; check "stage 1 moves: two shots a second apart differ" $?
same paused_a paused_b; check "paused: two shots a second apart are identical" $?
! same paused_b resumed; check "resumed: the picture moves again" $?

# Peak of the raw 44.1 kHz stereo signed 16-bit samples between two byte offsets.
peak() {
  python3 - "$SDL_DISKAUDIOFILE" "$1" "$2" <<'EOF'
import array, sys
path, start, end = sys.argv[1], int(sys.argv[2]) & ~3, int(sys.argv[3]) & ~3
with open(path, "rb") as f:
    f.seek(start)
    data = f.read(max(0, end - start))
samples = array.array("h")
samples.frombytes(data[: len(data) // 2 * 2])
if sys.byteorder == "big":
    samples.byteswap()
print(max((abs(s) for s in samples), default=-1), len(samples) // 2)
EOF
}
read -r title_peak title_frames < <(peak "$title_audio_from" "$title_audio_to")
read -r play_peak play_frames < <(peak "$play_audio_from" "$play_audio_to")
echo "     title: $title_frames sample frames, peak $title_peak; play: $play_frames sample frames, peak $play_peak"
[ "$title_frames" -gt 22050 ] && [ "$title_peak" -eq 0 ]; check "silent on the title" $?
[ "$play_frames" -gt 22050 ] && [ "$play_peak" -gt 256 ]; check "not silent in play" $?

[ "$second_rc" -eq 0 ]; check "a second start exits 0 while the first runs (got $second_rc)" $?
[ "$game_rc" -eq 0 ]; check "Esc quits with 0 (got $game_rc)" $?
if [ ${#failures[@]} -gt 0 ]; then
  echo "--- program output"; cat "$work/game.log"
  echo "--- second start"; cat "$work/second.log"
fi

# The recorder in the same kind of window: a session recorded, filled and replayed headless.
bash scripts/window_record_test.sh
check "a session recorded in the window replays headless (scripts/window_record_test.sh)" $?
finish
