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
  shot_until "$shots/ScrShot1.bmp" || fail "SIG$sig: F8 wrote no screenshot"
  # Events are handled in order: once the screenshot of an F8 pressed after
  # Alt+Return exists, the switch to the window has been stored.
  settle "$shots"  # presses that were only late
  next="$shots/ScrShot$(( $(count_shots "$shots") + 1 )).bmp"
  xdotool key alt+Return
  shot_until "$next" || fail "SIG$sig: F8 wrote no $next"
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
