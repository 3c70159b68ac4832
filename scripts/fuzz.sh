#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang in build-fuzz/ and runs
# each for a while over a working copy of its seed corpus.
#
# usage: scripts/fuzz.sh [-j PARALLEL] [SECONDS [TARGET...]]
#   SECONDS   run time per target (default 20)
#   TARGET    the targets to run (default: all of them)
#   -j N      run N targets at once (default 1)
#
# The targets and the globs of their seed files are declared once, in
# tests/fuzz/FuzzTargets.cmake, which writes them to build-fuzz/fuzz/targets.tsv.
# Each target's working corpus build-fuzz/fuzz-corpus/<target>/ starts with
# its seeds from the generated content/ (scripts/gen-content.sh) and the small
# committed seeds of tests/fuzz/corpus/<target>/, if any.
#
# Exits non-zero when a target crashes, leaks, times out or fails to build.
# Crash inputs are written to build-fuzz/fuzz-artifacts/<target>/ and each
# run's log to build-fuzz/fuzz-logs/<target>.log; new corpus entries go to
# build-fuzz/fuzz-corpus/<target>/, never into the committed seeds.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

parallel=1
if [ "${1:-}" = "-j" ]; then
  parallel="$2"
  shift 2
fi
seconds="${1:-20}"
[ $# -gt 0 ] && shift
targets=("$@")

build="$root/build-fuzz"
echo "== fuzz: build (clang, libFuzzer, ASan, UBSan) in $build"
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILL_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
declare -A seeds=()
all_targets=()
while IFS=$'\t' read -r name globs; do
  [ -n "$name" ] || continue
  all_targets+=("$name")
  seeds[$name]="$globs"
done <"$build/fuzz/targets.tsv"
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
  if [ -z "${seeds[$t]+set}" ]; then
    echo "fuzz: $t: no such target (see tests/fuzz/FuzzTargets.cmake)"
    exit 1
  fi
done
# One build of all of them (one make run) unless some were named.
build_targets=(fuzz_targets)
[ $# -gt 0 ] && build_targets=("${targets[@]}")
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 4)" --target "${build_targets[@]}"

mkdir -p "$build/fuzz-logs"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:allocator_may_return_null=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Runs one target; its log ends with libFuzzer's summary.
run_one() {
  local t="$1"
  local corpus="$build/fuzz-corpus/$t" artifacts="$build/fuzz-artifacts/$t"
  mkdir -p "$corpus" "$artifacts"
  # Seeds from the generated content, under names unique per source path.
  # (The unquoted list is split into globs and expanded on purpose.)
  local file
  for file in ${seeds[$t]}; do
    if [ -f "$file" ]; then cp "$file" "$corpus/seed-${file//\//_}"; fi
  done
  local committed=()
  [ -d "tests/fuzz/corpus/$t" ] && committed=("tests/fuzz/corpus/$t")
  local dict=()
  [ -f "tests/fuzz/$t.dict" ] && dict=("-dict=tests/fuzz/$t.dict")
  # -close_fd_mask=1: the readers print one line per bad input to stdout.
  # -timeout: one input of at most 8 KB reads in milliseconds; the limit only
  # catches one that hangs, minutes past what a loaded machine needs.
  "$build/fuzz/$t" "$corpus" "${committed[@]}" "${dict[@]}" \
    -max_total_time="$seconds" -timeout=120 -rss_limit_mb=2048 -malloc_limit_mb=256 \
    -max_len=8192 -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    >"$build/fuzz-logs/$t.log" 2>&1
}

failed=()
running=()
names=()
finish_one() {
  local pid="$1" t="$2"
  local runs
  if wait "$pid"; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/fuzz-logs/$t.log" | grep -o '[0-9]*$' || echo "?")
    echo "fuzz: $t: ok, $runs executions in ${seconds}s"
  else
    echo "fuzz: $t: FAILED (see $build/fuzz-logs/$t.log, inputs in $build/fuzz-artifacts/$t/)"
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$build/fuzz-logs/$t.log" | head -5 || true
    failed+=("$t")
  fi
}

echo "== fuzz: ${#targets[@]} target(s), ${seconds}s each, $parallel at a time"
for t in "${targets[@]}"; do
  if [ ! -x "$build/fuzz/$t" ]; then
    echo "fuzz: $t: no such target"
    failed+=("$t")
    continue
  fi
  run_one "$t" &
  running+=($!)
  names+=("$t")
  if [ ${#running[@]} -ge "$parallel" ]; then
    finish_one "${running[0]}" "${names[0]}"
    running=("${running[@]:1}")
    names=("${names[@]:1}")
  fi
done
while [ ${#running[@]} -gt 0 ]; do
  finish_one "${running[0]}" "${names[0]}"
  running=("${running[@]:1}")
  names=("${names[@]:1}")
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: FAILED: ${failed[*]}"
  exit 1
fi
echo "fuzz: no crash"
