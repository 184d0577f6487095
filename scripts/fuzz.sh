#!/usr/bin/env bash
# Builds the fuzz targets with clang, seeds each target's corpus from the generated assets in
# build-fuzz/bin (a handful of the smallest pictures, the sounds, the tunes, and pack files made
# from the pictures), every bitmap form the bitmap-forms test makes with ImageMagick and the sounds
# in the extensible WAVE form, and runs each target for a bounded time (seconds, default 20).
#   scripts/fuzz.sh [seconds] [--report]
# --report: a target that crashes does not stop the run; each target's executions and crashes are
# listed at the end (scripts/fuzz_long.sh), and the script fails if any target crashed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
report="${2:-}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DMORVENTICA_FUZZ=ON >/dev/null
shopt -s nullglob
targets=()
for src in tests/fuzz/*.cpp; do targets+=("$(basename "$src" .cpp)"); done
# Only the fuzz targets and the generated assets their corpora are seeded from.
# The engine suite writes the bitmap forms (it needs ImageMagick's convert).
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}" morv_assets engine_tests
bin=build-fuzz/bin
forms=build-fuzz/bitmap-forms
mkdir -p "$forms"
ASAN_OPTIONS=detect_leaks=0 MORV_KEEP_BITMAP_FORMS="$PWD/$forms" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  "$bin/engine_tests" --gtest_filter='Forms/DrawBitmapForms.*' > build-fuzz/bitmap-forms.log 2>&1 || {
  tail -n 20 build-fuzz/bitmap-forms.log
  exit 1
}

# The `count` smallest files matching the pattern.
smallest() {
  local count=$1
  shift
  [ "$#" -gt 0 ] || return 0
  { ls -1Sr "$@" 2>/dev/null || true; } | head -n "$count" || true
}

# A little-endian 16-bit value as two bytes, a 32-bit one as four.
u16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))"; }
u32() { u16 $(($1 & 65535)); u16 $((($1 >> 16) & 65535)); }

# A WAVE file with the plain 44-byte header rewritten in the extensible form: its format's 16
# bytes behind the extensible tag, 22 extra bytes (valid bits, speaker mask, the sub-format whose
# first word is given: 1 integer PCM, 3 floating point), then its data chunk.
extensible_wave() {
  local wav=$1 sub=$2
  local size bits
  size=$(stat -c %s "$wav")
  bits=$(od -An -tu2 -j34 -N2 "$wav" | tr -d ' ')
  printf 'RIFF'
  u32 $((size - 8 + 24))
  printf 'WAVEfmt '
  u32 40
  u16 65534
  dd if="$wav" bs=1 skip=22 count=14 status=none  # no pipe: head ending first would stop tail
  u16 22
  u16 "$bits"
  u32 4
  u32 "$sub"
  printf '\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71'
  tail -c +37 "$wav"
}

# One pack entry: width, height, the name with its end byte, width*height 16-bit pixels (the
# picture's own bytes from its pixel data on, zero-filled if it has fewer).
pack_entry() {
  local bmp=$1 name=$2
  local w h offset bytes
  w=$(od -An -tu4 -j18 -N4 "$bmp" | tr -d ' ')
  h=$(od -An -td4 -j22 -N4 "$bmp" | tr -d ' -')
  offset=$(od -An -tu4 -j10 -N4 "$bmp" | tr -d ' ')
  bytes=$((w * h * 2))
  u16 "$w"
  u16 "$h"
  printf '%s\0' "$name"
  { tail -c +"$((offset + 1))" "$bmp"; head -c "$bytes" /dev/zero; } 2>/dev/null | head -c "$bytes" ||
    true  # the pixels' source is cut off once enough is read
}

seed() {
  local name=$1
  shift
  local corpus="build-fuzz/corpus-$name"
  mkdir -p "$corpus"
  local f
  for f in "$@"; do cp -n "$f" "$corpus/seed-$(basename "$f")"; done
}

pictures=$(smallest 6 "$bin"/IMAGE/*.BMP "$bin"/IMAGE/*/*.BMP)
seed fuzz_bitmap $pictures "$forms"/*.bmp
sounds=$(smallest 4 "$bin"/SOUND/*.WAV "$bin"/SOUND/*.wav)
seed fuzz_wave $sounds
for wav in $sounds; do
  extensible_wave "$wav" 1 > "build-fuzz/corpus-fuzz_wave/seed-extensible-$(basename "$wav")"
  extensible_wave "$wav" 3 > "build-fuzz/corpus-fuzz_wave/seed-extensible-float-$(basename "$wav")"
done
seed fuzz_midi $(smallest 4 "$bin"/MIDI/*.MID "$bin"/MIDI/*.mid)
mkdir -p build-fuzz/corpus-fuzz_pack
i=0
for bmp in $pictures; do
  i=$((i + 1))
  # The entry the target asks for alone, and behind an entry of another name.
  pack_entry "$bmp" "IMAGE/COIN1.BMP" > "build-fuzz/corpus-fuzz_pack/seed-pack$i"
  { pack_entry "$bmp" "A"; pack_entry "$bmp" "IMAGE/COIN1.BMP"; } \
    > "build-fuzz/corpus-fuzz_pack/seed-pack$i-second"
done

summary=()
crashed=0
for src in tests/fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  corpus="build-fuzz/corpus-$name"
  mkdir -p "$corpus"
  echo "fuzzing $name for ${seconds}s ($(ls "$corpus" | wc -l) inputs in the corpus)"
  if [ "$report" != "--report" ]; then
    "$bin/$name" -max_total_time="$seconds" -print_final_stats=0 "$corpus" 2>&1 | tail -n 3
    continue
  fi
  crashes="build-fuzz/crashes-$name"
  mkdir -p "$crashes"
  log="build-fuzz/fuzz-$name.log"
  status=0
  "$bin/$name" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$crashes/" \
    "$corpus" > "$log" 2>&1 || status=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n 1)
  found=$(ls "$crashes" | wc -l)
  [ "$status" -eq 0 ] && [ "$found" -eq 0 ] || crashed=1
  tail -n 2 "$log"
  summary+=("$(printf '%-12s %12s executions  %s crash files  exit %s  corpus %s' "$name" \
    "${runs:-?}" "$found" "$status" "$(ls "$corpus" | wc -l)")")
done
if [ "$report" = "--report" ]; then
  echo "fuzz summary (${seconds}s each):"
  printf '  %s\n' "${summary[@]}"
  exit "$crashed"
fi
