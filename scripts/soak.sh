#!/usr/bin/env bash
# Soak: the real game headless with seeded random input for a span of game time (minutes, default
# 60), first under AddressSanitizer and UndefinedBehaviorSanitizer (no sanitizer report, no error
# box), then in the plain build with the same input, where resident memory must stay flat (2 MB)
# from the first whole round of the game on. Prints the frames, the states visited, the resident
# memory after the first minute and at the end, and the real time each run took.
#   scripts/soak.sh [minutes] [seed]
# Under the sanitizers the resident memory creeps up by their own bookkeeping (freed blocks held
# back, allocation records: about 150 kB a minute of game time); that run allows 2 MB + 200 kB a
# minute, the plain run allows 2 MB.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:-60}"
seed="${2:-1}"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DMORVENTICA_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$(nproc)" --target morv_soak
start=$(date +%s)
margin=$(awk -v m="$minutes" 'BEGIN { printf "%d", 2048 + 200 * m }')
build-sanitize/bin/morv_soak --minutes "$minutes" --seed "$seed" --margin-kb "$margin"
echo "soak: under the sanitizers ${minutes} minutes of game time took $(( $(date +%s) - start )) s"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target morv_soak
start=$(date +%s)
build/bin/morv_soak --minutes "$minutes" --seed "$seed"
echo "soak: in the plain build ${minutes} minutes of game time took $(( $(date +%s) - start )) s"
