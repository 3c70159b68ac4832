#!/usr/bin/env bash
# Starting the game and leaving it at the main menu keeps every player's
# story position. The first run puts Ann at flow entry 2 and Bo at entry 5,
# Bo current. Then, without any play: a start left through the quit
# dialog's Yes, a start that switches to Ann in the profiles menu and ends on
# SIGTERM, and a start that switches back to Bo and resumes his story with
# PLAY, each on the save the run before left.
set -u
exe=$1
tmp=$(mktemp -d /tmp/quill-flowpos.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

run() {
  "$exe" --appdata "$tmp/appdata" "$tmp/$1.txt" >"$tmp/$1.log" 2>&1 \
    || { grep -E 'game_driver|expect' "$tmp/$1.log" | tail -5 >&2; fail "run $1"; }
}

cat >"$tmp/1.txt" <<'SCRIPT'
profile Ann 0
flow 2
profile Bo 1
flow 5
exit
SCRIPT
run 1

cat >"$tmp/2.txt" <<'SCRIPT'
until 8000 top MainMenu
expect profile Bo
expect profile.flowIndex 5
expect flow.index 5
quit
until 3000 quit.question 1
step 2
mouse click 412 463
ends 3000
SCRIPT
run 2

cat >"$tmp/3.txt" <<'SCRIPT'
until 8000 top MainMenu
expect profile Bo
expect flow.index 5
mouse click 407 729
until 3000 profilesmenu.open 1
mouse click 512 200
step 2
expect profilesmenu.selected 0
mouse click 508 606
until 3000 top MainMenu
expect profile Ann
expect profile.flowIndex 2
expect flow.index 2
signal TERM
SCRIPT
run 3

cat >"$tmp/4.txt" <<'SCRIPT'
until 8000 top MainMenu
expect profile Ann
expect profile.flowIndex 2
expect flow.index 2
mouse click 407 729
until 3000 profilesmenu.open 1
mouse click 512 230
step 2
expect profilesmenu.selected 1
mouse click 508 606
until 3000 top MainMenu
expect profile Bo
expect profile.flowIndex 5
expect flow.index 5
mouse click 183 729
until 3000 top QDScene
expect scene.id 5
expect flow.index 5
exit
SCRIPT
run 4
echo "ok: the story positions survive starts, quits and switches"
