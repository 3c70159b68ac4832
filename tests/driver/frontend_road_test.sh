#!/usr/bin/env bash
# The front end's road through the game driver: two runs over one save
# folder. The first creates two players through the name entry (a taken name
# refused), switches back to the first and starts her story; the second
# finds them again, resumes her story, plays the map's first visit and
# chooses a location.
# Both run the scripts of tests/driver/scripts and fail on a false
# expectation; the save file is checked between them.
set -u
exe=$1
tmp=$(mktemp -d /tmp/quill-fe.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

run() {
  "$exe" --appdata "$tmp/appdata" "tests/driver/scripts/$1" >"$tmp/$1.log" 2>&1 \
    || { grep -E 'game_driver|expect' "$tmp/$1.log" | tail -5 >&2; fail "$1"; }
}
run frontend_profiles.txt
save="$tmp/appdata/Quillendar/save.dat"
[ -f "$save" ] || fail "no save file after the first run"
grep -q Alice "$save" && grep -q Bob "$save" || fail "the save file lacks a player"
# The current profile index is the int32 before the last 4 bytes.
current=$(tail -c 8 "$save" | head -c 4 | od -An -t d4 | tr -d ' ')
[ "$current" = "0" ] || fail "the save's current profile is $current, not 0"
run frontend_resume.txt
current=$(tail -c 8 "$save" | head -c 4 | od -An -t d4 | tr -d ' ')
[ "$current" = "0" ] || fail "after the second run the current profile is $current"
echo "ok: front-end road through the driver"
