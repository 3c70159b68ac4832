#!/usr/bin/env bash
# The points of a found item are held back from the profile while the item
# shrinks away (its 1 s collect animation), so that a save holds the points
# of exactly the items it holds as found:
#  - misses during that animation that take the score below the points held
#    back stay counted when a screen comes over the scene and goes;
#  - a quit during the third item's animation, after a miss, leaves the
#    profile with the two found items' points less the miss (a profile that
#    took the third item's points too would hold 275).
set -u
exe=$1
tmp=$(mktemp -d /tmp/quill-scorehold.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
run() {  # NAME APPDATA: plays $tmp/NAME.txt
    "$exe" --appdata "$2" "$tmp/$1.txt" >"$tmp/$1.log" 2>&1 ||
        { grep -E "game_driver|stopped" "$tmp/$1.log" | tail -5; fail "the run '$1' failed"; }
}

# Found (+100), then two misses (-25 each) while the item still shrinks: 50
# shown, nothing yet in the profile. The pause screen comes and goes: still
# 50, and once the item has gone (its animation stood still during the
# pause) the profile holds 50 as well.
cat >"$tmp/pause.txt" <<'SCRIPT'
profile Holder 1
flow 0
wait 1500
click-wanted
wait 50
mouse click 512 660
wait 50
mouse click 512 660
wait 50
expect scene.score 50
expect profile.score 0
focus lost
wait 300
focus gained
wait 800
expect top QDScene
expect scene.score 50
wait 500
expect scene.count.3 1
expect scene.score 50
expect profile.score 50
SCRIPT
run pause "$tmp/pause-appdata"

cat >"$tmp/quit.txt" <<'SCRIPT'
profile Quitter 1
flow 0
wait 1500
click-wanted
wait 1200
click-wanted
wait 1200
click-wanted
wait 50
mouse click 512 660
wait 50
expect scene.score 275
expect scene.count.3 2
exit
SCRIPT
run quit "$tmp/quit-appdata"
cat >"$tmp/back.txt" <<'SCRIPT'
expect profile Quitter
expect profile.score 175
flow 0
wait 1500
expect scene.step 0
expect scene.count.3 2
expect scene.count.2 6
expect scene.score 175
SCRIPT
run back "$tmp/quit-appdata"
echo "ok: a pause keeps the misses; a quit saves the points of the items saved as found"
