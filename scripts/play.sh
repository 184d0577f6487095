#!/usr/bin/env bash
# Sets up the machine, builds Morventica and starts the 360 x 480 window program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target morventica-w480
exec build/bin/morventica-w480 "$@"
