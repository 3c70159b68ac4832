#!/usr/bin/env bash
# The options from outside with xdotool (run from the repository root under
# scripts/with-xvfb.sh): options_restart_test.sh EXE
#  1. a fresh start, a name typed in, OPTIONS: clicks in the middle of the
#     music and sound sliders set both volumes to 64; OK writes them into the
#     save file;
#  2. Alt+F4 and "Yes", a new start, OPTIONS again: the sliders show as they
#     were left, not as on the first opening.
set -u
. "$(dirname "$0")/../quillendar/game_script_support.sh"
exe=$(realpath "$1")
begin_game_script options
export APPDATA="$tmp/appdata"
save="$APPDATA/Quillendar/save.dat"
shots="$APPDATA/Quillendar/ScreenShots"

read -r sky <<<"$(patch content/images/menus/main/Bg.jpg)"
entry=$(awk -v c="$sky" 'BEGIN { split(c, x, " "); f = 127 / 255 * 105 / 255;
  printf "%d %d %d", x[1] * f, x[2] * f, x[3] * f }')
# The right end of the sound slider's rail (drawn at 390, 194), beyond its
# fill at any volume below 95: the options' widgets are up.
read -r rail <<<"$(patch content/images/menus/options/SliderRail.jpg 236 14)"
sliders=260x100+385+190
last=""
shot() { # F8; the new screenshot's path in $last
  last="$shots/ScrShot$(( $(count_shots "$shots") + 1 )).bmp"
  shot_until "$last" || fail "F8 wrote no complete $last"
}
await() { # colour what x y: screenshots until the patch at (x, y) is near
  for _ in $(seq 150); do
    shot
    near "$(patch "$last" "$3" "$4")" "$1" && return 0
    sleep 0.3
  done
  fail "never saw $2 (wanted $1, last $(patch "$last" "$3" "$4"))"
}
start_game() {
  "$exe" >>"$tmp/game.log" 2>&1 &
  pid=$!
  await_window 60 || fail "no game window"
  xdotool mousemove 1000 300
}
open_options() { # the options' slider area, pointer away, in $last
  xdotool mousemove 636 729 click 1
  await "$rail" "the options' sliders" 626 208
  xdotool mousemove 1000 740
  sleep 0.3
  shot
}
rmse() { MAGICK_THREAD_LIMIT=1 compare -metric RMSE "$1[$3]" "$2[$3]" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/'; }
below() { awk -v v="$1" -v t="$2" 'BEGIN { exit !(v < t) }'; }

# --- 1. Volumes changed ------------------------------------------------------------
start_game
await "$entry" "the name entry over the main menu" 10 400
xdotool mousemove 536 261 click 1
sleep 0.3
xdotool type --delay 60 Opal
xdotool key Return
await "$sky" "the main menu after the name" 10 400
open_options
first=$last
xdotool mousemove 511 264 click 1
sleep 0.2
xdotool mousemove 511 204 click 1
xdotool mousemove 1000 740
sleep 0.3
shot
changed=$last
xdotool mousemove 512 614 click 1
await "$sky" "the main menu after OK" 10 400
# MUSIC_VOLUME is the int32 at bytes 11..14, SOUND_VOLUME the last four.
music=$(tail -c +12 "$save" | head -c 4 | od -An -t d4 | tr -d ' ')
sound=$(tail -c 4 "$save" | od -An -t d4 | tr -d ' ')
[ "$music $sound" = "64 64" ] || fail "the save holds music $music and sound $sound, not 64 and 64"
below "$(rmse "$first" "$changed" "$sliders")" 0.01 && fail "the sliders did not move"
echo "ok: the sliders clicked set music and sound to 64 in the save file"

# --- 2. A restart ------------------------------------------------------------------
xdotool key alt+F4
for _ in $(seq 40); do
  kill -0 "$pid" 2>/dev/null || break
  xdotool mousemove 413 464 click 1
  sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "still running 20 s after clicking \"Yes\""
wait "$pid" || fail "exit status $? after \"Yes\""
pid=""
start_game
await "$sky" "the main menu of a known player" 10 400
open_options
below "$(rmse "$changed" "$last" "$sliders")" 0.02 || fail "after the restart the sliders differ from those left"
echo "ok: after a restart the options show the volumes left"
