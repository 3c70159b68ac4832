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

menu_colours
# The right end of the sound slider's rail (drawn at 390, 194), beyond its
# fill at any volume below 95: the options' widgets are up.
read -r rail <<<"$(patch content/images/menus/options/SliderRail.jpg 236 14)"
sliders=260x100+385+190
# OPTIONS (the menu's bottom row) until the sliders show; a late click
# lands below the options' panel. Then screenshots with the pointer away
# until the sliders stand still (the last in $last).
open_options() {
  await "$rail" "the options' sliders" 626 208 xdotool mousemove 636 729 click 1
  xdotool mousemove 1000 740
  still "$sliders" "the options' sliders"
}
music_volume() { tail -c +12 "$save" | head -c 4 | od -An -t d4 | tr -d ' '; }
sound_volume() { tail -c 4 "$save" | od -An -t d4 | tr -d ' '; }

# --- 1. Volumes changed ------------------------------------------------------------
start_game
new_player Opal
open_options
first=$last
# A click in the middle of each rail until that slider shows moved (a
# click in the frame after a widget went away is lost; a second click in
# the same place sets the same volume).
set_to_middle() { # y area what
  local end=$((SECONDS + wait_limit))
  while :; do
    xdotool mousemove 511 "$1" click 1 mousemove 1000 740
    still "$sliders" "the $3 slider"
    is_below "$(rmse "$first" "$last" "$2")" 0.01 || return 0
    [ "$SECONDS" -lt "$end" ] || fail "the $3 slider did not move in $wait_limit s"
  done
}
set_to_middle 264 260x32+385+252 music
set_to_middle 204 260x32+385+190 sound
changed=$last
# OK until the main menu is back; the save is written when the options close.
await "$sky" "the main menu after OK" 10 400 xdotool mousemove 512 614 click 1
# MUSIC_VOLUME is the int32 at bytes 11..14, SOUND_VOLUME the last four.
[ "$(music_volume) $(sound_volume)" = "64 64" ] \
  || fail "the save holds music $(music_volume) and sound $(sound_volume), not 64 and 64"
echo "ok: the sliders clicked set music and sound to 64 in the save file"

# --- 2. A restart ------------------------------------------------------------------
quit_game "$sky"
start_game
await "$sky" "the main menu of a known player" 10 400
open_options
is_below "$(rmse "$changed" "$last" "$sliders")" 0.02 || fail "after the restart the sliders differ from those left"
echo "ok: after a restart the options show the volumes left"
