#!/usr/bin/env bash
# Saves and screenshots that cannot be written, played with the game driver
# on save folders in trouble. Run from the repository root under
# scripts/with-xvfb.sh:   save_trouble_test.sh GAME_DRIVER
#  1. a full disk (made with a limit on the size of the files the driver
#     writes, RLIMIT_FSIZE, which needs no privilege and fails writes as a
#     full disk does): F8 leaves no cut screenshot, the previous save is
#     kept, and the first failed save of the run is told in error.txt, once;
#  2. a save folder that cannot be written (as root: without the right to
#     override file permissions) holding a writable error.txt: the save is
#     kept, one line in error.txt;
#  3. a save folder that is a file: nothing is written, the line goes to
#     standard error, once.
set -u
exe=$1
tmp=$(mktemp -d /tmp/quill-savetrouble.XXXXXX)
trap 'chmod -R u+w "$tmp" 2>/dev/null; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; for f in "$tmp"/*.log; do echo "--- $f" >&2; grep -E 'error|warning|game_driver' "$f" | tail -8 >&2; done; exit 1; }
# Files may not grow past the limit: the write fails (EFBIG) instead of the
# process receiving SIGXFSZ. Ignored here, it stays ignored in the driver.
trap '' XFSZ

# A save with a few profiles, far larger than an error.txt line.
setup() {
  printf 'profile Ann 0\nflow 2\nprofile Bo 1\nflow 3\nprofile Cyd 0\nflow 4\nexit\n' >"$tmp/setup.txt"
  "$exe" --appdata "$1" "$tmp/setup.txt" >"$tmp/setup.log" 2>&1 || fail "the setup run failed"
}
# The lines of error.txt about saves.
save_lines() { grep -c 'The game could not be saved' "$1" 2>/dev/null; }
printf 'key F8\nstep 2\nprofile Dee 1\nflow 2\nkey F8\nstep 2\nexit\n' >"$tmp/play.txt"

# --- 1. A full disk -------------------------------------------------------------
folder="$tmp/full/Quillendar"
setup "$tmp/full"
cp "$folder/save.dat" "$tmp/full.before"
size=$(stat -c %s "$folder/save.dat")
[ "$size" -gt 600 ] || fail "the setup save has only $size bytes"
limit=$((size - 1))
# The driver's output goes through a pipe, which the limit does not touch.
prlimit --fsize="$limit" -- "$exe" --appdata "$tmp/full" "$tmp/play.txt" 2>&1 | cat >"$tmp/full.log"
rc=${PIPESTATUS[0]}
[ "$rc" -eq 0 ] || fail "full disk: the driver ended with status $rc"
failed=$(grep -c 'save: writing .*File too large' "$tmp/full.log")
[ "$failed" -ge 2 ] || fail "full disk: $failed saves failed; the trial needs two or more"
cut=$(grep -c 'screenshot .* could not be written whole.*removed' "$tmp/full.log")
[ "$cut" -eq 2 ] || fail "full disk: $cut screenshots reported as removed"
shots=$(ls "$folder/ScreenShots" 2>/dev/null | wc -l)
[ "$shots" -eq 0 ] || fail "full disk: screenshots left: $(ls -l "$folder/ScreenShots")"
cmp -s "$folder/save.dat" "$tmp/full.before" || fail "full disk: the previous save was not kept"
[ "$(wc -l <"$folder/error.txt")" -eq 1 ] || fail "full disk: error.txt has $(wc -l <"$folder/error.txt") lines"
grep -Eq '^Build [0-9]{6}  \| .+ \| The game could not be saved: writing ".*/save\.dat\.tmp\.[0-9]+\.[0-9]+" failed \((write|flush) failed: File too large\); the previous save is kept$' "$folder/error.txt" \
  || fail "full disk: unexpected line: $(cat "$folder/error.txt")"
ls "$folder" | grep -q '\.tmp' && fail "full disk: temporary files left: $(ls "$folder")"
echo "ok: full disk ($limit bytes a file) -> $failed failed saves, 1 line in error.txt, $cut screenshots removed, none left, the $size-byte save kept"

# --- 2. A save folder that cannot be written --------------------------------------
folder="$tmp/readonly/Quillendar"
setup "$tmp/readonly"
cp "$folder/save.dat" "$tmp/readonly.before"
: >"$folder/error.txt"
chmod 0555 "$folder"
# Root writes anywhere: without CAP_DAC_OVERRIDE it meets the folder's
# permissions as any owner does.
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --bounding-set -dac_override,-dac_read_search --)
"${as_user[@]}" "$exe" --appdata "$tmp/readonly" "$tmp/play.txt" >"$tmp/readonly.log" 2>&1
rc=$?
chmod 0755 "$folder"
[ "$rc" -eq 0 ] || fail "read-only folder: the driver ended with status $rc"
failed=$(grep -c 'save: cannot create .*Permission denied; the previous save is kept' "$tmp/readonly.log")
[ "$failed" -ge 2 ] || fail "read-only folder: $failed saves failed; the trial needs two or more"
cmp -s "$folder/save.dat" "$tmp/readonly.before" || fail "read-only folder: the save changed"
[ "$(wc -l <"$folder/error.txt")" -eq 1 ] || fail "read-only folder: error.txt has $(wc -l <"$folder/error.txt") lines"
grep -Eq '^Build [0-9]{6}  \| .+ \| The game could not be saved: cannot create ".*/save\.dat\.tmp\.[0-9]+\.[0-9]+": Permission denied; the previous save is kept$' "$folder/error.txt" \
  || fail "read-only folder: unexpected line: $(cat "$folder/error.txt")"
echo "ok: read-only folder -> $failed failed saves, 1 line in error.txt, the save kept"

# --- 3. A save folder that is a file ----------------------------------------------
mkdir -p "$tmp/file"
echo "not a folder" >"$tmp/file/Quillendar"
"$exe" --appdata "$tmp/file" "$tmp/play.txt" >"$tmp/file.log" 2>"$tmp/file.err"
rc=$?
[ "$rc" -eq 0 ] || fail "folder that is a file: the driver ended with status $rc"
[ "$(cat "$tmp/file/Quillendar")" = "not a folder" ] || fail "folder that is a file: the file changed"
[ "$(save_lines "$tmp/file.err")" -eq 1 ] || fail "folder that is a file: $(save_lines "$tmp/file.err") lines on standard error"
echo "ok: save folder that is a file -> nothing written, 1 line on standard error"
exit 0
