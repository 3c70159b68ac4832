#!/usr/bin/env bash
# Plays a game-driver script under valgrind's memcheck and checks that the
# game's own code makes no memory error and loses no memory:
#
#   scripts/memcheck.sh [SCRIPT]     (default tests/driver/scripts/story_walk.txt)
#
# Run from anywhere; builds build/tests/driver/game_driver when it is missing
# and installs valgrind when it is missing. The full valgrind log goes to
# build/memcheck/memcheck.log. Exits 0 with "0 errors" and "0 bytes
# definitely lost" after scripts/memcheck.supp, whose entries cover only the
# system libraries (X11, Mesa, SDL, the C runtime), each with its reason.
# The run is slow (valgrind runs the software GL too): the whole story walk
# takes about an hour, tests/driver/scripts/profile_and_flow.txt five minutes.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
script=${1:-tests/driver/scripts/story_walk.txt}
[ -f "$script" ] || { echo "memcheck: no script $script" >&2; exit 2; }

if ! command -v valgrind >/dev/null 2>&1; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  echo "memcheck: installing valgrind"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends valgrind >/dev/null
fi

exe=build/tests/driver/game_driver
if [ ! -x "$exe" ]; then
  [ -d content ] || bash scripts/gen-content.sh
  cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build -j3 --target game_driver
fi

out=build/memcheck
mkdir -p "$out"
log="$out/memcheck.log"
echo "memcheck: $script under valgrind (log: $log)"
start=$(date +%s)
status=0
# One GL thread (LP_NUM_THREADS=0): valgrind serialises threads anyway, and
# llvmpipe's worker threads only add noise and time. Mesa's driver is loaded
# for the whole process: SDL unloads it at SDL_Quit, and the leak report at
# the end would otherwise show its frames as "???", which no suppression can
# name.
dri=/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so
preload=""
[ -e "$dri" ] && preload="LD_PRELOAD=$dri"
env SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0 LP_NUM_THREADS=0 \
  scripts/with-xvfb.sh env $preload nice -n 19 valgrind --tool=memcheck --leak-check=full \
    --show-leak-kinds=definite --errors-for-leak-kinds=definite \
    --suppressions=scripts/memcheck.supp --num-callers=40 --error-exitcode=99 \
    --log-file="$log" "$exe" "$script" >"$out/driver.log" 2>&1 || status=$?
elapsed=$(( $(date +%s) - start ))

errors=$(sed -n 's/.*ERROR SUMMARY: \([0-9,]*\) errors.*/\1/p' "$log" | tail -1 | tr -d ,)
lost=$(sed -n 's/.*definitely lost: \([0-9,]*\) bytes.*/\1/p' "$log" | tail -1 | tr -d ,)
errors=${errors:-?}
lost=${lost:-0}
echo "memcheck: ${elapsed} s, $errors errors, $lost bytes definitely lost (driver status $status)"
if [ "$status" -ne 0 ] && [ "$status" -ne 99 ]; then
  echo "memcheck: the driver script failed:" >&2
  tail -5 "$out/driver.log" >&2
  exit 1
fi
if [ "$errors" != "0" ] || [ "$lost" != "0" ]; then
  echo "memcheck: see $log" >&2
  exit 1
fi
echo "memcheck: clean"
