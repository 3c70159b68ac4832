# Helpers shared by the scripts that drive the real game (sourced).

# The start of such a script: a fresh folder $tmp (/tmp/quill-$1.XXXXXX),
# removed at the end with the game $pid killed; fail(), which shows the end
# of $tmp/game.log; a display checked and the sound written nowhere.
begin_game_script() {
  tmp=$(mktemp -d "/tmp/quill-$1.XXXXXX")
  pid=""
  trap end_game_script EXIT
  [ -n "${DISPLAY:-}" ] || fail "run under scripts/with-xvfb.sh"
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0 SDL_VIDEODRIVER=x11
}
end_game_script() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  rm -rf "$tmp"
}
fail() {
  echo "FAIL: $*" >&2
  [ -e "$tmp/game.log" ] && tail -20 "$tmp/game.log" >&2
  exit 1
}

# The save file a fresh start writes, as hex: five entries, no profiles, ten
# empty high scores, the generated configuration's volumes (music 50, sound
# 75), FULL_SCREEN given as $1 ("01" by default).
default_save_hex() {
  local scores="" _
  for _ in $(seq 10); do scores="${scores}06000000 2d 00 00000000 "; done
  echo "05000000 5144303031 ${1:-01} 00 32000000 00000000 0a000000 ${scores}ffffffff 4b000000" | tr -d ' '
}

# SDL_SaveBMP writes 24-bit rows: a complete 1024x768 screenshot has this size.
bmp_bytes=$((54 + 1024 * 3 * 768))
complete() { [ "$(stat -c %s "$1" 2>/dev/null)" = "$bmp_bytes" ]; }

# Presses F8 (again every 0.2 s, 60 s at most) until the screenshot $1 exists,
# then waits (10 s at most) until it is complete. Keys sent while the game is
# still starting are lost; presses that were only late write screenshots
# after it. False when none came.
shot_until() {
  local _
  for _ in $(seq 300); do
    [ -e "$1" ] && break
    xdotool key F8
    for _ in 1 2 3 4; do [ -e "$1" ] && break; sleep 0.05; done
  done
  for _ in $(seq 200); do complete "$1" && return 0; sleep 0.05; done
  return 1
}

# Waits (at most $1 seconds, 60 by default) until the game's window is up.
# xdotool's own --sync search dies on the X error it gets when a window it
# walks goes away under it (windows come and go while a game starts), so the
# search is simply asked again.
await_window() {
  local _
  for _ in $(seq $(( ${1:-60} * 5 ))); do
    xdotool search --name '^Quillendar$' >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}

# The number of screenshots in the folder $1.
count_shots() { ls "$1" 2>/dev/null | grep -c '^ScrShot[0-9]*\.bmp$'; }

# Waits until no screenshot has come into the folder $1 for a second and
# every one there is complete (calls fail when one stays incomplete).
settle() {
  local count=-1 n _
  while [ "$(count_shots "$1")" -ne "$count" ]; do count=$(count_shots "$1"); sleep 1; done
  for n in $(seq "$count"); do
    for _ in $(seq 200); do complete "$1/ScrShot$n.bmp" && break; sleep 0.05; done
    complete "$1/ScrShot$n.bmp" || fail "F8 wrote no complete ScrShot$n.bmp"
  done
}

# Pixels: the median of the 5x5 patch at (x, y), by default (10, 400), of the
# picture $1 as "r g b" (rain drops and lightning vary single frames),
# cropped first: a median over the whole frame is slow on a busy machine.
patch() {
  local x=${2:-10} y=${3:-400}
  convert "$1" -crop "9x9+$((x - 4))+$((y - 4))" +repage -statistic Median 5x5 \
    -format '%[fx:int(255*p{4,4}.r+0.5)] %[fx:int(255*p{4,4}.g+0.5)] %[fx:int(255*p{4,4}.b+0.5)]' info:
}
# Two "r g b" colours alike: each channel within 12.
near() {
  awk -v a="$1" -v b="$2" 'BEGIN { split(a, x, " "); split(b, y, " ");
    for (i = 1; i <= 3; i++) { d = x[i] - y[i]; if (d < -12 || d > 12) exit 1 } }'
}

# Clicks the quit question's "Yes" (its left button) every 0.5 s until the
# game $pid ends (on a slow machine the question may not be up yet), at most
# 20 s; then waits for it, clears $pid and fails unless its status was 0.
# Needs the script's own fail().
answer_yes_until_exit() {
  local _ rc
  for _ in $(seq 40); do
    kill -0 "$pid" 2>/dev/null || break
    xdotool mousemove 413 464 click 1
    sleep 0.5
  done
  kill -0 "$pid" 2>/dev/null && fail "still running 20 s after clicking \"Yes\""
  wait "$pid"
  rc=$?
  pid=""
  [ "$rc" -eq 0 ] || fail "exit status $rc after \"Yes\""
}
