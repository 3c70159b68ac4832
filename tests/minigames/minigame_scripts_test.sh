#!/usr/bin/env bash
# One minigame driver script (scripts/NAME.txt): every line must hold. For
# casting_stroke, the stroke must then show the trace picture where it was
# drawn, and nothing away from it may have changed.
set -u
exe=$1
name=$2
here=$(dirname "$0")
tmp=$(mktemp -d /tmp/quill-mg.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

sed "s|@OUT@|$tmp|g" "$here/scripts/$name.txt" >"$tmp/script.txt"
"$exe" "$tmp/script.txt" >"$tmp/run.log" 2>&1 || { grep -E "game_driver" "$tmp/run.log" | tail -5; fail "$name"; }

if [ "$name" = casting_stroke ]; then
    /usr/bin/python3 - "$tmp" <<'PY' || fail "the stroke is not drawn where the pointer went"
import sys
from PIL import Image
tmp = sys.argv[1]
before = Image.open(tmp + "/before.bmp").convert("RGB")
stroke = Image.open(tmp + "/stroke.bmp").convert("RGB")
trace = Image.open("content/images/minigames/CastingSpells/Trace.jpg").convert("RGB")
def near(a, b):
    return all(abs(x - y) <= 6 for x, y in zip(a, b))
for x in (620, 700, 780):
    shown = stroke.getpixel((x, 400))
    want = trace.getpixel((x - 515, 400 - 195))
    if not near(shown, want) or near(shown, before.getpixel((x, 400))):
        sys.exit("at (%d, 400): %s, trace %s, before %s" % (x, shown, want, before.getpixel((x, 400))))
for p in ((700, 480), (560, 250), (880, 560)):
    if stroke.getpixel(p) != before.getpixel(p):
        sys.exit("%s changed away from the stroke" % (p,))
PY
fi
echo "ok: $name"
