#!/usr/bin/env bash
# The journal opened from a scene and closed back to it, played on the real
# game executable with xdotool. Run from the repository root under
# scripts/with-xvfb.sh: scene_journal_test.sh GAME_DRIVER EXE [SHOTS]
#  0. the game driver only writes the save a player has after the first
#     21 quests (a casual profile whose current quest is 21, the eighth
#     scene's first step), so that the game starts past the first scenes;
#  1. the real game: "Play" opens the map (its first visit is over), the
#     eighth location's marker the eighth scene (whose items all lie clear
#     of the staff at the bottom right);
#  2. every item of the scene's item file clicked, round after round, until
#     the scene's first step is done and its script opens the journal over
#     the scene (the book's backdrop on screen);
#  3. CONTINUE at the journal's foot closes it, and the same scene is back
#     with the items found before the journal still gone.
# With SHOTS given, the screenshots are kept there as PNG files.
set -u
. "$(dirname "$0")/../quillendar/game_script_support.sh"
. "$(dirname "$0")/scene_script_support.sh"
driver=$(realpath "$1")
exe=$(realpath "$2")
keep=${3:-}
scene_dir=content/config/scene/Scene08
bg="$scene_dir/bg.jpg"
begin_game_script journal
grep -q '<Screen type="DiaryScreen"[^>]*noPushOnLeave="1"' "$scene_dir/SceneMechanics.xml" \
  || fail "$scene_dir/SceneMechanics.xml has no journal step"

# --- 0. The save of a player at quest 21 --------------------------------------------
export APPDATA="$tmp/appdata"
shots="$APPDATA/Quillendar/ScreenShots"
printf 'profile Reader 0\nquest 21\nexit\n' >"$tmp/setup.txt"
"$driver" --appdata "$APPDATA" "$tmp/setup.txt" >"$tmp/setup.log" 2>&1 \
  || { tail -5 "$tmp/setup.log" >&2; fail "the game driver wrote no save"; }

# --- 1. "Play", the map, the eighth location ----------------------------------------
start_game
read -r sky <<<"$(patch content/images/menus/main/Bg.jpg)"
read -r journal <<<"$(patch content/images/journal/BookBg.jpg)"
await "$sky" "the main menu of a known player" 10 400
# "Play" while the menu shows, else the marker of location 7, until the
# scene shows: its opaque centre, 64 pixels into its picture from the
# corner MapLocations.xml gives.
read -r marker_x marker_y < <(sed -nE 's/.*<Location x="([0-9]+)" y="([0-9]+)".*/\1 \2/p' \
                               content/config/MapLocations.xml | sed -n 8p)
[ -n "${marker_y:-}" ] || fail "no location 7 in content/config/MapLocations.xml"
end=$((SECONDS + 2 * wait_limit))
while :; do
  shot
  fog_free "$last" && break
  [ "$SECONDS" -lt "$end" ] || fail "\"Play\" and the map's eighth marker did not lead to the eighth scene"
  if near "$(patch "$last")" "$sky"; then
    xdotool mousemove 182 729 click 1
  else
    xdotool mousemove $((marker_x + 64)) $((marker_y + 64)) click 1
  fi
  sleep 0.3
done
xdotool mousemove 512 740
steady
start=$last
keep_shot "$start" journal_scene_start
echo "ok: \"Play\", the map and its eighth marker show the eighth scene"

# --- 2. Items clicked until the journal opens -----------------------------------------
read_items
opened=0
round=0
# After each round: screenshots until the book shows (the step is done) or
# the scene has settled free of fog again (another round). Rounds go on
# within a limit of time, not of rounds: how many it takes depends on how
# far the game got between the clicks.
rounds_end=$((SECONDS + 3 * wait_limit))
while [ "$opened" -eq 0 ]; do
  [ "$SECONDS" -lt "$rounds_end" ] \
    || fail "the scene's first step was not done (no journal) after $round rounds of clicks in $((3 * wait_limit)) s"
  round=$((round + 1))
  click_all
  previous=""
  end=$((SECONDS + wait_limit))
  while :; do
    shot
    near "$(patch "$last")" "$journal" && { opened=$round; break; }
    if fog_free "$last"; then
      [ -n "$previous" ] && is_below "$(rmse "$last" "$previous" 1024x768+0+0)" 0.01 && break
      previous=$last
    else
      previous=""
    fi
    [ "$SECONDS" -lt "$end" ] || fail "neither the journal nor the settled scene after round $round"
    sleep 1
  done
done
keep_shot "$last" journal_open
echo "ok: after $opened rounds of clicks the scene's script opened the journal"

# --- 3. CONTINUE, the scene again -----------------------------------------------------
# CONTINUE answers once the book is open; the journal then closes after its
# closing voice and a fade. Clicked while the book shows (a late click lands
# on the scene's goal panel).
end=$((SECONDS + wait_limit))
while :; do
  shot
  fog_free "$last" && break
  [ "$SECONDS" -lt "$end" ] || fail "CONTINUE did not lead back to the scene"
  near "$(patch "$last")" "$journal" && xdotool mousemove 511 724 click 1
  sleep 0.5
done
xdotool mousemove 512 740
steady
keep_shot "$last" journal_closed
gone=$(gone_names "$last" | wc -w)
# The step before the journal wanted 8 items.
[ "$gone" -ge 8 ] || fail "only $gone items are gone from the scene after the journal"
kill -0 "$pid" 2>/dev/null || fail "the game ended"
echo "ok: CONTINUE closed the journal; the eighth scene is back with its $gone found items gone"
exit 0
