#!/usr/bin/env bash
# Measures the sound mix of the real 360 x 480 program (build/bin/morventica-w480) as a player hears
# it: the program runs in a real window under Xvfb with SDL's disk audio driver, which writes the
# very stream the sound card would get (16-bit stereo at 44100 Hz, paced in real time) to a file.
#
#   bash scripts/mix.sh            # builds the program first if it is missing
#
# One game, steered with xdotool: O (the ship cannot be destroyed, so the run is the same every
# time) and Enter on the title; stage 1's first seconds play the stage tune alone (the ship cannot
# fire before the stage's distance 150, 7.5 s); then every gun's key is held (Shift, Ctrl, C, V,
# B, N, M) through the stage into the boss fight, which is recorded from 76 s after the start of
# the stage (the boss comes in at 73 s) for 20 s. Positions in the stream are taken from the size
# of the file at each moment, so a slow machine does not shift them.
# Prints the share of clipped samples (at full scale) and the RMS (dBFS) of both parts and the gap
# between them, each with its goal, and exits non-zero when one misses it. MIX_KEEP=FILE keeps the
# recorded stream (raw 16-bit stereo at 44100 Hz).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/window_common.sh
install_tools Xvfb:xvfb xdotool:xdotool python3:python3

start_display 1024x768x24 || exit 1
private_runtime_dir
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/mix.raw"

stream_bytes() { stat -c %s "$work/mix.raw" 2>/dev/null || echo 0; }

"$program" >"$work/run.log" 2>&1 &
game_pid=$!
window=$(timeout 10 xdotool search --sync --name "MORVENTICA" | head -1)
[ -n "$window" ] || { echo "no window"; exit 1; }
xdotool windowfocus "$window" 2>/dev/null || true
sleep 3
xdotool key o
sleep 0.3
xdotool keydown Return; sleep 0.15; xdotool keyup Return
stage_start=$(stream_bytes)
sleep 1
quiet_from=$(stream_bytes)
sleep 5.5
quiet_to=$(stream_bytes)
sleep 2
guns=(Shift_L Control_L c v b n m)
xdotool keydown "${guns[@]}"
# The keys stay down; the fight is timed from the start of the stage on the stream itself.
rate_bytes=$((44100 * 4))
fight_from=$((stage_start + 76 * rate_bytes))
fight_to=$((fight_from + 20 * rate_bytes))
while [ "$(stream_bytes)" -lt "$fight_to" ]; do
  if ! kill -0 "$game_pid" 2>/dev/null; then echo "the program ended"; exit 1; fi
  sleep 1
done
xdotool keyup "${guns[@]}"
kill "$game_pid"; wait "$game_pid" 2>/dev/null || true
game_pid=""
if [ -n "${MIX_KEEP:-}" ]; then cp "$work/mix.raw" "$MIX_KEEP"; fi

python3 - "$work/mix.raw" "$quiet_from" "$quiet_to" "$fight_from" "$fight_to" <<'EOF'
import math, struct, sys
path = sys.argv[1]
quiet_from, quiet_to, fight_from, fight_to = (int(v) & ~3 for v in sys.argv[2:6])
data = open(path, "rb").read()

def figures(a, b):
    chunk = data[a:b]
    n = len(chunk) // 2
    samples = struct.unpack("<%dh" % n, chunk[:n * 2])
    clipped = sum(1 for s in samples if s >= 32767 or s <= -32768)
    square = sum(s * s for s in samples) / max(n, 1)
    rms = 10 * math.log10(square / 32768.0 ** 2) if square > 0 else -200.0
    peak = max((abs(s) for s in samples), default=0)
    return 100.0 * clipped / max(n, 1), rms, peak, n // 2 / 44100.0

ok = True
def report(name, value, goal, passed):
    global ok
    ok = ok and passed
    print(f"{'ok  ' if passed else 'MISS'} {name:<40} {value:<12} goal {goal}")

q_clip, q_rms, q_peak, q_len = figures(quiet_from, quiet_to)
f_clip, f_rms, f_peak, f_len = figures(fight_from, fight_to)
print(f"     music alone: {q_len:.1f} s, peak {q_peak}; boss fight: {f_len:.1f} s, peak {f_peak}")
report("clipped samples in the boss fight (%)", f"{f_clip:.4f}", "< 0.01", f_clip < 0.01)
report("RMS of the boss fight (dBFS)", f"{f_rms:.1f}", "(info)", True)
report("RMS of the music alone (dBFS)", f"{q_rms:.1f}", "(info)", True)
report("clipped samples, music alone (%)", f"{q_clip:.4f}", "(info)", True)
gap = f_rms - q_rms
report("music below the fight (dB RMS)", f"{gap:.1f}", "<= 12", gap <= 12)
sys.exit(0 if ok else 1)
EOF
