# Helpers shared by the scripts that drive the real game (sourced).
#
# These scripts play the real executable in real time, from outside, so
# nothing they judge may depend on how fast the machine is:
# - every wait is for something on screen or in a file, with a wide limit
#   in seconds ($wait_limit), never a count of tries or a fixed sleep;
# - an action that a screen can miss (a click before its buttons are up, a
#   key during a fade) is repeated until its effect shows, where a repeat
#   can do no harm;
# - a screen that shows only for a moment (the logo, the prologue, a
#   chapter's title) is passed whether or not a screenshot caught it: the
#   driver's tests check those with stepped time.
# A machine that is busy makes a frame take longer and the game's own time
# go slower (a frame counts at most 30 ms); only a hang or a fault reaches
# a limit.

# The longest one wait may take, in seconds.
wait_limit=${QUILL_WAIT_LIMIT:-120}

# The start of such a script: a fresh folder $tmp (/tmp/quill-$1.XXXXXX),
# removed at the end with the game $pid killed; fail(), which shows the end
# of the game's logs; a display checked and the sound written nowhere.
begin_game_script() {
  tmp=$(mktemp -d "/tmp/quill-$1.XXXXXX")
  pid=""
  trap end_game_script EXIT
  [ -n "${DISPLAY:-}" ] || fail "run under scripts/with-xvfb.sh"
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0 SDL_VIDEODRIVER=x11
  # ImageMagick would start a thread per core for each picture it reads:
  # the game, drawing in software, needs the processor more.
  export MAGICK_THREAD_LIMIT=1
}
end_game_script() {
  [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
  rm -rf "$tmp"
}
fail() {
  echo "FAIL: $*" >&2
  for f in "$tmp"/*.log; do [ -e "$f" ] && { echo "--- $f" >&2; tail -20 "$f" >&2; }; done
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

# Waits (at most $1 seconds, $wait_limit by default) until the game's window
# is up. xdotool's own --sync search dies on the X error it gets when a
# window it walks goes away under it (windows come and go while a game
# starts), so the search is simply asked again.
await_window() {
  local end=$((SECONDS + ${1:-$wait_limit}))
  while [ "$SECONDS" -lt "$end" ]; do
    xdotool search --name '^Quillendar$' >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}

# Starts the game in the background ($pid), its output appended to
# $tmp/game.log, APPDATA as the caller's environment gives it; waits for its
# window and moves the pointer off the menus.
start_game() {
  "$exe" >>"$tmp/game.log" 2>&1 &
  pid=$!
  await_window || fail "no game window"
  xdotool mousemove 1000 300
}

# The number of screenshots in the folder $1.
count_shots() { ls "$1" 2>/dev/null | grep -c '^ScrShot[0-9]*\.bmp$'; }

# F8 until the game has written the screenshot $1 (a key sent while the game
# is still starting is lost; F8 is pressed again after 2 s without a file),
# then until it is complete. False when none came within $wait_limit s.
# A press that was only late writes its screenshot after this one.
shot_until() {
  local end=$((SECONDS + wait_limit)) _
  while [ ! -e "$1" ]; do
    [ "$SECONDS" -lt "$end" ] || return 1
    xdotool key F8
    for _ in $(seq 40); do [ -e "$1" ] && break; sleep 0.05; done
  done
  while ! complete "$1"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.05
  done
}

# A new screenshot into $shots; its path in $last.
shot() {
  last="$shots/ScrShot$(( $(count_shots "$shots") + 1 )).bmp"
  shot_until "$last" || fail "F8 wrote no complete $last in $wait_limit s"
}

# still AREA WHAT: screenshots (the last in $last) until two in a row are
# alike in AREA (WxH+X+Y): what the last input set going there (a highlight
# under the pointer, a slider's knob) has come to rest. Fails after
# $wait_limit s, naming WHAT.
still() {
  local area=$1 what=$2 previous="" end=$((SECONDS + wait_limit))
  while :; do
    shot
    [ -n "$previous" ] && is_below "$(rmse "$last" "$previous" "$area")" 0.005 && return 0
    [ "$SECONDS" -lt "$end" ] || fail "$what did not come to rest in $wait_limit s"
    previous=$last
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
# "r g b" times the factor $2.
scaled() {
  awk -v c="$1" -v f="$2" 'BEGIN { split(c, x, " "); printf "%d %d %d", x[1] * f, x[2] * f, x[3] * f }'
}

# Difference (0..1) between an area of a screenshot and the same area of
# another picture; AREA is WxH+X+Y.
rmse() {
  compare -metric RMSE "$1[$3]" "$2[$3]" null: 2>&1 | sed -E 's/.*\(([0-9.e-]+)\).*/\1/'
}
is_below() { awk -v v="$1" -v t="$2" 'BEGIN { exit !(v < t) }'; }
# Normalised cross-correlation of the same area of two pictures: 1 for the
# same picture, also when one is darkened all over (the fog).
ncc() {
  compare -metric NCC "$1[$3]" "$2[$3]" null: 2>&1 | sed -E 's/^([0-9.e-]+).*/\1/'
}
keep_shot() { [ -n "$keep" ] && mkdir -p "$keep" && convert "$1" -depth 8 "$keep/$2.png"; }

# The main menu's sky at (10, 400) ($sky); the same under the profiles
# menu's dim (alpha 128) and the name entry's (alpha 150), as a fresh start
# shows it ($entry); the name entry's CANCEL button at (366, 493) once its
# widgets are up ($cancel). Paths are relative to the game's folder.
menu_colours() {
  read -r sky <<<"$(patch content/images/menus/main/Bg.jpg)"
  entry=$(scaled "$sky" "$(awk 'BEGIN { print 127 / 255 * 105 / 255 }')")
  read -r cancel <<<"$(patch content/images/menus/SmlBtnN.jpg 20 20)"
}

# await COLOUR WHAT X Y [ACTION...]: screenshots (the last in $last) until
# the patch at (X, Y) is near COLOUR. Between them ACTION runs, when given:
# what brings that screen on, repeated because a screen can miss it (a
# click before its buttons are up); it must do no harm when it lands on
# the screen that follows. Fails after $wait_limit seconds, naming WHAT.
await() {
  local colour=$1 what=$2 x=$3 y=$4 end=$((SECONDS + wait_limit))
  shift 4
  while :; do
    shot
    near "$(patch "$last" "$x" "$y")" "$colour" && return 0
    [ "$SECONDS" -lt "$end" ] || fail "never saw $what in $wait_limit s (wanted $colour at $x,$y, last $(patch "$last" "$x" "$y"))"
    [ $# -gt 0 ] && "$@"
    sleep 0.3
  done
}

# The quit question's buttons: "Yes" on the left, "No" on the right.
yes_x=413
no_x=583
answer_y=464

# Clicks the quit question's "Yes" (every 0.5 s: the question's buttons come
# after its opening) until the game $pid ends, at most $wait_limit s; then
# waits for it, clears $pid and fails unless its status was 0.
answer_yes_until_exit() {
  local end=$((SECONDS + wait_limit)) rc
  while kill -0 "$pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$end" ] || fail "still running $wait_limit s after clicking \"Yes\""
    xdotool mousemove "$yes_x" "$answer_y" click 1
    sleep 0.5
  done
  wait "$pid"
  rc=$?
  pid=""
  [ "$rc" -eq 0 ] || fail "exit status $rc after \"Yes\""
}

# The quit question veils the whole screen (black at alpha 170) and its
# dialog dims it again (alpha 128): a colour under it times this.
quit_veil=$(awk 'BEGIN { print 85 / 255 * 127 / 255 }')

# quit_game COLOUR: the game is quit from the screen whose patch at
# (10, 400) is COLOUR (the caller knows it from the content: a screenshot
# could catch the main menu's lightning, which brightens the whole frame).
# Once that screen shows, Alt+F4 (again while the question has not come:
# keys sent while the game is busy are lost, and a second press finds the
# question open and does nothing) until the patch shows the veil over it;
# then "Yes" until the game has ended with status 0. "Yes" is not clicked
# before: it would land on the screen below.
quit_game() {
  local veiled
  veiled=$(scaled "$1" "$quit_veil")
  near "$1" "$veiled" && fail "the colour $1 is too dark to see the quit question on it"
  await "$1" "the screen to quit from" 10 400
  await "$veiled" "the quit question" 10 400 xdotool key alt+F4
  answer_yes_until_exit
}

# The name $1 typed into the name entry once its widgets are up: the text
# field clicked until it shows that it took the click (its placeholder goes,
# its cursor blinks; a click is lost when it comes in the frame after a
# widget went away), then the name and Return. Keys go to the field in
# order once it is active, so they are sent once.
type_name() {
  local field=352x32+360+245 before end=$((SECONDS + wait_limit)) _
  await "$cancel" "the name entry's widgets" 366 493
  before=$last
  while :; do
    xdotool mousemove 536 261 click 1
    for _ in 1 2 3; do
      shot
      is_below "$(rmse "$last" "$before" "$field")" 0.02 || break 2
      sleep 0.3
    done
    [ "$SECONDS" -lt "$end" ] || fail "the name entry's field took no click in $wait_limit s"
  done
  xdotool type --delay 60 "$1"
  xdotool key Return
}
# The name $1 typed into the name entry a fresh start shows over the main
# menu, until the menu is back.
new_player() {
  await "$entry" "the name entry over the main menu" 10 400
  type_name "$1"
  await "$sky" "the main menu after the name" 10 400
}
