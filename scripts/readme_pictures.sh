#!/usr/bin/env bash
# Refreshes the README's pictures: the game played headless to stage 1, stage 2 and both boss
# fights (build/bin/morv_capture), each presented frame written as PNG into docs/ (ImageMagick).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target morv_capture
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy build/bin/morv_capture "$out"
mkdir -p docs
for ppm in "$out"/*.ppm; do
  png="docs/$(basename "$ppm" .ppm).png"
  convert "$ppm" -strip -define png:exclude-chunks=date,time "$png"
  echo "wrote $png"
done
