#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time (seconds, default 20).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DMORVENTICA_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)"
shopt -s nullglob
for src in tests/fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  corpus="build-fuzz/corpus-$name"
  mkdir -p "$corpus"
  echo "fuzzing $name for ${seconds}s"
  "build-fuzz/bin/$name" -max_total_time="$seconds" -print_final_stats=0 "$corpus" 2>&1 | tail -n 3
done
