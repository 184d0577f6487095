#!/usr/bin/env bash
# Fills in the check lines of every recording (or of the ones whose test name contains $1: the
# folder and file name, e.g. w480_mouse_control) from a run of each profile's replay test.
#   tests/tools/regenerate_checkpoints.sh [name-part] [build-dir]
set -euo pipefail
cd "$(dirname "$0")/../.."
part="${1:-}"
part="${part//[^A-Za-z0-9]/_}"
bin="${2:-build}/bin"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy MORV_REGENERATE_CHECKPOINTS=1
for p in w480 w600 640 800 r1_w480 r1_800; do
  "$bin/profile_tests_$p" --gtest_filter="Recordings/Replay.*/*$part*" | grep -E "regenerated|FAILED" || true
done
