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
appdata="$tmp/appdata"
shots="$appdata/Quillendar/ScreenShots"
printf 'profile Reader 0\nquest 21\nexit\n' >"$tmp/setup.txt"
"$driver" --appdata "$appdata" "$tmp/setup.txt" >"$tmp/setup.log" 2>&1 \
  || { tail -5 "$tmp/setup.log" >&2; fail "the game driver wrote no save"; }

# --- 1. "Play", the map, the eighth location ----------------------------------------
APPDATA="$appdata" SDL_VIDEODRIVER=x11 "$exe" >>"$tmp/game.log" 2>&1 &
pid=$!
await_window 60 || fail "no game window"
xdotool mousemove 1000 300
read -r sky <<<"$(patch content/images/menus/main/Bg.jpg)"
read -r journal <<<"$(patch content/images/journal/BookBg.jpg)"
await "$sky" "the main menu of a known player" 150
# "Play" until the menu leaves, then the marker of location 7 until the
# scene shows: its opaque centre, 64 pixels into its picture from the
# corner MapLocations.xml gives.
read -r marker_x marker_y < <(sed -nE 's/.*<Location x="([0-9]+)" y="([0-9]+)".*/\1 \2/p' \
                               content/config/MapLocations.xml | sed -n 8p)
[ -n "${marker_y:-}" ] || fail "no location 7 in content/config/MapLocations.xml"
# The scene is told by its top strip free of fog: the map's gradient
# correlates with some scenes' backgrounds, so the strip must match.
for _ in $(seq 100); do
  file=$(shot)
  fog_free "$file" && break
  if near "$(patch "$file")" "$sky"; then
    xdotool mousemove 182 729 click 1
  else
    xdotool mousemove $((marker_x + 64)) $((marker_y + 64)) click 1
  fi
  sleep 0.3
done
fog_free "$file" || fail "\"Play\" and the map's eighth marker did not lead to the eighth scene"
xdotool mousemove 512 740
steady
start=$file
keep_shot "$start" journal_scene_start
echo "ok: \"Play\", the map and its eighth marker show the eighth scene"

# --- 2. Items clicked until the journal opens -----------------------------------------
read_items
opened=0
# After each round: screenshots until the book shows (the step is done) or
# the scene is free of fog again (another round).
for round in 1 2 3 4 5 6; do
  click_all
  for _ in $(seq 60); do
    file=$(shot)
    near "$(patch "$file")" "$journal" && { opened=$round; break; }
    fog_free "$file" && break
    sleep 0.5
  done
  [ "$opened" -gt 0 ] && break
done
[ "$opened" -gt 0 ] || fail "the scene's first step was not done (no journal) after 6 rounds of clicks"
keep_shot "$file" journal_open
echo "ok: after $opened rounds of clicks the scene's script opened the journal"

# --- 3. CONTINUE, the scene again -----------------------------------------------------
# CONTINUE answers once the book is open; the journal then closes after its
# closing voice and a fade.
for _ in $(seq 60); do
  file=$(shot)
  fog_free "$file" && break
  near "$(patch "$file")" "$journal" && xdotool mousemove 511 724 click 1
  sleep 0.5
done
fog_free "$file" || fail "CONTINUE did not lead back to the scene"
xdotool mousemove 512 740
steady
keep_shot "$file" journal_closed
gone=$(gone_names "$file" | wc -w)
# The step before the journal wanted 8 items.
[ "$gone" -ge 8 ] || fail "only $gone items are gone from the scene after the journal"
kill -0 "$pid" 2>/dev/null || fail "the game ended"
echo "ok: CONTINUE closed the journal; the eighth scene is back with its $gone found items gone"
exit 0
