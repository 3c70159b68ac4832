#!/usr/bin/env bash
# The real game driven from outside with xdotool (run from the repository
# root under scripts/with-xvfb.sh): profile_and_quit_test.sh EXE
#  1. a fresh start opens the name entry over the profiles menu over the
#     main menu (the sky pixel at 10, 400 dimmed at alpha 128, then 150);
#  2. "Alice" typed in; "Alice" again is refused (the entry stays: what is
#     typed next goes to it); "Bob" made;
#  3. Alt+F4 opens the quit question over the menu; "No" returns to it;
#     Alt+F4 and "Yes" end the game with status 0; the save holds both
#     players, Bob current;
#  4. a second start goes straight to the menu; Alice is chosen in the
#     profiles menu and the quit confirmed: the save has Alice current.
set -u
. "$(dirname "$0")/../quillendar/game_script_support.sh"
exe=$(realpath "$1")
begin_game_script fe-x
export APPDATA="$tmp/appdata"
save="$APPDATA/Quillendar/save.dat"
shots="$APPDATA/Quillendar/ScreenShots"

menu_colours
# The profiles menu's panel at (300, 150) once its widgets are up: the panel
# picture is drawn at (252, 94).
read -r panel <<<"$(patch content/images/menus/profile/Bg.jpg 48 56)"
# CHANGE PROFILE (the menu's bottom row) until the profiles menu shows; a
# late click lands on the profiles menu's panel below its buttons.
open_profiles() {
  await "$panel" "the profiles menu" 300 150 xdotool mousemove 407 729 click 1
}
current_index() { tail -c 8 "$save" | head -c 4 | od -An -t d4 | tr -d ' '; }
# How many times the save file holds the name $1.
name_count() { grep -a -o "$1" "$save" | wc -l; }

# --- 1, 2. Players ---------------------------------------------------------------
start_game
await "$entry" "the name entry over the profiles menu" 10 400
echo "ok: a fresh start asks for a name"
type_name Alice
await "$sky" "the main menu after the first name" 10 400
open_profiles
# CREATE until the name entry's widgets show.
await "$cancel" "the name entry from CREATE" 366 493 xdotool mousemove 495 406 click 1
# "Alice" again is refused: the entry stays, and what is typed next goes to
# its field, in order. Had it been taken, the menu would have had the keys
# and the save would show it (below).
type_name Alice
xdotool key BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 60 Bob
xdotool key Return
await "$sky" "the main menu after \"Bob\"" 10 400

# --- 3. Quit: no, then yes -----------------------------------------------------------
# Alt+F4 until the question veils the menu; "No" until the menu is back
# (that spot of the menu holds nothing).
await "$(scaled "$sky" "$quit_veil")" "the quit question" 10 400 xdotool key alt+F4
await "$sky" "the main menu after \"No\"" 10 400 xdotool mousemove "$no_x" "$answer_y" click 1
kill -0 "$pid" 2>/dev/null || fail "\"No\" ended the game"
quit_game "$sky"
[ "$(name_count Alice) $(name_count Bob)" = "1 1" ] \
  || fail "the save holds \"Alice\" $(name_count Alice) times and \"Bob\" $(name_count Bob) times, not once each"
[ "$(current_index)" = "1" ] || fail "the save's current player is $(current_index), not 1 (Bob)"
echo "ok: a taken name refused; quit asked, declined, confirmed; the save holds Alice and Bob, Bob current"

# --- 4. A second start: Alice again --------------------------------------------
start_game
await "$sky" "the main menu of a known player" 10 400
open_profiles
# The list is up once the current player's line (Bob's, the second) is
# highlighted and Alice's is not; Alice's line is clicked until the
# highlight is on it, then OK until the menu is back (a late OK lands on
# the menu's sky).
end=$((SECONDS + wait_limit))
while :; do
  read -r highlight <<<"$(patch "$last" 400 221)"
  near "$highlight" "$(patch "$last" 400 200)" || break
  [ "$SECONDS" -lt "$end" ] || fail "the profiles menu's list never showed Bob's line highlighted"
  sleep 0.3
  shot
done
await "$highlight" "Alice's line chosen" 400 200 xdotool mousemove 512 200 click 1
await "$sky" "the main menu after choosing Alice" 10 400 xdotool mousemove 508 606 click 1
quit_game "$sky"
[ "$(current_index)" = "0" ] || fail "the save's current player is $(current_index), not 0 (Alice)"
echo "ok: the second start chose Alice; the save has her current"
exit 0
