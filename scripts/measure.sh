#!/usr/bin/env bash
# Measures the real 360 x 480 program (build/bin/morventica-w480) in a real window under Xvfb: CPU,
# memory, frame pacing, start-up time and the frames around the first tune, at the title and in an
# empty stage 1. Prints each figure with its goal and exits non-zero when one misses it.
#
#   bash scripts/measure.sh            # builds the program first if it is missing
#
# Two runs of the program:
#   1. plain: process CPU time (every thread, from /proc/PID/task/*/schedstat) over 10 s at the
#      title and 10 s in play, and resident/private memory from /proc/PID/smaps_rollup;
#   2. under strace, watching only the main thread's absolute sleeps to the next refresh (the
#      vertical-blank wait before every presented frame) and the opening of the stage tune: frame
#      intervals, the frame rate over 10 s of play, the start-up time to the first title frame and
#      the longest interval around the first PlayMidi.
# Audio goes to SDL's dummy device, which pulls the mix in real time, so the music is synthesized
# as on a machine with a sound card. Xvfb has no GPU and no real vertical sync: there the program
# takes SDL's software renderer and paces itself at 60 Hz.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/window_common.sh
install_tools Xvfb:xvfb xdotool:xdotool strace:strace python3:python3

start_display 1024x768x24 || exit 1
export SDL_AUDIODRIVER=dummy

press_enter() {
  local window
  window=$(xdotool search --sync --name "MORVENTICA" | head -1)
  xdotool windowfocus "$window" 2>/dev/null || true
  xdotool keydown Return
  sleep 0.15
  xdotool keyup Return
}

# Nanoseconds of CPU the process's threads have run (each live thread's schedstat).
cpu_ns() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d\n", s}'
}

memory() {
  awk '/^Rss:/{r=$2} /^Anonymous:/{a=$2} /^Private_Clean:/{pc=$2} /^Private_Dirty:/{pd=$2}
       END {printf "%d %d %d\n", r, a, pc + pd}' /proc/"$1"/smaps_rollup
}

# --- Run 1: CPU and memory ----------------------------------------------------------------------
"$program" >"$work/run1.log" 2>&1 &
game_pid=$!
xdotool search --sync --name "MORVENTICA" >/dev/null
sleep 2
c0=$(cpu_ns "$game_pid"); t0=$(date +%s%N)
sleep 10
c1=$(cpu_ns "$game_pid"); t1=$(date +%s%N)
read -r title_rss title_anon title_private < <(memory "$game_pid")
press_enter
sleep 3
c2=$(cpu_ns "$game_pid"); t2=$(date +%s%N)
sleep 10
c3=$(cpu_ns "$game_pid"); t3=$(date +%s%N)
read -r play_rss play_anon play_private < <(memory "$game_pid")
threads=$(ls /proc/"$game_pid"/task | wc -l)
kill "$game_pid"; wait "$game_pid" 2>/dev/null || true
game_pid=""

# --- Run 2: frame intervals ---------------------------------------------------------------------
trace="$work/trace"
strace -f -ff -ttt -T --seccomp-bpf -e trace=execve,clock_nanosleep,openat -o "$trace" \
  "$program" >"$work/run2.log" 2>&1 &
game_pid=$!
xdotool search --sync --name "MORVENTICA" >/dev/null
sleep 3
press_enter
sleep 14
# End the program itself (strace's child); strace then ends with it.
child=$(cat /proc/"$game_pid"/task/"$game_pid"/children 2>/dev/null | awk '{print $1}')
if [ -n "$child" ]; then kill "$child" 2>/dev/null || true; fi
timeout 10 tail --pid="$game_pid" -f /dev/null || kill "$game_pid" 2>/dev/null || true
game_pid=""

python3 - "$trace" "$c0" "$c1" "$t0" "$t1" "$c2" "$c3" "$t2" "$t3" \
  "$title_rss" "$title_anon" "$title_private" "$play_rss" "$play_anon" "$play_private" \
  "$threads" <<'EOF'
import glob, re, sys
trace = sys.argv[1]
c0, c1, t0, t1, c2, c3, t2, t3 = (int(v) for v in sys.argv[2:10])
title_rss, title_anon, title_private, play_rss, play_anon, play_private, threads = (
    int(v) for v in sys.argv[10:17])

# The main thread is the one that ran execve and waits for the refreshes.
files = glob.glob(trace + ".*")
exec_time = None
wakes = []
midi_open = None
for path in files:
    lines = open(path).read().splitlines()
    if not any("TIMER_ABSTIME" in l for l in lines):
        continue
    for line in lines:
        m = re.match(r"(\d+\.\d+) (\w+)\(", line)
        if not m:
            continue
        start, call = float(m.group(1)), m.group(2)
        d = re.search(r"<(\d+\.\d+)>$", line)
        dur = float(d.group(1)) if d else 0.0
        if call == "execve" and exec_time is None:
            exec_time = start
        elif call == "clock_nanosleep" and "TIMER_ABSTIME" in line:
            wakes.append(start + dur)
        elif call == "openat" and "VKT1.MID" in line and midi_open is None:
            midi_open = start
wakes.sort()
if exec_time is None:
    exec_time = min(float(re.match(r"(\d+\.\d+)", open(f).readline()).group(1)) for f in files)
period = 1.0 / 60
ok = True
def report(name, value, goal, passed, note=""):
    global ok
    ok = ok and passed
    print(f"{'ok  ' if passed else 'MISS'} {name:<44} {value:<14} goal {goal}{note}")

title_cpu = 100.0 * (c1 - c0) / (t1 - t0)
play_cpu = 100.0 * (c3 - c2) / (t3 - t2)
report("CPU at the title (% of one core) [Xvfb]", f"{title_cpu:.2f}", "<= 5", title_cpu <= 5)
report("CPU in stage 1 (% of one core) [Xvfb]", f"{play_cpu:.2f}", "<= 5", play_cpu <= 5)
print(f"     threads in play: {threads}")
report("private memory at the title (MB)", f"{title_private / 1024:.1f}", "(info)", True,
       f"   rss {title_rss / 1024:.1f} MB, anonymous {title_anon / 1024:.1f} MB")
report("private memory in stage 1 (MB)", f"{play_private / 1024:.1f}", "<= 48",
       play_private <= 48 * 1024,
       f"   rss {play_rss / 1024:.1f} MB, anonymous {play_anon / 1024:.1f} MB")

if not wakes or midi_open is None:
    report("frame trace", "none", "frames and the stage tune's open", False)
    sys.exit(1)
startup = wakes[0] - exec_time
report("start to the first title frame (s)", f"{startup:.3f}", "<= 0.3", startup <= 0.3,
       "   (under strace)")
around = [b - a for a, b in zip(wakes, wakes[1:]) if midi_open - 0.5 <= b <= midi_open + 1.0]
worst_around = max(around) / period if around else 99
report("longest interval around the first PlayMidi", f"{worst_around:.2f} periods", "<= 2",
       worst_around <= 2)
steady = [w for w in wakes if midi_open + 2.0 <= w <= midi_open + 12.0]
rate = (len(steady) - 1) / (steady[-1] - steady[0]) if len(steady) > 1 else 0
report("frame rate over 10 s of play (1/s) [Xvfb]", f"{rate:.2f}", "60 +- 0.5", abs(rate - 60) <= 0.5)
worst = max(b - a for a, b in zip(steady, steady[1:])) / period if len(steady) > 1 else 99
report("longest interval in steady play", f"{worst:.2f} periods", "<= 1.5", worst <= 1.5)
title_frames = [w for w in wakes if w < midi_open - 0.5]
if len(title_frames) > 1:
    tw = max(b - a for a, b in zip(title_frames, title_frames[1:])) / period
    print(f"     longest interval at the title: {tw:.2f} periods")
sys.exit(0 if ok else 1)
EOF
