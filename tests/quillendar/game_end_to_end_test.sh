#!/usr/bin/env bash
# The real game executable from the outside. Run from the repository root
# under scripts/with-xvfb.sh (DISPLAY set): game_end_to_end_test.sh EXE [SHOTS]
#  1. no X server: one "error.txt" line (SDL failed, what was tried and SDL's
#     reason) and a non-zero exit, without waiting for a display;
#  2. no tuning file: one line on standard error and in "error.txt" (in the
#     default save folder: there is no config.xml either), exit status 1;
#  3. a fresh start on the private display: the save file holds its default
#     entries by the time the window exists; F8 screenshots show the start
#     screen (the name entry over the menus) after the logo, which shows for
#     2.5 s and is reported when a screenshot caught it (the game's window
#     tests check it with stepped time); Alt+F4 opens the quit dialog, "Yes"
#     ends the program with status 0 and the save file written.
# With SHOTS given, the screenshots are kept there as PNG files.
set -u
. "$(dirname "$0")/game_script_support.sh"
exe=$(realpath "$1")
keep=${2:-}
root=$(pwd)
begin_game_script e2e
# --- 1. No display -------------------------------------------------------------
start=$(date +%s)
APPDATA="$tmp/nodisplay" SDL_VIDEODRIVER=x11 DISPLAY=:64999 timeout "$wait_limit" "$exe" >"$tmp/nodisplay.log" 2>&1
rc=$?
took=$(( $(date +%s) - start ))
[ "$rc" -ne 0 ] || fail "no display: exit status 0"
# Nothing waits for a display: the start fails at once, and only a hang
# takes the time limit (a backstop: a loaded machine or a sanitizer build
# may take seconds to get there).
[ "$rc" -ne 124 ] || fail "no display: still running after $wait_limit s"
log="$tmp/nodisplay/Quillendar/error.txt"
[ -f "$log" ] || fail "no display: no $log"
[ "$(wc -l <"$log")" -eq 1 ] || fail "no display: error.txt has $(wc -l <"$log") lines"
grep -Eq '^Build [0-9]{6}  \| .+ \| Loading of SDL dynamically linked library and initialization of the subsystems failed\. Tried SDL_Init\(audio, video\), video driver "x11", display ":64999".* \(.+\)\.$' "$log" \
  || fail "no display: unexpected line: $(cat "$log")"
echo "ok: no display -> status $rc in ${took} s, error.txt: $(cat "$log")"

# --- 2. No tuning file ---------------------------------------------------------
mkdir -p "$tmp/empty"
(cd "$tmp/empty" && APPDATA="$tmp/empty-appdata" timeout "$wait_limit" "$exe" >"$tmp/notuning.out" 2>"$tmp/notuning.err")
rc=$?
[ "$rc" -ne 124 ] || fail "no tuning file: still running after $wait_limit s"
[ "$rc" -eq 1 ] || fail "no tuning file: exit status $rc"
[ "$(cat "$tmp/notuning.err")" = "missing content/config/GameParameters.cfg" ] \
  || fail "no tuning file: standard error was: $(cat "$tmp/notuning.err")"
log="$tmp/empty-appdata/Quillendar/error.txt"
[ -f "$log" ] || fail "no tuning file: no $log"
[ "$(wc -l <"$log")" -eq 1 ] || fail "no tuning file: error.txt has $(wc -l <"$log") lines"
grep -Eq '^Build [0-9]{6}  \| .+ \| missing content/config/GameParameters\.cfg$' "$log" \
  || fail "no tuning file: unexpected line: $(cat "$log")"
echo "ok: no tuning file -> status 1, '$(cat "$tmp/notuning.err")', error.txt: $(cat "$log")"

# --- 3. A fresh start under the private X server --------------------------------
menu_colours
export APPDATA="$tmp/appdata"
save="$APPDATA/Quillendar/save.dat"
shots="$APPDATA/Quillendar/ScreenShots"
start_game

# The save is written before the window opens: 5 entries, no profiles, ten
# empty high scores, the configuration's volumes (music 50, sound 75).
[ -f "$save" ] || fail "no save file when the window appeared"
expected_hex=$(default_save_hex)
actual_hex=$(od -An -v -tx1 "$save" | tr -d ' \n')
[ "$(stat -c %s "$save")" -eq 131 ] || fail "save file has $(stat -c %s "$save") bytes"
[ "$actual_hex" = "$expected_hex" ] || fail "save file bytes: $actual_hex"
echo "ok: fresh save file, 131 bytes of defaults, before the window"

# Screenshots from the start until the start screen shows. The logo fades in
# and out over black: a screenshot shows it when, levelled to full
# brightness, it is the logo's picture.
logo="$root/content/animations/logo/Logo.jpg"
levelled_rmse() { convert "$1" -auto-level miff:- | compare -metric RMSE - "$2" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/'; }
saw_logo=0
end=$((SECONDS + wait_limit))
while :; do
  shot
  near "$(patch "$last")" "$entry" && break
  [ "$saw_logo" -eq 0 ] && is_below "$(levelled_rmse "$last" "$logo")" 0.02 && saw_logo=$(count_shots "$shots")
  [ "$SECONDS" -lt "$end" ] || fail "no screenshot shows the start screen ($entry at 10,400) in $wait_limit s"
  sleep 0.3
done
keep_shot "$last" start_screen
if [ "$saw_logo" -gt 0 ]; then
  keep_shot "$shots/ScrShot$saw_logo.bmp" logo
  echo "ok: screenshot $saw_logo shows the logo, screenshot $(count_shots "$shots") the start screen"
else
  echo "ok: screenshot $(count_shots "$shots") shows the start screen (the logo went by between screenshots)"
fi

# Alt+F4 until the quit dialog veils the start screen; "Yes" (its left
# button) ends the game with the save written.
rm -f "$save"  # so that the save at exit shows
quit_game "$entry"
[ -f "$save" ] || fail "no save file written at the exit"
[ "$(od -An -v -tx1 "$save" | tr -d ' \n')" = "$expected_hex" ] || fail "save at exit: $(od -An -v -tx1 "$save" | tr -d ' \n')"
ls "$(dirname "$save")" | grep -q '\.tmp' && fail "a temporary save file was left behind"
echo "ok: quit dialog, 'Yes' -> exit status 0, save file written"
exit 0
