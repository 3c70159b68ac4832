#!/usr/bin/env bash
# One minigame driver script (scripts/NAME.txt): every line must hold. "@OUT@"
# in the script names a folder for its screenshots; when scripts/NAME.check.py
# exists, it then checks those screenshots (it gets the folder as argument).
set -u
exe=$1
name=$2
here=$(dirname "$0")
tmp=$(mktemp -d /tmp/quill-mg.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

sed "s|@OUT@|$tmp|g" "$here/scripts/$name.txt" >"$tmp/script.txt"
"$exe" "$tmp/script.txt" >"$tmp/run.log" 2>&1 || { grep -E "game_driver" "$tmp/run.log" | tail -5; fail "$name"; }
check="$here/scripts/$name.check.py"
if [ -f "$check" ]; then
  /usr/bin/python3 "$check" "$tmp" || fail "$name: its screenshots do not show what they should"
fi
echo "ok: $name"
