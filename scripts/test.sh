#!/usr/bin/env bash
# Installs what is missing, generates the content, builds and runs every test:
# first a normal build, then the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer. Run from anywhere; exits non-zero on any failure.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

jobs=$(nproc 2>/dev/null || echo 4)

bash scripts/install-deps.sh
bash scripts/gen-content.sh
/usr/bin/python3 tools/check_content.py

echo "== build (RelWithDebInfo)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"

# The tests that play the real executable in real time from outside (label
# "outside") run after the rest, on their own: beside a parallel run of
# software-GL tests the game would get a small share of the processor.
# Both phases run whatever the first gave; the script fails at the end.
failed=0
echo "== tests"
ctest --test-dir build --output-on-failure -j"$jobs" -LE outside || failed=1
echo "== tests of the real executable from outside"
ctest --test-dir build --output-on-failure -j"$jobs" -L outside || failed=1

if [ "${QUILL_SKIP_SANITIZE:-0}" != "1" ]; then
  echo "== build (address and undefined-behaviour sanitizers)"
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON >/dev/null
  cmake --build build-asan -j"$jobs"
  echo "== tests (sanitizers)"
  export QUILL_SANITIZE=1
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
  # The player's long walks under xdotool (label "player") are left out
  # here: they run in real time and check what is on screen, which under the
  # sanitizers only takes several times longer. The code they go through
  # runs here in the driver's scripts and walks.
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -LE outside || failed=1
  echo "== tests of the real executable from outside (sanitizers)"
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -L outside -LE player || failed=1
  unset QUILL_SANITIZE ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
fi

if [ "${QUILL_SKIP_FUZZ:-0}" != "1" ]; then
  # Every reader briefly: about 26 targets, 8 at a time, 8 s each.
  echo "== fuzz smoke (libFuzzer, 8 s per target)"
  bash scripts/fuzz.sh -j 8 8 || failed=1
fi

if [ "$failed" -ne 0 ]; then
  echo "== some tests failed (see above)"
  exit 1
fi
