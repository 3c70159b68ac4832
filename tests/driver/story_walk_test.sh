#!/usr/bin/env bash
# The whole story walked through the game driver from a fresh save folder:
# the name entry, the prologue, every scene, minigame, conversation, journal,
# map choice and chapter transition, the epilogue and the credits, back to
# the main menu (StoryWalker.h). The walk stops at a few flow entries, the
# game exits (saving), and a new process goes on from the save file through
# the main menu's PLAY.
#
#   story_walk_test.sh GAME_DRIVER MODE [STOPS...]
#
# MODE is 0 (casual) or 1 (fearless). STOPS are the flow entries where one
# process ends and the next begins (default 5 12 20); the word "end" among
# them ends the walk there instead of at the credits (a shorter walk).
set -u
# Most frames of the walk are drawn into one pixel: software GL in the
# game's own thread costs less than handing them to its raster threads, and
# the dummy audio driver mixes at the pace of real time instead of as fast
# as it can (the disk driver without a delay).
export LP_NUM_THREADS=0 SDL_AUDIODRIVER=dummy
exe=$1
mode=$2
shift 2
stops=${*:-5 12 20}
tmp=$(mktemp -d /tmp/quill-walk.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
save="$tmp/appdata/Quillendar/save.dat"
shots="$tmp/appdata/Quillendar/ScreenShots"

part=0
run() {
  part=$((part + 1))
  script="$tmp/part$part.txt"
  { echo "walk-as Walker $mode"; printf '%s\n' "$@"; echo exit; } >"$script"
  start=$(date +%s)
  "$exe" --appdata "$tmp/appdata" "$script" >"$tmp/part$part.log" 2>&1 \
    || { grep -E 'game_driver|walk|script stopped' "$tmp/part$part.log" | tail -8 >&2; fail "part $part ($*)"; }
  [ -f "$save" ] || fail "no save file after part $part"
  echo "part $part: $* in $(( $(date +%s) - start )) s," \
       "$(grep -c 'walk: shot' "$tmp/part$part.log") shots," \
       "$(grep -c 'walk: flow' "$tmp/part$part.log") save checks"
}

ended=0
for stop in $stops; do
  if [ "$stop" = end ]; then ended=1; break; fi
  run "walk flow $stop" "expect flow.index $stop" "expect profile.flowIndex $stop"
done
if [ $ended = 0 ]; then
  run "walk credits" "expect top MainMenu" "expect walk.credits 1"
  # The last score the save file held before the credits: 0 for a casual
  # player, points for a fearless one.
  score=$(grep -ho 'score [0-9]*$' "$tmp"/part*.log | tail -1 | cut -d' ' -f2)
  if [ "$mode" = 0 ]; then
    [ "$score" = 0 ] || fail "the casual walk saved a score of $score"
  else
    [ "${score:-0}" -gt 0 ] || fail "the fearless walk saved no score"
  fi
  echo "score before the credits: $score"
fi
count=$(ls "$shots" 2>/dev/null | wc -l)
[ "$count" -gt 0 ] || fail "no screenshots in $shots"
echo "ok: story walk in play mode $mode over $part processes, $count screenshots"
