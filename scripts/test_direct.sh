#!/usr/bin/env bash
# Runs every test binary of a built tree directly, as a maintainer would (one command per binary,
# no ctest), once in its own order and once shuffled under each of three seeds, side by side on the
# machine's cores. Each run's output goes to <build>/test-direct/<binary>.<order>.log; a failing
# run's log ends the output. Fails when any run fails.
#   scripts/test_direct.sh [build-dir]      (default: build, already built)
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
bin="$dir/bin"
logs="$dir/test-direct"
rm -rf "$logs"
mkdir -p "$logs"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy OMP_WAIT_POLICY=PASSIVE
export MORV_PROGRAM_DIR="$(cd "$bin" && pwd)"
shopt -s nullglob
binaries=()
for b in "$bin"/*_tests "$bin"/profile_tests_*; do
  [ -x "$b" ] && binaries+=("$(basename "$b")")
done
[ "${#binaries[@]}" -gt 0 ] || { echo "no test binaries in $bin" >&2; exit 1; }
runs=()
for b in "${binaries[@]}"; do
  for order in plain 1 7 42; do runs+=("$b $order"); done
done
run_one() {
  local b="$1" order="$2" flags=()
  [ "$order" = plain ] || flags=(--gtest_shuffle "--gtest_random_seed=$order")
  if "$bin/$b" "${flags[@]}" >"$logs/$b.$order.log" 2>&1; then
    echo "passed $b ($order)"
  else
    echo "FAILED $b ($order): $logs/$b.$order.log"
    return 1
  fi
}
export -f run_one
export bin logs
status=0
printf '%s\n' "${runs[@]}" | xargs -P "$(nproc)" -L 1 bash -c 'run_one $0 $1' || status=1
if [ "$status" -ne 0 ]; then
  for f in "$logs"/*.log; do
    grep -q '^\[  FAILED  \]' "$f" && { echo "== $f"; grep -E '^\[  FAILED  \]|Failure' "$f" | head -40; }
  done
  exit 1
fi
echo "all ${#runs[@]} runs of ${#binaries[@]} test binaries passed (in order, and shuffled with seeds 1, 7, 42)"
