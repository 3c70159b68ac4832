#!/usr/bin/env bash
# A build folder configured as Release and then reconfigured with the run
# command's build type (RelWithDebInfo) rebuilds in parallel, and its tests
# are listed by ctest. Test programs must not be run while the build links
# them: the cases are listed when ctest runs, never as a build step.
#
# Usage: rebuild_after_build_type_switch_test.sh SOURCE_DIR SCRATCH_DIR
# SCRATCH_DIR is emptied first and removed when the test passes.
set -u
src=$1
dir=$2
cmake_cmd=${CMAKE_COMMAND:-cmake}
ctest_cmd=${CTEST_COMMAND:-ctest}
program=core_tests
targets=(engine_core "$program")
fail() { echo "FAIL: $*" >&2; exit 1; }

# Configures `dir` with build type $1 and builds the targets with 4 jobs.
configure_and_build() {
  "$cmake_cmd" -S "$src" -B "$dir" -DCMAKE_BUILD_TYPE="$1" >"$dir.log" 2>&1 ||
    fail "configure as $1: $(tail -20 "$dir.log")"
  "$cmake_cmd" --build "$dir" -j4 --target "${targets[@]}" >"$dir.log" 2>&1 ||
    fail "build as $1: $(tail -40 "$dir.log")"
}

# The build must leave the case list to ctest.
check_not_listed_by_build() {
  local listed
  listed=$(find "$dir/tests" -name "${program}*_tests.cmake" -print -quit)
  [ -z "$listed" ] || fail "the $1 build listed the cases itself ($listed)"
}

has_debug_info() { readelf -S "$1" 2>/dev/null | grep -q '\.debug_info'; }

rm -rf "$dir" "$dir.log"
mkdir -p "$dir"

configure_and_build Release
exe=$(find "$dir/tests" -type f -name "$program" -perm -u+x -print -quit)
[ -n "$exe" ] || fail "no $program after the Release build"
has_debug_info "$exe" && fail "the Release build of $program carries debug information"
check_not_listed_by_build Release

configure_and_build RelWithDebInfo
grep -q '^CMAKE_BUILD_TYPE:[A-Z]*=RelWithDebInfo$' "$dir/CMakeCache.txt" ||
  fail "the folder was not reconfigured as RelWithDebInfo"
has_debug_info "$exe" || fail "$program was not rebuilt for RelWithDebInfo"
check_not_listed_by_build RelWithDebInfo

listing=$("$ctest_cmd" --test-dir "$dir" -N 2>&1) || fail "ctest -N: $listing"
cases=$(grep -c ": $program\.[A-Za-z0-9_]*\.[A-Za-z0-9_]*$" <<<"$listing")
[ "$cases" -gt 0 ] || fail "ctest -N lists no case of $program: $listing"
grep -q ": ${program}_NOT_BUILT$" <<<"$listing" && fail "ctest sees $program as not built"

rm -rf "$dir" "$dir.log"
echo "ok: Release then RelWithDebInfo rebuilt ${targets[*]}; ctest lists $cases cases of $program"
