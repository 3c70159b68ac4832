#!/usr/bin/env bash
# Two copies of the real game on one display. Run from the repository root
# under scripts/with-xvfb.sh (DISPLAY set):
#   game_second_copy_test.sh EXE GAME_DRIVER
# The first copy starts on a fresh save folder, in full screen (the default
# save's setting), and holds that folder. Then:
#  1. the game started again on the same folder ends at once with status 1,
#     one line in error.txt, and the save file byte for byte as it was (no
#     window: a second full-screen start would wait for ever for the pointer
#     grab the first one holds);
#  2. the game driver started on that folder ends the same way (status 2, a
#     second line);
#  3. the game started on a folder of its own waits, while it starts, for
#     the first copy's pointer grab; SIGTERM, SIGHUP and SIGINT each end
#     such a start (the start has nothing to save);
#  4. the first copy still runs and ends normally on SIGTERM, saving.
# Every wait is for a condition, with $wait_limit seconds as a backstop.
set -u
. "$(dirname "$0")/game_script_support.sh"
exe=$(realpath "$1")
driver=$(realpath "$2")
begin_game_script twocopies
others=""
trap 'for p in $others; do kill -9 "$p" 2>/dev/null; done; end_game_script' EXIT

folder="$tmp/appdata/Quillendar"
save="$folder/save.dat"
shots="$folder/ScreenShots"
errors="$folder/error.txt"

# waits until the process $1 has ended (at most $wait_limit s); its status
# in $status.
await_end() {
  local end=$((SECONDS + wait_limit))
  while kill -0 "$1" 2>/dev/null; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.05
  done
  wait "$1" 2>/dev/null
  status=$?
}

# --- The first copy, in full screen, in its loop ------------------------------
APPDATA="$tmp/appdata" env --default-signal=INT,HUP,TERM "$exe" >"$tmp/first.log" 2>&1 &
pid=$!
await_window || fail "the first copy opened no window"
shot_until "$shots/ScrShot1.bmp" || fail "the first copy wrote no screenshot"
flock -n "$folder/instance.lock" true && fail "the first copy does not hold its save folder"
cp "$save" "$tmp/save.before"

# --- 1. The game again on the same folder ------------------------------------
APPDATA="$tmp/appdata" "$exe" >"$tmp/second.log" 2>&1 &
second=$!
others="$second"
await_end "$second" || fail "the second copy still runs $wait_limit s after its start"
[ "$status" -eq 1 ] || fail "the second copy ended with status $status"
cmp -s "$save" "$tmp/save.before" || fail "the second copy changed the save"
[ "$(wc -l <"$errors")" -eq 1 ] || fail "error.txt has $(wc -l <"$errors") lines"
grep -Eq "^Build [0-9]{6}  \| .+ \| Another copy of the game is running with the save folder $folder; this copy ends without touching the save\.$" "$errors" \
  || fail "unexpected line: $(cat "$errors")"
ls "$folder" | grep -q '\.bad' && fail "the second copy copied the save aside"
echo "ok: second copy on the held folder -> status $status, the save unchanged, error.txt: $(tail -1 "$errors")"

# --- 2. The game driver on the same folder ------------------------------------
echo exit >"$tmp/exit.txt"
"$driver" --appdata "$tmp/appdata" "$tmp/exit.txt" >"$tmp/driver.log" 2>&1 &
second=$!
others="$second"
await_end "$second" || fail "the driver still runs $wait_limit s after its start"
[ "$status" -eq 2 ] || fail "the driver ended with status $status"
cmp -s "$save" "$tmp/save.before" || fail "the driver changed the save"
[ "$(wc -l <"$errors")" -eq 2 ] || fail "error.txt has $(wc -l <"$errors") lines after the driver"
echo "ok: game driver on the held folder -> status $status, the save unchanged, a second line"

# --- 3. Signals while a start waits for the first copy's grab -----------------
for sig in TERM HUP INT; do
  APPDATA="$tmp/own-$sig" env --default-signal=INT,HUP,TERM "$exe" >"$tmp/own-$sig.log" 2>&1 &
  second=$!
  others="$second"
  # Its window exists: it is past opening the window and not yet in its
  # loop, waiting to switch to full screen.
  end=$((SECONDS + wait_limit))
  until xdotool search --pid "$second" >/dev/null 2>&1; do
    kill -0 "$second" 2>/dev/null || fail "SIG$sig: the start on its own folder ended by itself"
    [ "$SECONDS" -lt "$end" ] || fail "SIG$sig: the start on its own folder opened no window"
    sleep 0.2
  done
  kill -s "$sig" "$second"
  await_end "$second" || fail "SIG$sig: the start still runs $wait_limit s after the signal"
  signum=$(kill -l "$sig")
  [ "$status" -eq $((128 + signum)) ] || fail "SIG$sig: the start ended with status $status"
  grep -q "SIG$sig received while starting" "$tmp/own-$sig.log" || fail "SIG$sig: no line saying why it ended"
  echo "ok: SIG$sig during a start that waits -> ended, status $status"
done
others=""

# --- 4. The first copy goes on and ends as ever -------------------------------
kill -0 "$pid" 2>/dev/null || fail "the first copy ended"
kill -s TERM "$pid"
await_end "$pid" || fail "the first copy still runs $wait_limit s after SIGTERM"
pid=""
[ "$status" -eq 0 ] || fail "the first copy ended with status $status"
[ -n "$(ls "$folder" | grep '\.tmp')" ] && fail "temporary files were left: $(ls "$folder")"
echo "ok: the first copy ended on SIGTERM with status 0"
exit 0
