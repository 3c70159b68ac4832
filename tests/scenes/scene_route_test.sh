#!/usr/bin/env bash
# A new player's route into the first scene of the story, from the outside:
# the real game executable and xdotool only. Run from the repository root
# under scripts/with-xvfb.sh: scene_route_test.sh EXE [SHOTS]
#  1. a fresh start asks for a name over the main menu; a name typed in
#     makes the player (casual, the entry's default); "Play" goes through the
#     prologue (Escape skips it), the chapter's title (Escape again) and the
#     journal (its CONTINUE button) to the first flow entry's scene (its
#     background picture on screen);
#  2. clicking every item at the position its item file gives takes the
#     wanted ones out of the scene, and the goal panel follows;
#  3. Alt+F4 and "Yes" there end the game; a new start and "Play" show the
#     same scene with the same items gone;
#  4. more rounds of clicks find the rest, until the scene has left for the
#     next screen of its steps (the scene's own picture is gone).
# With SHOTS given, the screenshots are kept there as PNG files.
set -u
. "$(dirname "$0")/../quillendar/game_script_support.sh"
. "$(dirname "$0")/scene_script_support.sh"
exe=$(realpath "$1")
keep=${2:-}
scene_dir=content/config/scene/Scene01
begin_game_script route
export APPDATA="$tmp/appdata"
shots="$APPDATA/Quillendar/ScreenShots"
start_game

# --- 1. The name, "Play", the story's first screens, the scene ------------------------
bg="$scene_dir/bg.jpg"
road_colours
new_player Ria
echo "ok: a fresh start asks for a name; \"Ria\" typed in leads to the main menu"
to_scene
# The prologue and the chapter's title may pass between two screenshots on
# a busy machine (the driver's story road checks those screens). The journal
# waits for CONTINUE, so a new player's road always meets it, and last.
case "$seen" in
  *journal) ;;
  *) fail "on the way to the scene: $seen (no journal before the scene)" ;;
esac
steady
start=$last
keep_shot "$start" scene_start
echo "ok: \"Play\" goes through$seen to the first scene"

# --- 2. Every item of the item file clicked ---------------------------------------
read_items
panel=604x52+216+692
click_all
scene_state
after=$last
keep_shot "$after" scene_first_round
[ "$state" = scene ] || fail "the scene left after one round of clicks"
gone=$(gone_names "$after" | wc -w)
[ "$gone" -ge 6 ] || fail "only $gone items left the scene after every item was clicked"
is_below "$(rmse "$after" "$start" "$panel")" 0.02 && fail "the goal panel did not change"
echo "ok: one round of clicks took $gone items out of the scene, the goal panel followed"

# --- 3. Quit in the middle of the scene, start again -----------------------------
before=$(gone_names "$after")
# Alt+F4 until the quit question veils the scene (its background at 10, 400),
# "Yes" until the game ends.
quit_game "$(patch "$bg")"
start_game
await "$sky" "the main menu of a known player" 10 400
to_scene
steady
keep_shot "$last" scene_resumed
now=$(gone_names "$last")
[ "$now" = "$before" ] || fail "gone before the quit:$before; after the new start:$now"
echo "ok: after Alt+F4, \"Yes\" and a new start, \"Play\" (past:${seen:- nothing}) shows the scene with the same $(echo $now | wc -w) items gone"

# --- 4. More rounds until the scene is done --------------------------------------
# Rounds until the scene has left, within a limit of time, not of rounds: how
# many rounds it takes depends on how far the game got between the clicks.
left=0
round=1
end=$((SECONDS + 3 * wait_limit))
while [ "$left" -eq 0 ]; do
  [ "$SECONDS" -lt "$end" ] || fail "the scene was not done after $round rounds of clicks in $((3 * wait_limit)) s"
  round=$((round + 1))
  click_all
  scene_state
  [ "$state" = left ] && left=$round
done
keep_shot "$last" scene_left
kill -0 "$pid" 2>/dev/null || fail "the game ended"
echo "ok: the scene was done after $left rounds and left for its next screen"
exit 0
