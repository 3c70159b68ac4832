#!/usr/bin/env bash
# The story screens through the game driver, one part per call:
#   road       the short road from the prologue to the first scene and from
#              the epilogue over the credits to the main menu and its
#              options (the music volume read back from the save file);
#   scenes     the scene jump menu (the main menu closed with code 1) and a
#              replayed scene;
#   minigames  the minigame jump menu (code 2).
set -u
exe=$1
part=$2
tmp=$(mktemp -d /tmp/quill-story.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

run() {
  "$exe" --appdata "$tmp/appdata" "tests/driver/scripts/$1" >"$tmp/$1.log" 2>&1 \
    || { grep -E 'game_driver|expect|until' "$tmp/$1.log" | tail -5 >&2; fail "$1"; }
}
case "$part" in
road)
  run story_road.txt
  save="$tmp/appdata/Quillendar/save.dat"
  [ -f "$save" ] || fail "no save file after the road"
  # MUSIC_VOLUME is the int32 at bytes 11..14.
  music=$(tail -c +12 "$save" | head -c 4 | od -An -t d4 | tr -d ' ')
  [ "$music" = "64" ] || fail "the save's music volume is $music, not 64"
  ;;
scenes) run story_jump_scenes.txt ;;
minigames) run story_jump_minigames.txt ;;
*) fail "no part '$part'" ;;
esac
echo "ok: story $part through the driver"
