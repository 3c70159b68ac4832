#!/usr/bin/env bash
# Every button of both jump menus, through the game driver (the menus open
# when the main menu closes with code 1 or 2, which no button of the game
# gives): each "Scene NN" button clicked shows the scene of that flow entry
# as a replay, each "Minigame NN" button the minigame of that quest. What
# each button must open is read from the generated content, not from the
# menus: flow entry i of GameFlow.xml for the scenes, and for the minigames
# the quest-carrying Screen steps of the scenes' scripts in flow order (the
# quests the story plays its minigames at). After each, the screen is closed
# the way the game closes it (a replayed scene as finished, a minigame as
# skipped) and the same menu must be back, ready for the next click.
# Run from the repository root under scripts/with-xvfb.sh:
#   jump_menus_test.sh GAME_DRIVER scenes|minigames
set -u
exe=$1
part=$2
tmp=$(mktemp -d /tmp/quill-jump.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
flow=content/config/GameFlow.xml
script="$tmp/jump.txt"

# The menus' grid: a column at x (buttons 256 wide), rows at y (30 high);
# a click at the middle of each button, in caption order.
clicks() { # x y...
  local x=$1
  shift
  for y in "$@"; do echo "$((x + 128)) $((y + 15))"; done
}

cat >"$script" <<EOF
profile Jumper 1
until 8000 top MainMenu
until 3000 top.state idle
EOF
case "$part" in
scenes)
  mapfile -t expected < <(sed -nE 's/.*<Screen [^>]*type="scene"[^>]*sceneId="([0-9]+)".*/\1/p' "$flow")
  [ "${#expected[@]}" -eq 26 ] || fail "$flow has ${#expected[@]} scene entries, not 26"
  mapfile -t at < <(clicks 20 60 105 150 195 240 285 375 420 465 510 555
                    clicks 320 60 105 150 195 240 375 420 465 510
                    clicks 620 60 105 150 195 240 285)
  menu=ScenesMenu
  echo "close-top 1" >>"$script"
  for i in "${!expected[@]}"; do
    cat >>"$script" <<EOF
until 3000 top $menu
until 3000 top.state idle
log Scene $(printf %02d $((i + 1)))
mouse click ${at[$i]}
until 5000 top QDScene
expect flow.index $i
expect scene.id ${expected[$i]}
expect scene.replay 1
until 3000 top.state idle
close-top 1001
EOF
  done
  ;;
minigames)
  mapfile -t expected < <(
    for folder in $(sed -nE 's/.*<Screen [^>]*type="scene"[^>]*configPath="([^"]+)".*/\1/p' "$flow"); do
      sed -nE 's/.*<Screen type="(Mg[A-Za-z]+)" questId="([0-9]+)".*/\1 \2/p' "$folder/SceneMechanics.xml"
    done)
  [ "${#expected[@]}" -eq 25 ] || fail "the scene scripts open ${#expected[@]} minigames, not 25"
  rows="60 105 150 195 240 330 375 420 465 510"
  mapfile -t at < <(clicks 20 $rows; clicks 320 $rows; clicks 620 $rows)
  menu=MiniGamesMenu
  echo "close-top 2" >>"$script"
  for i in "${!expected[@]}"; do
    set -- ${expected[$i]}
    cat >>"$script" <<EOF
until 3000 top $menu
until 3000 top.state idle
log Minigame $(printf %02d $((i + 1)))
mouse click ${at[$i]}
until 5000 top $1
expect minigame.quest $2
until 3000 top.state idle
close-top 1000
EOF
  done
  ;;
*) fail "no part '$part'" ;;
esac
cat >>"$script" <<EOF
until 3000 top $menu
until 3000 top.state idle
key escape
until 3000 top MainMenu
exit
EOF

"$exe" --appdata "$tmp/appdata" "$script" >"$tmp/log" 2>&1 \
  || { grep -E 'game_driver|expect|until|^Scene|^Minigame|log' "$tmp/log" | tail -8 >&2; fail "$part"; }
echo "ok: all ${#expected[@]} buttons of $menu open their screens and lead back to it"
