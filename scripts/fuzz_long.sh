#!/usr/bin/env bash
# Runs each fuzz target for a long time (seconds, default 600 = ten minutes) from its seeded corpus
# and reports each target's executions and crashes (crash inputs land in build-fuzz/crashes-NAME/).
set -euo pipefail
cd "$(dirname "$0")/.."
exec bash scripts/fuzz.sh "${1:-600}" --report
