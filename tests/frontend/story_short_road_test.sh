#!/usr/bin/env bash
# A fresh profile reaches the credits along the short story road, played on
# the real game executable with xdotool. The game runs in the generator's
# short-road fixture tree (tools/contentgen/shortroad.py: the generated
# content, with a story of one scene whose two steps play quest 0 and the
# last quest). Run from the repository root under scripts/with-xvfb.sh:
#   story_short_road_test.sh EXE GAME_DRIVER [SHOTS]
#  1. a fresh start asks for a name; "Play" goes through the prologue
#     (Escape), the chapter's title (Escape) and the journal (CONTINUE) to
#     the scene;
#  2. every item of the scene's item file and its key item clicked, round
#     after round, until the scene has gone;
#  3. the epilogue follows (Escape), then the credits (the book again); their
#     OK leads to a new main menu;
#  4. after "Yes" to the quit question the save holds the profile with the
#     story at its start: flow position 0 and the game started (read by the
#     game driver, which loads the same save).
# With SHOTS given, the screenshots are kept there as PNG files.
set -u
. "$(dirname "$0")/../quillendar/game_script_support.sh"
. "$(dirname "$0")/../scenes/scene_script_support.sh"
exe=$(realpath "$1")
driver=$(realpath "$2")
keep=${3:-}
[ -n "$keep" ] && keep=$(realpath -m "$keep")
repo=$(pwd)
road=$(realpath "${QUILL_FIXTURES:-build/fixtures}/shortroad")
begin_game_script road
[ -f "$road/content/config/Quests.xml" ] || fail "no short-road fixture in $road (run scripts/gen-content.sh)"
cd "$road" || fail "cannot enter $road"
export APPDATA="$tmp/appdata"
shots="$APPDATA/Quillendar/ScreenShots"
scene_dir=content/config/scene/Scene01
bg="$scene_dir/bg.jpg"
start_game

# --- 1. The name, "Play", the story's first screens, the scene ------------------------
road_colours
new_player Ria
to_scene
# The journal waits for CONTINUE, so the road always meets it, and last.
[[ $seen == *journal ]] || fail "on the way to the scene:$seen (no journal before the scene)"
xdotool mousemove 512 740
steady
start=$last
keep_shot "$start" road_scene
echo "ok: a new player's \"Play\" goes through$seen to the scene"

# --- 2. The scene played to its end ---------------------------------------------------
read_items
read -r key_x key_y key_image < <(sed -nE 's/.*image="([^"]+)".* x="([0-9.]+)" y="([0-9.]+)".*typeId="100".*/\2 \3 \1/p' \
                                    "$scene_dir/Scene.xml" | head -1)
[ -n "${key_image:-}" ] || fail "no key item in $scene_dir/Scene.xml"
read -r key_w key_h <<<"$(identify -format '%w %h' "$scene_dir/$key_image")"
# Rounds until the scene has gone, within a limit of time, not of rounds: how
# many rounds it takes depends on how far the game got between the clicks.
left=0
round=0
end=$((SECONDS + 3 * wait_limit))
while [ "$left" -eq 0 ]; do
  [ "$SECONDS" -lt "$end" ] || fail "the scene was not done after $round rounds of clicks in $((3 * wait_limit)) s"
  round=$((round + 1))
  click_all
  xdotool mousemove $(( ${key_x%.*} + key_w / 2 )) $(( ${key_y%.*} + key_h / 2 )) click 1
  xdotool mousemove 512 740
  scene_state
  [ "$state" = left ] && left=$round
done
echo "ok: the scene's two steps and its key item were done after $left rounds"

# --- 3. The epilogue and the credits --------------------------------------------------
# The epilogue (the prologue's map) may pass between two screenshots on a
# busy machine: Escape while it shows, until the credits' book does. The
# driver's story road checks the epilogue itself.
seen=""
end=$((SECONDS + 3 * wait_limit))
while [ "$SECONDS" -lt "$end" ]; do
  shot
  colour=$(patch "$last")
  if near "$colour" "$prologue"; then
    [[ $seen == *epilogue* ]] || seen="$seen epilogue"
    xdotool key Escape
  elif near "$colour" "$journal"; then
    seen="$seen credits"
    break
  fi
  sleep 0.3
done
[[ $seen == *credits ]] || fail "after the scene:${seen:- nothing known} (no credits)"
keep_shot "$last" road_credits
# The credits' OK until the main menu shows (a journal's CONTINUE would lead
# to a scene instead).
await "$sky" "the main menu after the credits' OK" 10 400 xdotool mousemove 512 736 click 1
echo "ok: the scene's end brought${seen}, then a new main menu"

# --- 4. Quit; the save ------------------------------------------------------------------
quit_game "$sky"
cd "$repo" || fail "cannot go back to $repo"
printf 'expect profile Ria\nexpect profile.flowIndex 0\nexpect profile.gameStarted 1\nexit\n' >"$tmp/save.txt"
"$driver" --appdata "$APPDATA" "$tmp/save.txt" >"$tmp/save.log" 2>&1 \
  || { grep -E 'game_driver|expect' "$tmp/save.log" | tail -5 >&2; fail "the save after the credits"; }
echo "ok: the save holds Ria at flow position 0 with the game started"
exit 0
