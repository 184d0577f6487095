#!/usr/bin/env bash
# Fills in the check lines of every recording (or of the ones whose file name contains $1) from a
# run of the replay test, one process per recording as ctest runs them (a test run after another in
# the same process starts from that one's leftovers).
#   tests/tools/regenerate_checkpoints.sh [name-part] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/../.."
part="${1:-}"
bin="${2:-build}/bin"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy MORV_REGENERATE_CHECKPOINTS=1
for p in w480 w600 640 800 r1_w480 r1_800; do
  for f in tests/recordings/common/*.rec tests/recordings/${p//_/-}/*.rec; do
    [ -e "$f" ] || continue
    case "$f" in *"$part"*) ;; *) continue ;; esac
    name="$(basename "$(dirname "$f")")_$(basename "$f" .rec)"
    name="${name//[^A-Za-z0-9]/_}"
    "$bin/profile_tests_$p" --gtest_filter="Recordings/Replay.*/$name" | grep -E "regenerated|FAILED" || true
  done
done
