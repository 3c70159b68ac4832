#!/usr/bin/env bash
# A scene's progress is saved at each step start and restored after a
# restart: the first run finds the items of the first step and ends without
# the exit's save; the second run, on the same save folder, resumes the scene
# at its second step with the same items wanted and the first ones gone.
set -u
exe=$1
tmp=$(mktemp -d /tmp/quill-resume.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cat >"$tmp/first.txt" <<'SCRIPT'
profile Resumer 1
flow 0
wait 1500
SCRIPT
for _ in 1 2 3 4 5 6 7 8; do printf 'click-wanted\nwait 300\n' >>"$tmp/first.txt"; done
cat >>"$tmp/first.txt" <<'SCRIPT'
wait 1200
expect scene.step 1
expect profile.savedStep 1
dump
SCRIPT
"$exe" --appdata "$tmp/appdata" "$tmp/first.txt" >"$tmp/first.log" 2>&1 || { grep -E "game_driver|stopped" "$tmp/first.log" | tail -5; fail "the first run failed"; }

cat >"$tmp/second.txt" <<'SCRIPT'
expect profile Resumer
expect profile.savedStep 1
expect profile.score 800
expect quests.done 0
flow 0
wait 1500
expect top QDScene
expect scene.step 1
expect scene.questStep 1
expect quests.current 1
expect scene.count.3 8
expect scene.count.2 8
expect scene.score 800
dump
SCRIPT
"$exe" --appdata "$tmp/appdata" "$tmp/second.txt" >"$tmp/second.log" 2>&1 || { grep -E "game_driver|stopped" "$tmp/second.log" | tail -5; fail "the second run failed"; }

first=$(grep -m1 '^scene.wanted=' "$tmp/first.log")
second=$(grep -m1 '^scene.wanted=' "$tmp/second.log")
[ -n "$first" ] && [ "$first" = "$second" ] || fail "the wanted items differ: '$first' / '$second'"
echo "ok: scene resumed at its saved step"
