# Checks the screenshots of the casting_stroke script: the stroke shows the
# trace picture where it was drawn, nothing else changed. Exits with a message
# when the stroke is not drawn where the pointer went.
import sys
from PIL import Image
tmp = sys.argv[1]  # the folder of the script's screenshots
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
