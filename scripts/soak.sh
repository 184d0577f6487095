#!/usr/bin/env bash
# Soak: the real game headless under AddressSanitizer and UndefinedBehaviorSanitizer for a span of
# game time (minutes, default 60) with seeded random input; prints the frames, the states visited,
# the resident memory after the first minute and at the end, and the real time it took. Fails on a
# sanitizer report, an error box or resident memory that grows after the first minute.
#   scripts/soak.sh [minutes] [seed]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:-60}"
seed="${2:-1}"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DMORVENTICA_SANITIZE=ON >/dev/null
cmake --build build-sanitize -j"$(nproc)" --target morv_soak
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
start=$(date +%s)
build-sanitize/bin/morv_soak --minutes "$minutes" --seed "$seed"
echo "soak: ${minutes} minutes of game time took $(( $(date +%s) - start )) s of real time"
