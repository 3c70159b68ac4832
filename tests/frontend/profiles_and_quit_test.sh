#!/usr/bin/env bash
# The real game driven from outside with xdotool (run from the repository
# root under scripts/with-xvfb.sh): profile_and_quit_test.sh EXE
#  1. a fresh start opens the name entry over the profiles menu over the
#     main menu (the sky pixel at 10, 400 dimmed at alpha 128, then 150);
#  2. "Alice" typed in; "Alice" again is refused (the entry stays); "Bob" made;
#  3. Alt+F4 opens the quit question over the menu; "No" returns to it;
#     Alt+F4 and "Yes" end the game with status 0; the save holds both
#     players, Bob current;
#  4. a second start goes straight to the menu; Alice is chosen in the
#     profiles menu and the quit confirmed: the save has Alice current.
set -u
. "$(dirname "$0")/../quillendar/game_script_support.sh"
exe=$(realpath "$1")
root=$(pwd)
begin_game_script fe-x
export APPDATA="$tmp/appdata"
save="$APPDATA/Quillendar/save.dat"
shots="$APPDATA/Quillendar/ScreenShots"

scaled() { # "r g b" times num / den, twice when given two pairs
  awk -v c="$1" -v f="$2" 'BEGIN { split(c, x, " "); printf "%d %d %d", x[1] * f, x[2] * f, x[3] * f }'
}
read -r sky <<<"$(patch "$root/content/images/menus/main/Bg.jpg")"
# The profiles menu's panel at (300, 150) once its widgets are up: the panel
# picture is drawn at (252, 94).
read -r panel <<<"$(patch "$root/content/images/menus/profile/Bg.jpg" 48 56)"
# The name entry's CANCEL button at (366, 493) once its widgets are up: the
# button is drawn at (346, 473).
read -r button <<<"$(patch "$root/content/images/menus/SmlBtnN.jpg" 20 20)"
entry=$(scaled "$sky" "$(awk 'BEGIN { print 127 / 255 * 105 / 255 }')")
quit=$(scaled "$sky" "$(awk 'BEGIN { print 85 / 255 * 127 / 255 }')")

count=0
last=""
shot() { # F8 (again when the game was busy); the new file's name in $last
  count=$((count + 1))
  last="$shots/ScrShot$count.bmp"
  for _ in 1 2 3; do
    xdotool key F8
    for _ in $(seq 100); do [ -s "$last" ] && break; sleep 0.05; done
    [ -s "$last" ] && break
  done
  sleep 0.1
  [ -s "$last" ] || fail "F8 did not write $last"
}
# Shots until the patch is near the colour; fails after `tries` shots.
await() { # colour what [tries [x y]]
  for _ in $(seq "${3:-40}"); do
    shot
    near "$(patch "$last" "${4:-10}" "${5:-400}")" "$1" && return 0
    sleep 0.3
  done
  fail "never saw $2 (wanted $1, last $(patch "$last" "${4:-10}" "${5:-400}"))"
}
open_profiles() {
  xdotool mousemove 407 729 click 1   # CHANGE PROFILE
  await "$panel" "the profiles menu" 40 300 150
}
start_game() {
  count=$(ls "$shots" 2>/dev/null | wc -l)
  "$exe" >"$tmp/game.log" 2>&1 &
  pid=$!
  await_window 30 || fail "no game window"
  xdotool mousemove 1000 300
}
confirm_quit() {
  xdotool key alt+F4
  await "$quit" "the quit question"
  answer_yes_until_exit
}
current_index() { tail -c 8 "$save" | head -c 4 | od -An -t d4 | tr -d ' '; }
type_name() {
  await "$button" "the name entry's widgets" 40 366 493
  xdotool mousemove 536 261 click 1
  sleep 0.3
  xdotool type --delay 60 "$1"
  xdotool key Return
}

# --- 1, 2. Players ---------------------------------------------------------------
start_game
await "$entry" "the name entry over the profiles menu" 60
echo "ok: a fresh start asks for a name"
type_name Alice
await "$sky" "the main menu after the first name"
open_profiles
xdotool mousemove 495 406 click 1   # CREATE
type_name Alice
sleep 1.5
shot
near "$(patch "$last")" "$entry" || fail "a second \"Alice\" was accepted"
echo "ok: a taken name is refused"
xdotool key BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 60 Bob
xdotool key Return
await "$sky" "the main menu after \"Bob\""

# --- 3. Quit: no, then yes -----------------------------------------------------------
xdotool key alt+F4
await "$quit" "the quit question"
xdotool mousemove 583 464 click 1   # No
await "$sky" "the main menu after \"No\""
kill -0 "$pid" 2>/dev/null || fail "\"No\" ended the game"
confirm_quit
grep -q Alice "$save" && grep -q Bob "$save" || fail "the save lacks a player"
[ "$(current_index)" = "1" ] || fail "the save's current player is $(current_index), not 1 (Bob)"
echo "ok: quit asked, declined, confirmed; the save holds Alice and Bob, Bob current"

# --- 4. A second start: Alice again --------------------------------------------
start_game
await "$sky" "the main menu of a known player" 60
open_profiles
xdotool mousemove 512 200 click 1   # Alice's line
sleep 0.5
xdotool mousemove 508 606 click 1   # OK
await "$sky" "the main menu after choosing Alice"
confirm_quit
[ "$(current_index)" = "0" ] || fail "the save's current player is $(current_index), not 0 (Alice)"
echo "ok: the second start chose Alice; the save has her current"
exit 0
