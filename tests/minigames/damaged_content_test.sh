#!/usr/bin/env bash
# Minigames over damaged content, through the game driver: counts and an
# answer in the tuning file that no game can use (scripts/damaged_counts.txt,
# set with the driver's `tune`), and places off the screen in two
# description files (scripts/damaged_places.txt, run in a copy of content/
# made of links with the two files replaced). Every game opens, ends, and
# names each damaged value in one line, printed once.
set -u -o pipefail
exe=$(realpath "$1")
here=$(realpath "$(dirname "$0")")
tmp=$(mktemp -d /tmp/quill-mgdamage.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# The driver's commands wait in game time; the time limit ends a run that
# hangs, and the cut of its output one that fills the log (a run ending well
# prints some hundred lines).
run() { timeout -s KILL 300 "$exe" "$@" 2>&1 | head -c 20000000; }

# Each wanted line once in the log.
once() {
  local log=$1 line=$2 n
  n=$(grep -cF -- "$line" "$log")
  [ "$n" -eq 1 ] || fail "$(basename "$log"): '$line' printed $n times"
}

run "$here/scripts/damaged_counts.txt" >"$tmp/counts.log" || {
  grep game_driver "$tmp/counts.log" | tail -5; fail "damaged_counts"; }
for line in '"MgRearangeElements.Quest17.NumberOfElements" = 999999999 is out of 0 to 64; none is used' \
            '"MgImagePuzzle.HorizontalCount" = 2147483647 is out of 0 to 16; none is used' \
            '"MgMatchElements.NumberOfPieces" = -1 is out of 0 to 64; none is used' \
            '"MgWhackAMole.NumberOfHoles" = 100000 is out of 0 to 32; none is used' \
            '"MgScrambledDial.Quest11.NumberOfDials" = 1000000 is out of 0 to 32; none is used' \
            '"MgLabyrinth.WallDetectionRange" = 2147483647 is out of 0 to 32; none is used' \
            '"MgTriangleCount.SolutionNumber" = 500 is out of 0 to 99; the answer is 99'; do
  once "$tmp/counts.log" "$line"
done
# The oversized board of quest 49, opened twice, names each missing key
# and picture once.
once "$tmp/counts.log" 'tuning key "MgRearangeElements.Quest49.Slot19PosY" is missing'
once "$tmp/counts.log" 'cannot load content/images/minigames/RearangeElements/Quest49/.jpg'
dup=$(grep -E '^(warning|error): .*(tuning key|content/images/minigames)' "$tmp/counts.log" | sort | uniq -d | head -3)
[ -z "$dup" ] || fail "repeated lines: $dup"

# The copy: links to every content file but the two damaged ones.
mkdir -p "$tmp/game"
cp -rs "$PWD/content" "$tmp/game/content" || fail "cannot link the content"
zodiac=content/config/minigames/ZodiacSigns/Quest46.xml
armour=content/config/minigames/Quest66.xml
rm "$tmp/game/$zodiac" "$tmp/game/$armour"
# Sign 0 gets a place left of the screen, sign 2 a start far below it.
/usr/bin/python3 - "$zodiac" "$tmp/game/$zodiac" "$armour" "$tmp/game/$armour" <<'PY' || fail "cannot damage the files"
import re, sys
zodiac = open(sys.argv[1]).read()
signs = zodiac.split("<Sign ")
signs[1] = re.sub(r'<Final x="-?\d+"', '<Final x="-1"', signs[1])
signs[3] = re.sub(r'(<Init x="-?\d+") y="-?\d+"', r'\1 y="2147483647"', signs[3])
open(sys.argv[2], "w").write("<Sign ".join(signs))
armour = open(sys.argv[3]).read()
armour = re.sub(r'<ArmourPart x="-?\d+"( y="-?\d+" texture="helmetP2")', r'<ArmourPart x="2147483647"\1', armour)
armour = re.sub(r'(<ArmourSlot texture="shield"[^>]*endY=")-?\d+', r'\g<1>-999999999', armour)
open(sys.argv[4], "w").write(armour)
PY
grep -q 2147483647 "$tmp/game/$armour" && grep -q -- -999999999 "$tmp/game/$armour" ||
  fail "the armour file has no piece or slot to damage"
(cd "$tmp/game" && run "$here/scripts/damaged_places.txt") >"$tmp/places.log" || {
  grep game_driver "$tmp/places.log" | tail -5; fail "damaged_places"; }
once "$tmp/places.log" "$zodiac: \"sign 0 Final.x\" = -1 is out of 0 to 1023; the sign is left out"
once "$tmp/places.log" "$zodiac: \"sign 2 Init.y\" = 2147483647 is out of 0 to 767; the sign is left out"
once "$tmp/places.log" "$armour: \"ArmourPart 1 of helmet x\" = 2147483647 is out of 0 to 960; 960 is used"
once "$tmp/places.log" "$armour: \"ArmourSlot shield endY\" = -999999999 is out of 0 to 767; 0 is used"
echo "ok: damaged minigame content"
