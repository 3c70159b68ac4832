# Checks the screenshots of the puzzles_casual_a script: the memory match's
# verdicts and the shooting practice's counter. Exits with a message when the
# memory match or the shooting practice does not draw as it should.
import sys
from PIL import Image
tmp = sys.argv[1]  # the folder of the script's screenshots
start = Image.open(tmp + "/memory_start.bmp").convert("RGB")
right = Image.open(tmp + "/memory_right.bmp").convert("RGB")
wrong = Image.open(tmp + "/memory_wrong.bmp").convert("RGB")
bg = Image.open("content/images/minigames/01_memmatch/Quest3/bg.jpg").convert("RGB")
def coloured(img, want):
    # Pixels of the verdict's colour in its line, centred on 512.
    hits = [x for x in range(400, 624) for y in range(156, 186) if img.getpixel((x, y)) == want]
    return hits and abs((min(hits) + max(hits)) / 2 - 512) <= 8
if not coloured(right, (0, 255, 0)) or coloured(start, (0, 255, 0)):
    sys.exit("no green verdict centred under y 156 after a right answer")
if not coloured(wrong, (255, 0, 0)):
    sys.exit("no red verdict after a wrong answer")
# The next symbol waits at x 154 ... 349, left of the window: beside the
# sheet only the background shows.
for p in ((170, 300), (200, 420)):
    if any(abs(a - b) > 8 for a, b in zip(right.getpixel(p), bg.getpixel(p))):
        sys.exit("at %s: %s, the background is %s" % (p, right.getpixel(p), bg.getpixel(p)))
range_bg = Image.open("content/images/minigames/08_shooting/bg.jpg").convert("RGB")
def counter_differs(img):
    return sum(1 for x in range(412, 612, 2) for y in range(0, 34, 2)
               if max(abs(a - b) for a, b in zip(img.getpixel((x, y)), range_bg.getpixel((x, y)))) > 40)
if counter_differs(Image.open(tmp + "/shooting_ready.bmp").convert("RGB")) > 0:
    sys.exit("the shot counter shows before the first shot")
if counter_differs(Image.open(tmp + "/shooting_aiming.bmp").convert("RGB")) < 20:
    sys.exit("no shot counter while aiming")
