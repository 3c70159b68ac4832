#!/usr/bin/env bash
# The long monkey run: random input to the real game for many frames with
# fake time (build/tests/driver/game_monkey), then a check of its resident
# memory: from frame 10,000 to the end it may grow by less than 5 %.
#
#   scripts/soak.sh [FRAMES [SEED]]     (default 100000 frames, seed from the clock)
#
# Run from anywhere; builds the monkey when it is missing. Prints the seed,
# the memory every 5,000 frames, the time taken; the monkey's whole output
# goes to build/soak/soak.log. Exits non-zero on a crash, a sanitizer report
# (when run on a sanitizer build through MONKEY=...) or too much growth.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
frames=${1:-100000}
seed=${2:-$(date +%s)}
exe=${MONKEY:-build/tests/driver/game_monkey}
if [ ! -x "$exe" ]; then
  [ -d content ] || bash scripts/gen-content.sh
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j3 --target game_monkey
fi
mkdir -p build/soak
log=build/soak/soak.log
echo "soak: $frames frames, seed $seed (log: $log)"
start=$(date +%s)
status=0
env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0 \
  scripts/with-xvfb.sh nice -n 19 "$exe" --seed "$seed" --frames "$frames" --rss-every 5000 >"$log" 2>&1 \
  || status=$?
elapsed=$(( $(date +%s) - start ))
grep -E '^(monkey|rss)' "$log" || true
if [ "$status" -ne 0 ]; then
  echo "soak: FAIL: the monkey ended with status $status after ${elapsed} s (seed $seed):" >&2
  tail -60 "$log" >&2
  exit 1
fi
# Resident memory: the first sample, the one at frame 10,000 and the last.
read -r first base last < <(awk -F'[ =]' '/^rss /{ if (!f) f=$5; if ($3==10000) b=$5; l=$5 } END { print f, b, l }' "$log")
if [ -z "$base" ] || [ -z "$last" ]; then
  echo "soak: FAIL: no memory figure at frame 10,000 (fewer frames?)" >&2
  exit 1
fi
growth=$(awk -v b="$base" -v l="$last" 'BEGIN { printf "%.2f", (l - b) * 100.0 / b }')
echo "soak: ${elapsed} s; resident memory ${first} kB first, ${base} kB at frame 10000, ${last} kB at the end (${growth} %)"
if awk -v g="$growth" 'BEGIN { exit !(g >= 5.0) }'; then
  echo "soak: FAIL: resident memory grew by ${growth} % after frame 10,000 (seed $seed)" >&2
  exit 1
fi
echo "soak: ok"
