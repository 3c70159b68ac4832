#!/usr/bin/env bash
# A stored number past the range the story gives it strands no player. A
# profile is left at flow entry 6; then one byte of the save is changed:
#  - its flow position 6 -> 249: the start reads it as stored, PLAY brings
#    it into the story (the location of the current quest, here scene 0,
#    with one line naming the field) and plays there; the next save holds
#    the position that was played;
#  - its saved step 0 -> 249 with the position at 0: PLAY opens scene 0 at
#    a step of its script instead of passing over the unplayed scene.
set -u
exe=$1
tmp=$(mktemp -d /tmp/quill-range.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
save="$tmp/appdata/Quillendar/save.dat"

run() {
  "$exe" --appdata "$tmp/appdata" "$tmp/$1.txt" >"$tmp/$1.log" 2>&1 \
    || { grep -E 'game_driver|expect|stopped' "$tmp/$1.log" | tail -5 >&2; fail "run $1"; }
}

# The save's bytes: the header (4 + 5), two one-byte and one four-byte
# setting, the profile count and the first profile's size (4 + 4), then
# the profile "Ann": the name and its zero byte (4), gameStarted (1), the
# flow position (4), the saved step (4).
FlowAt=28
StepAt=32
byte() { od -An -tu1 -j "$1" -N1 "$save" | tr -d ' '; }
poke() { printf "\\$(printf '%03o' "$2")" | dd of="$save" bs=1 seek="$1" conv=notrunc status=none; }

printf 'profile Ann 0\nflow 6\nexit\n' >"$tmp/make.txt"
run make
[ "$(byte $FlowAt)" = 6 ] && [ "$(byte $StepAt)" = 0 ] \
  || fail "the save does not hold flow position 6 and step 0 where expected"

poke $FlowAt 249
cat >"$tmp/flow.txt" <<'SCRIPT'
until 8000 top MainMenu
expect profile Ann
expect profile.flowIndex 249
mouse click 183 729
until 8000 top QDScene
expect scene.id 0
expect flow.index 0
expect profile.flowIndex 0
exit
SCRIPT
run flow
grep -q 'flow position 249 .* goes on at 0' "$tmp/flow.log" || fail "no line names the flow position"
echo "flow position 249: PLAY plays scene 0 ($(grep -m1 'flow position 249' "$tmp/flow.log"))"
[ "$(byte $FlowAt)" = 0 ] || fail "the save holds flow position $(byte $FlowAt)"

poke $StepAt 249
cat >"$tmp/step.txt" <<'SCRIPT'
until 8000 top MainMenu
expect profile.flowIndex 0
expect profile.savedStep 249
mouse click 183 729
until 8000 top QDScene
until 8000 top.state idle
expect top QDScene
expect scene.id 0
expect scene.step 0
expect profile.savedStep 0
expect quests.done
exit
SCRIPT
run step
grep -q 'saved step 249 is past' "$tmp/step.log" || fail "no line names the saved step"
echo "saved step 249: PLAY plays scene 0 from step 0 ($(grep -m1 'saved step 249' "$tmp/step.log"))"
echo "ok: stored numbers past the story are brought into it"
