#!/usr/bin/env bash
# The real game executable from the outside. Run from the repository root
# under scripts/with-xvfb.sh (DISPLAY set): game_end_to_end_test.sh EXE [SHOTS]
#  1. no X server: one "error.txt" line (SDL failed, what was tried and SDL's
#     reason) and a non-zero exit, fast;
#  2. no tuning file: one line on standard error and in "error.txt" (in the
#     default save folder: there is no config.xml either), exit status 1;
#  3. a fresh start on the private display: the save file holds its default
#     entries by the time the window exists; F8 screenshots show the logo and
#     then the start screen; Alt+F4 opens the quit dialog, "Yes" ends the
#     program with status 0 and the save file written.
# With SHOTS given, the screenshots are kept there as PNG files.
# Under heavy parallel load a frame can take seconds: every wait polls for
# the outcome with a generous limit instead of sleeping a fixed time.
set -u
. "$(dirname "$0")/game_script_support.sh"
exe=$(realpath "$1")
keep=${2:-}
root=$(pwd)
tmp=$(mktemp -d /tmp/quill-e2e.XXXXXX)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  for f in "$tmp"/*.log; do [ -e "$f" ] && { echo "--- $f" >&2; tail -20 "$f" >&2; }; done
  exit 1
}
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0

# --- 1. No display -------------------------------------------------------------
start=$(date +%s)
APPDATA="$tmp/nodisplay" SDL_VIDEODRIVER=x11 DISPLAY=:64999 timeout 30 "$exe" >"$tmp/nodisplay.log" 2>&1
rc=$?
took=$(( $(date +%s) - start ))
[ "$rc" -ne 0 ] || fail "no display: exit status 0"
[ "$rc" -ne 124 ] || fail "no display: still running after 30 s"
# Nothing waits for a display: the start fails at once. A loaded machine or
# a sanitizer build may still take seconds to get there.
[ "$took" -le 15 ] || fail "no display: took ${took} s"
log="$tmp/nodisplay/Quillendar/error.txt"
[ -f "$log" ] || fail "no display: no $log"
[ "$(wc -l <"$log")" -eq 1 ] || fail "no display: error.txt has $(wc -l <"$log") lines"
grep -Eq '^Build [0-9]{6}  \| .+ \| Loading of SDL dynamically linked library and initialization of the subsystems failed\. Tried SDL_Init\(audio, video\), video driver "x11", display ":64999".* \(.+\)\.$' "$log" \
  || fail "no display: unexpected line: $(cat "$log")"
echo "ok: no display -> status $rc in ${took} s, error.txt: $(cat "$log")"

# --- 2. No tuning file ---------------------------------------------------------
mkdir -p "$tmp/empty"
(cd "$tmp/empty" && APPDATA="$tmp/empty-appdata" timeout 30 "$exe" >"$tmp/notuning.out" 2>"$tmp/notuning.err")
rc=$?
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
[ -n "${DISPLAY:-}" ] || fail "run under scripts/with-xvfb.sh"
# The sky's pixel at (10, 400) under the profiles menu's dim (alpha 128) and the
# name entry's (alpha 150), worked out before the game starts so that the
# logo's few seconds are not spent on it.
read -r sr sg sb <<<"$(patch "$root/content/images/menus/main/Bg.jpg")"
entry_rgb="$((sr * 127 / 255 * 105 / 255)) $((sg * 127 / 255 * 105 / 255)) $((sb * 127 / 255 * 105 / 255))"
appdata="$tmp/appdata"
save="$appdata/Quillendar/save.dat"
APPDATA="$appdata" SDL_VIDEODRIVER=x11 "$exe" >"$tmp/game.log" 2>&1 &
pid=$!
await_window 60 || fail "no game window"

# The save is written before the window opens: 5 entries, no profiles, ten
# empty high scores, the configuration's volumes (music 50, sound 75).
[ -f "$save" ] || fail "no save file when the window appeared"
expected_hex=$(default_save_hex)
actual_hex=$(od -An -v -tx1 "$save" | tr -d ' \n')
[ "$(stat -c %s "$save")" -eq 131 ] || fail "save file has $(stat -c %s "$save") bytes"
[ "$actual_hex" = "$expected_hex" ] || fail "save file bytes: $actual_hex"
echo "ok: fresh save file, 131 bytes of defaults, before the window"

# Screenshots from the start until the start screen shows. Keys sent while
# the game is still starting are lost, and under heavy load a frame can take
# seconds, so nothing here waits a fixed time for the game: F8 is pressed
# every 0.5 s, and the screenshots are looked at once all are written, in the
# order they were taken (their numbers); meanwhile only the newest is
# checked, now and then, for the start screen. The logo fades in and out
# over black: a screenshot shows it when, levelled to full brightness, it is
# the logo's picture (so any of its 2.5 s counts, not just the second in
# between, which a slow frame can skip).
shots="$appdata/Quillendar/ScreenShots"
logo="$root/content/animations/logo/Logo.jpg"
xdotool mousemove 512 384
# One thread: the comparisons must not starve the game of the processor.
rmse() { MAGICK_THREAD_LIMIT=1 compare -metric RMSE "$1" "$2" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/'; }
levelled_rmse() { convert "$1" -auto-level miff:- | MAGICK_THREAD_LIMIT=1 compare -metric RMSE - "$2" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/'; }
is_below() { awk -v v="$1" -v t="$2" 'BEGIN { exit !(v < t) }'; }
for press in $(seq 240); do
  xdotool key F8
  sleep 0.5
  if [ $((press % 4)) -eq 0 ] && [ "$(count_shots "$shots")" -gt 1 ]; then
    newest="$shots/ScrShot$(( $(count_shots "$shots") - 1 )).bmp"
    complete "$newest" && near "$(patch "$newest")" "$entry_rgb" && break
  fi
done
settle "$shots"
saw_logo=0
saw_menu=0
for n in $(seq "$(count_shots "$shots")"); do
  file="$shots/ScrShot$n.bmp"
  if [ "$saw_menu" -eq 0 ] && is_below "$(levelled_rmse "$file" "$logo")" 0.02; then
    saw_logo=$n
  fi
  if [ "$saw_logo" -gt 0 ] && near "$(patch "$file")" "$entry_rgb"; then
    saw_menu=$n
    break
  fi
done
if [ -n "$keep" ]; then
  mkdir -p "$keep"
  [ "$saw_logo" -gt 0 ] && convert "$shots/ScrShot$saw_logo.bmp" -depth 8 "$keep/logo.png"
  [ "$saw_menu" -gt 0 ] && convert "$shots/ScrShot$saw_menu.bmp" -depth 8 "$keep/start_screen.png"
fi
[ "$saw_logo" -gt 0 ] || fail "no screenshot shows the logo"
[ "$saw_menu" -gt 0 ] || fail "no screenshot after the logo shows the start screen ($entry_rgb at 10,400)"
echo "ok: screenshot $saw_logo shows the logo, screenshot $saw_menu the start screen"

# Alt+F4 opens the quit dialog; "Yes" (its left button) ends it.
sleep 0.6  # the entry's opening clip
xdotool key alt+F4
sleep 0.8
kill -0 "$pid" 2>/dev/null || fail "Alt+F4 ended the game without asking"
# The dialog veils the start screen (a slow machine may still be fading it in).
veiled=0
for _ in $(seq 10); do
  file="$shots/ScrShot$(( $(count_shots "$shots") + 1 )).bmp"
  shot_until "$file" || fail "F8 wrote no complete $file"
  settle "$shots"
  if ! near "$(patch "$file")" "$entry_rgb"; then veiled=1; break; fi
done
[ -n "$keep" ] && convert "$file" -depth 8 "$keep/quit_dialog.png"
[ "$veiled" -eq 1 ] || fail "no quit dialog over the start screen after Alt+F4"
kill -0 "$pid" 2>/dev/null || fail "the game ended before \"Yes\""
rm -f "$save"  # so that the save at exit shows
# Clicked until the game ends: on a slow machine the dialog may not be up
# yet, and that spot of the start screen holds nothing.
answer_yes_until_exit
[ -f "$save" ] || fail "no save file written at the exit"
[ "$(od -An -v -tx1 "$save" | tr -d ' \n')" = "$expected_hex" ] || fail "save at exit: $(od -An -v -tx1 "$save" | tr -d ' \n')"
[ -e "$save.tmp" ] && fail "a temporary save file was left behind"
echo "ok: quit dialog, 'Yes' -> exit status 0, save file written"
exit 0
