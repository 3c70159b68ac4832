#!/usr/bin/env bash
# The real game executable from the outside. Run from the repository root
# under scripts/with-xvfb.sh (DISPLAY set): game_end_to_end_test.sh EXE [SHOTS]
#  1. no X server: one "error.txt" line (SDL failed) and a non-zero exit, fast;
#  2. no tuning file: one line on standard error and exit status 1;
#  3. a fresh start on the private display: the save file holds its default
#     entries by the time the window exists; F8 screenshots show the logo and
#     then the start screen; Alt+F4 opens the quit dialog, "Yes" ends the
#     program with status 0 and the save file written.
# With SHOTS given, the screenshots are kept there as PNG files.
set -u
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
APPDATA="$tmp/nodisplay" SDL_VIDEODRIVER=x11 DISPLAY=:64999 timeout 10 "$exe" >"$tmp/nodisplay.log" 2>&1
rc=$?
took=$(( $(date +%s) - start ))
[ "$rc" -ne 0 ] || fail "no display: exit status 0"
[ "$rc" -ne 124 ] || fail "no display: still running after 10 s"
[ "$took" -le 5 ] || fail "no display: took ${took} s"
log="$tmp/nodisplay/Quillendar/error.txt"
[ -f "$log" ] || fail "no display: no $log"
[ "$(wc -l <"$log")" -eq 1 ] || fail "no display: error.txt has $(wc -l <"$log") lines"
grep -Eq '^Build [0-9]{6}  \| .+ \| Loading of SDL dynamically linked library and initialization of the subsystems failed\.$' "$log" \
  || fail "no display: unexpected line: $(cat "$log")"
echo "ok: no display -> status $rc in ${took} s, error.txt: $(cat "$log")"

# --- 2. No tuning file ---------------------------------------------------------
mkdir -p "$tmp/empty"
(cd "$tmp/empty" && APPDATA="$tmp/empty-appdata" timeout 10 "$exe" >"$tmp/notuning.out" 2>"$tmp/notuning.err")
rc=$?
[ "$rc" -eq 1 ] || fail "no tuning file: exit status $rc"
[ "$(cat "$tmp/notuning.err")" = "missing content/config/GameParameters.cfg" ] \
  || fail "no tuning file: standard error was: $(cat "$tmp/notuning.err")"
echo "ok: no tuning file -> status 1, '$(cat "$tmp/notuning.err")'"

# --- 3. A fresh start under the private X server --------------------------------
[ -n "${DISPLAY:-}" ] || fail "run under scripts/with-xvfb.sh"
appdata="$tmp/appdata"
save="$appdata/Quillendar/save.dat"
APPDATA="$appdata" SDL_VIDEODRIVER=x11 "$exe" >"$tmp/game.log" 2>&1 &
pid=$!
timeout 20 xdotool search --sync --name '^Quillendar$' >/dev/null || fail "no game window"

# The save is written before the window opens: 5 entries, no profiles, ten
# empty high scores, the configuration's volumes (music 50, sound 75).
[ -f "$save" ] || fail "no save file when the window appeared"
scores=""
for _ in $(seq 10); do scores="${scores}06000000 2d 00 00000000 "; done
expected="05000000 5144303031 01 00 32000000 00000000 0a000000 ${scores}ffffffff 4b000000"
expected_hex=$(echo "$expected" | tr -d ' ')
actual_hex=$(od -An -v -tx1 "$save" | tr -d ' \n')
[ "$(stat -c %s "$save")" -eq 131 ] || fail "save file has $(stat -c %s "$save") bytes"
[ "$actual_hex" = "$expected_hex" ] || fail "save file bytes: $actual_hex"
echo "ok: fresh save file, 131 bytes of defaults, before the window"

# Screenshots every 300 ms until the start screen shows (at most 12 s).
shots="$appdata/Quillendar/ScreenShots"
logo="$root/content/animations/logo/Logo.jpg"
menu="$root/content/images/menus/main/Bg.jpg"
xdotool mousemove 512 384
rmse() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/'; }
is_below() { awk -v v="$1" -v t="$2" 'BEGIN { exit !(v < t) }'; }
saw_logo=0
saw_menu=0
# Keys sent while the game is still starting are lost: F8 is pressed until
# the first screenshot is written.
for _ in $(seq 60); do
  xdotool key F8
  sleep 0.5
  [ -s "$shots/ScrShot1.bmp" ] && break
done
for n in $(seq 1 40); do
  if [ "$n" -gt 1 ]; then
    sleep 0.3
    xdotool key F8
  fi
  file="$shots/ScrShot$n.bmp"
  for _ in $(seq 50); do [ -s "$file" ] && break; sleep 0.05; done
  [ -s "$file" ] || fail "F8 did not write $file"
  sleep 0.1  # the BMP may still be written
  if [ "$saw_menu" -eq 0 ] && is_below "$(rmse "$file" "$logo")" 0.02; then
    saw_logo=$n
  fi
  if [ "$saw_logo" -gt 0 ] && is_below "$(rmse "$file" "$menu")" 0.08; then
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
[ "$saw_menu" -gt 0 ] || fail "no screenshot after the logo shows the start screen"
echo "ok: screenshot $saw_logo shows the logo, screenshot $saw_menu the start screen"

# Alt+F4 opens the quit dialog; "Yes" (the left button of its row) ends it.
sleep 0.6  # the menu's fade-in
xdotool key alt+F4
sleep 0.8
kill -0 "$pid" 2>/dev/null || fail "Alt+F4 ended the game without asking"
# The next number after every screenshot written so far.
file="$shots/ScrShot$(( $(ls "$shots" | wc -l) + 1 )).bmp"
xdotool key F8
for _ in $(seq 50); do [ -s "$file" ] && break; sleep 0.05; done
sleep 0.1
[ -s "$file" ] || fail "F8 did not write $file"
[ -n "$keep" ] && convert "$file" -depth 8 "$keep/quit_dialog.png"
# The dialog veils the start screen.
is_below "$(rmse "$file" "$menu")" 0.15 && fail "no quit dialog over the start screen after Alt+F4"
rm -f "$save"  # so that the save at exit shows
# Clicked until the game ends: on a slow machine the dialog may not be up
# yet, and that spot of the start screen holds nothing.
for _ in $(seq 20); do
  kill -0 "$pid" 2>/dev/null || break
  xdotool mousemove 397 424 click 1
  sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "still running 10 s after clicking \"Yes\""
wait "$pid"
rc=$?
pid=""
[ "$rc" -eq 0 ] || fail "exit status $rc after confirming the quit"
[ -f "$save" ] || fail "no save file written at the exit"
[ "$(od -An -v -tx1 "$save" | tr -d ' \n')" = "$expected_hex" ] || fail "save at exit: $(od -An -v -tx1 "$save" | tr -d ' \n')"
[ -e "$save.tmp" ] && fail "a temporary save file was left behind"
echo "ok: quit dialog, 'Yes' -> exit status 0, save file written"
exit 0
