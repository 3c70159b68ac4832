#!/usr/bin/env bash
# The game driver program: a script that holds passes; a false expectation
# fails naming its line; a save folder given with --appdata is kept and the
# exit writes the save file into it.
set -u
exe=$1
tmp=$(mktemp -d /tmp/quill-gd.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$exe" tests/driver/scripts/profile_and_flow.txt >"$tmp/ok.log" 2>&1 || { tail -30 "$tmp/ok.log"; fail "the script failed"; }

printf 'profile A 0\nflow 0\nexpect profile.mode 1\n' >"$tmp/bad.txt"
"$exe" "$tmp/bad.txt" >"$tmp/bad.log" 2>&1
[ $? -eq 1 ] || fail "a false expectation did not give status 1"
grep -q "line 3.*wanted '1', found '0'" "$tmp/bad.log" || fail "the failure does not name the line: $(grep game_driver "$tmp/bad.log")"

printf 'profile Kept 0\nflow 0\nstep 5\nexit\n' >"$tmp/exit.txt"
"$exe" --appdata "$tmp/appdata" "$tmp/exit.txt" >"$tmp/exit.log" 2>&1 || fail "the exit script failed"
save="$tmp/appdata/Quillendar/save.dat"
[ -f "$save" ] || fail "no save file after exit"
grep -q Kept "$save" || fail "the save file lacks the profile"
echo "ok: game driver"
