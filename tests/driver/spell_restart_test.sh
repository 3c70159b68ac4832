#!/usr/bin/env bash
# A spell button charged by its third rune plays its ready sound once; after
# a restart on the same save folder the runes are still found and the
# button is ready again, blinking, without the sound.
set -u
exe=$1
tmp=$(mktemp -d /tmp/quill-spells.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cat >"$tmp/first.txt" <<'SCRIPT'
profile Charger 1
quest 3
flow 1
wait 1800
click-item 1 28
wait 50
click-item 1 29
wait 50
click-item 1 30
wait 1100
expect spell.button.0 3 ready
expect sfx.VISIBILITY_ENABLED 1
save
SCRIPT
"$exe" --appdata "$tmp/appdata" "$tmp/first.txt" >"$tmp/first.log" 2>&1 || { grep -E "game_driver|stopped" "$tmp/first.log" | tail -5; fail "the first run failed"; }

cat >"$tmp/second.txt" <<'SCRIPT'
sfx-watch VISIBILITY_ENABLED
expect profile Charger
flow 1
wait 1800
expect top QDScene
expect spell.button.0 3 ready
expect spell.blink.0 1
expect sfx.VISIBILITY_ENABLED 0
SCRIPT
"$exe" --appdata "$tmp/appdata" "$tmp/second.txt" >"$tmp/second.log" 2>&1 || { grep -E "game_driver|stopped" "$tmp/second.log" | tail -5; fail "the second run failed"; }
echo "ok: the charged button is ready after a restart, without its sound"
