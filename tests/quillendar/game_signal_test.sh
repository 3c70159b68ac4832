#!/usr/bin/env bash
# The real game ended by the signals a desktop or a terminal sends. Run from
# the repository root under scripts/with-xvfb.sh (DISPLAY set):
#   game_signal_test.sh EXE
# For SIGTERM (a logout), SIGHUP (the session or the terminal going) and
# SIGINT (Ctrl+C), each on a fresh start: a setting changed while the game
# runs (Alt+Return leaves full screen, so FULL_SCREEN becomes 0) is in the
# save file written at the end, no quit dialog holds the game, and the exit
# status is 0.
set -u
. "$(dirname "$0")/game_script_support.sh"
exe=$(realpath "$1")
begin_game_script signal

# SDL draws into a window of its own inside the full-screen window, and
# moves it into the window named after the game when the game leaves full
# screen: true once it is there.
windowed() {
  local w
  for w in $(xdotool search --name '^Quillendar$' 2>/dev/null); do
    xwininfo -children -id "$w" 2>/dev/null | grep -q '^ *1 child' && return 0
  done
  return 1
}

for sig in TERM HUP INT; do
  appdata="$tmp/$sig"
  save="$appdata/Quillendar/save.dat"
  shots="$appdata/Quillendar/ScreenShots"
  # A shell without job control starts background programs with SIGINT
  # ignored, which the game then rightly keeps: give it the default.
  APPDATA="$appdata" env --default-signal=INT,HUP,TERM "$exe" >"$tmp/$sig.log" 2>&1 &
  pid=$!
  await_window || fail "SIG$sig: no game window"
  [ "$(od -An -v -tx1 "$save" | tr -d ' \n')" = "$(default_save_hex 01)" ] || fail "SIG$sig: no default save at the start"

  xdotool mousemove 512 384
  # A screenshot: the game takes keys now.
  shot_until "$shots/ScrShot1.bmp" || fail "SIG$sig: F8 wrote no screenshot"
  windowed && fail "SIG$sig: the game did not start in full screen"
  # The game stores the switch as it makes it, in the frame that moves its
  # drawing into the named window.
  xdotool key alt+Return
  end=$((SECONDS + wait_limit))
  until windowed; do
    [ "$SECONDS" -lt "$end" ] || fail "SIG$sig: Alt+Return did not leave full screen in $wait_limit s"
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null || fail "SIG$sig: the game ended early"

  kill -s "$sig" "$pid"
  end=$((SECONDS + wait_limit))
  while kill -0 "$pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$end" ] || fail "SIG$sig: still running $wait_limit s after the signal"
    sleep 0.05
  done
  wait "$pid"
  rc=$?
  pid=""
  [ "$rc" -eq 0 ] || fail "SIG$sig: exit status $rc"
  actual=$(od -An -v -tx1 "$save" | tr -d ' \n')
  [ "$actual" = "$(default_save_hex 00)" ] || fail "SIG$sig: the save at the end does not hold the change: $actual"
  ls "$(dirname "$save")" | grep -q '\.tmp' && fail "SIG$sig: a temporary save file was left behind"
  grep -q "SIG$sig received" "$tmp/$sig.log" || fail "SIG$sig: no line saying why the game ended"
  echo "ok: SIG$sig -> exit status 0, the change since the start saved"
done
exit 0
