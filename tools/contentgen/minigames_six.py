"""Content of six minigames: memory match, shooting practice, sum the
numbers, triangle count, image puzzle and collect armour.

  LABELS       (id, text) rows for the label file: their buttons and verdicts
  TUNING       (key, value, comment) rows for GameParameters.cfg
  table_lines  generator table lines of every file below

Files (under content/):
  images/minigames/01_memmatch/       Paper (+ mask: the window at 359, 200,
                                      305 x 264 and the desk around the
                                      sheet are transparent; a dark plaque
                                      under the verdict line), PaperPatch,
                                      Quest3/ and Quest28/: bg, Symbol1..12
  images/minigames/08_shooting/       bg, bgTarget (rings of radius 256
                                      round 500, 368), bgTargetMask (only the
                                      beam in front of the target), Arrow,
                                      SmallArrow, bar, barFrame (hollow),
                                      Dot
  images/minigames/Quest69/           Bg (five sockets and the sums that
                                      tell where each number goes), BgGlow,
                                      1, 4, 7, 8, 9
  images/minigames/Triangles/         Background (a house of exactly
                                      TRIANGLES triangles), LeftKnob,
                                      RightKnob, Check, CheckOk, CheckNotOk,
                                      GLOW, 0..9
  images/minigames/02_imgpuzz/        Background, template (the picture at
                                      the grid, transparent elsewhere),
                                      <row>x<column> pieces
  images/minigames/CollectArmour/     bg, frame1..4 (hollow), per item
                                      <item>, <item>1..3 (its layers in a
                                      frame), <item>P1..3 (its pieces)
  config/minigames/Quest66.xml        the armour slots and their parts

Every picture is drawn here (the manifest gives these files the style "-").
Masks are written at quality 100 with hard-edged flat areas, so transparent
parts decode to alpha 0 exactly.

Kind written here (WRITERS): "six_picture", style {"draw": name of a
drawing function in DRAWINGS, "mask": write the mask, "args": its
arguments}.
"""

import math

from PIL import Image, ImageDraw, ImageFilter

from . import images

IMAGE_EXT = ".jpg"
MG = "images/minigames/"
MEMORY = MG + "01_memmatch/"
SHOOTING = MG + "08_shooting/"
SUMS = MG + "Quest69/"
TRIANGLE_IMAGES = MG + "Triangles/"
PUZZLE = MG + "02_imgpuzz/"
ARMOUR = MG + "CollectArmour/"
ARMOUR_XML = "config/minigames/Quest66.xml"

# ---------------------------------------------------------------------------
# Labels and tuning

LABELS = [
    ("START", "Start"),
    ("MATCH", "Match"),
    ("DONT_MATCH", "No match"),
    ("CORRECT", "Correct!"),
    ("NOT_CORRECT", "Not correct"),
    ("MGSHOOTING_START_AIMING", "Aim"),
    ("MGSHOOTING_START_AIMING_TOOLTIP", "Take an arrow and start aiming"),
    ("MGSHOOTING_STOP_DOT", "Stop"),
    ("MGSHOOTING_STOP_DOT_TOOLTIP", "Stop the moving dot where you want to aim"),
    ("MGSHOOTING_CONTINUE", "Next arrow"),
    ("MGSHOOTING_CONTINUE_TOOLTIP", "Clear the range for the next shot"),
]

# The triangle figure's count, which is the game's answer.
TRIANGLES = 5
KNOB = (96, 96)
CHECK = (120, 60)
DIGIT = (40, 60)
LEFT_KNOB = (340, 564)
RIGHT_KNOB = (588, 564)
CHECK_AT = (730, 582)

# The jigsaw: 4 x 3 pieces of 120 x 120 from (272, 204).
PUZZLE_GRID = (4, 3)
PUZZLE_ORIGIN = (272, 204)
PIECE = (120, 120)

TUNING = [
    ("MgTriangleCount.LeftKnobX", LEFT_KNOB[0], "triangle count: the knob that adds one"),
    ("MgTriangleCount.LeftKnobY", LEFT_KNOB[1], "triangle count: its corner"),
    ("MgTriangleCount.RightKnobX", RIGHT_KNOB[0], "triangle count: the knob that takes one away"),
    ("MgTriangleCount.RightKnobY", RIGHT_KNOB[1], "triangle count: its corner"),
    ("MgTriangleCount.RotationIncrement", 36, "degrees a knob turns per click"),
    ("MgTriangleCount.RotationDuration", 300, "ms a knob takes per click"),
    ("MgTriangleCount.CheckX", CHECK_AT[0], "triangle count: the check button's corner"),
    ("MgTriangleCount.CheckY", CHECK_AT[1], "triangle count: the check button's corner"),
    ("MgTriangleCount.SolutionNumber", TRIANGLES, "the triangles in the picture"),
    ("MgImagePuzzle.HorizontalCount", PUZZLE_GRID[0], "image puzzle: pieces across"),
    ("MgImagePuzzle.VerticalCount", PUZZLE_GRID[1], "image puzzle: pieces down"),
    ("MgImagePuzzle.OriginX", PUZZLE_ORIGIN[0], "image puzzle: the top-left piece's home"),
    ("MgImagePuzzle.OriginY", PUZZLE_ORIGIN[1], "image puzzle: the top-left piece's home"),
    ("MgImagePuzzle.HorizontalDistance", PIECE[0], "image puzzle: from one piece's home to the next"),
    ("MgImagePuzzle.VerticalDistance", PIECE[1], "image puzzle: from one row to the next"),
]

# ---------------------------------------------------------------------------
# Shared drawing helpers

INK = (50, 34, 20, 255)
PARCHMENT = (226, 211, 172, 255)
WOOD = (122, 82, 44, 255)
GOLD = (240, 198, 80, 255)
CLEAR = (0, 0, 0, 0)


def _gradient(size, top, bottom):
    return images._gradient(size, top, bottom)


def _text(img, text, box, size, fill=(255, 255, 255, 255), stroke=(0, 0, 0, 255)):
    images.draw_text_block(img, [[text]], box, size, readable=1, fill=fill, stroke=stroke)


def _grain(img, colour, step, seed):
    """Faint horizontal streaks (wood, paper), the same on every run."""
    d = ImageDraw.Draw(img)
    w, h = img.size
    for i, y in enumerate(range(0, h, step)):
        k = 0.92 + 0.08 * math.sin(i * 1.7 + seed)
        d.line([(0, y), (w, y + (i * 7 + seed) % 5 - 2)], fill=images.shade(colour, k), width=1)


def _hard_alpha(img, shape_mask):
    """The picture with alpha 255 inside the mask ("L", any grey > 127) and 0
    outside: flat, hard-edged transparency."""
    alpha = shape_mask.point(lambda v: 255 if v > 127 else 0)
    out = img.copy()
    out.putalpha(alpha)
    return out


def _sky_and_ground(size, sky, ground, horizon):
    w, h = size
    img = _gradient(size, sky[0], sky[1])
    d = ImageDraw.Draw(img)
    d.rectangle([0, horizon, w, h], fill=ground)
    for i in range(0, w, 37):
        d.line([(i, horizon + 6 + i % 23), (i + 6, horizon + i % 23)], fill=images.shade(ground, 0.8), width=2)
    return img


# ---------------------------------------------------------------------------
# Memory match

WINDOW = (359, 200, 305, 264)
SHEET = (230, 60, 794, 690)
# The dark plaque under the verdict line ("CORRECT" in green, "NOT_CORRECT"
# in red, drawn at y 156 in Times24White and centred on the screen): light
# paper would not carry either colour.
VERDICT_PLAQUE = (376, 148, 648, 188)
PLAQUE = (44, 30, 18, 255)
SYMBOL = (196, 280)
SYMBOL_SHAPES = ["circle", "triangle", "square", "star", "cross", "diamond",
                 "moon", "heart", "hexagon", "arrow", "ring", "bolt"]
SYMBOL_COLOURS = [(200, 40, 40), (40, 120, 210), (40, 160, 70), (230, 180, 30), (150, 60, 170), (230, 110, 30),
                  (30, 160, 170), (210, 70, 140), (110, 80, 40), (90, 90, 100), (20, 60, 140), (160, 150, 20)]
# The two quests' symbol sets: card colour and frame colour.
MEMORY_QUESTS = {3: ((250, 244, 226), (120, 90, 50)), 28: ((226, 236, 250), (50, 70, 120))}


def draw_paper(size, args):
    w, h = size
    img = Image.new("RGBA", size, PARCHMENT)
    _grain(img, PARCHMENT, 6, 3)
    d = ImageDraw.Draw(img)
    x0, y0, x1, y1 = SHEET
    d.rectangle([x0, y0, x1 - 1, y1 - 1], outline=images.shade(PARCHMENT, 0.6), width=6)
    wx, wy, ww, wh = WINDOW
    d.rectangle([wx - 10, wy - 10, wx + ww + 9, wy + wh + 9], outline=WOOD, width=10)
    _text(img, "Remember the symbols", (x0, y0 + 20, x1, y0 + 70), 30, fill=INK, stroke=PARCHMENT)
    px0, py0, px1, py1 = VERDICT_PLAQUE
    d.rounded_rectangle([px0, py0, px1 - 1, py1 - 1], radius=6, fill=PLAQUE, outline=WOOD, width=2)
    shape = Image.new("L", size, 0)
    sd = ImageDraw.Draw(shape)
    sd.rectangle([x0, y0, x1 - 1, y1 - 1], fill=255)
    sd.rectangle([wx, wy, wx + ww - 1, wy + wh - 1], fill=0)
    return _hard_alpha(img, shape)


def draw_patch(size, args):
    img = _gradient(size, (70, 60, 50), (40, 34, 28))
    d = ImageDraw.Draw(img)
    for x in range(0, size[0], 24):
        d.line([(x, 0), (x, size[1])], fill=(80, 70, 58, 255), width=1)
    return img


def draw_memory_bg(size, args):
    card, frame = MEMORY_QUESTS[args["quest"]]
    img = _gradient(size, images.shade(frame + (255,), 0.5), images.shade(frame + (255,), 1.3))
    d = ImageDraw.Draw(img)
    for i in range(40):
        x, y = (i * 197) % size[0], (i * 113) % size[1]
        d.ellipse([x, y, x + 5, y + 5], fill=(255, 255, 255, 120))
    return img


def _shape(d, name, box, fill):
    x0, y0, x1, y1 = box
    cx, cy, r = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2
    outline = (30, 20, 10, 255)
    if name == "circle":
        d.ellipse(box, fill=fill, outline=outline, width=4)
    elif name == "triangle":
        d.polygon([(cx, y0), (x1, y1), (x0, y1)], fill=fill, outline=outline)
    elif name == "square":
        d.rectangle([x0 + 8, y0 + 8, x1 - 8, y1 - 8], fill=fill, outline=outline, width=4)
    elif name == "star":
        pts = [(cx + (r if i % 2 == 0 else r * 0.42) * math.sin(i * math.pi / 5),
                cy - (r if i % 2 == 0 else r * 0.42) * math.cos(i * math.pi / 5)) for i in range(10)]
        d.polygon(pts, fill=fill, outline=outline)
    elif name == "cross":
        t = r * 0.35
        d.rectangle([cx - t, y0, cx + t, y1], fill=fill)
        d.rectangle([x0, cy - t, x1, cy + t], fill=fill)
    elif name == "diamond":
        d.polygon([(cx, y0), (x1, cy), (cx, y1), (x0, cy)], fill=fill, outline=outline)
    elif name == "moon":
        d.ellipse(box, fill=fill)
        d.ellipse([x0 + r * 0.6, y0 - r * 0.1, x1 + r * 0.6, y1 - r * 0.1], fill=(0, 0, 0, 0))
    elif name == "heart":
        d.ellipse([x0, y0 + r * 0.1, cx + 4, cy + 10], fill=fill)
        d.ellipse([cx - 4, y0 + r * 0.1, x1, cy + 10], fill=fill)
        d.polygon([(x0 + 6, cy), (x1 - 6, cy), (cx, y1)], fill=fill)
    elif name == "hexagon":
        d.polygon([(cx + r * math.cos(a * math.pi / 3), cy + r * math.sin(a * math.pi / 3)) for a in range(6)],
                  fill=fill, outline=outline)
    elif name == "arrow":
        t = r * 0.25
        d.polygon([(cx, y0), (x1, cy), (cx + t, cy), (cx + t, y1), (cx - t, y1), (cx - t, cy), (x0, cy)],
                  fill=fill, outline=outline)
    elif name == "ring":
        d.ellipse(box, fill=fill)
        d.ellipse([x0 + r * 0.45, y0 + r * 0.45, x1 - r * 0.45, y1 - r * 0.45], fill=(0, 0, 0, 0))
    elif name == "bolt":
        d.polygon([(cx + r * 0.3, y0), (x0 + r * 0.2, cy + 6), (cx, cy + 6), (cx - r * 0.3, y1),
                   (x1 - r * 0.2, cy - 6), (cx, cy - 6)], fill=fill, outline=outline)
    else:
        raise ValueError("unknown symbol shape %r" % name)


def draw_symbol(size, args):
    w, h = size
    card, frame = MEMORY_QUESTS[args["quest"]]
    n = args["number"]
    img = Image.new("RGBA", size, card + (255,))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([3, 3, w - 4, h - 4], radius=16, outline=frame + (255,), width=6)
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    _shape(ImageDraw.Draw(layer), SYMBOL_SHAPES[n - 1], (28, 70, w - 28, 70 + w - 56),
           SYMBOL_COLOURS[n - 1] + (255,))
    img = Image.alpha_composite(img, layer)
    _text(img, str(n), (0, h - 62, w, h - 16), 30, fill=frame + (255,), stroke=card + (255,))
    return img


# ---------------------------------------------------------------------------
# Shooting practice

TARGET_CENTRE = (500, 368)
# The aiming bars: the game centres the flat one on y 50 and turns the
# upright one about that middle and 100 px down it, so the upright bar runs
# from y 150 - w/2 to 150 + w/2; 200 px keeps it (and its dot) below the
# shot counter at the top and on the screen.
SHOOTING_BAR = (200, 24)
TARGET_RADIUS = 256
RING_COLOURS = [(250, 250, 245), (30, 30, 30), (40, 110, 210), (210, 40, 40), (250, 210, 40)]
BEAM = (0, 600, 1024, 650)


def draw_range(size, args):
    img = _sky_and_ground(size, ((120, 170, 220), (200, 225, 240)), (80, 130, 60, 255), 420)
    d = ImageDraw.Draw(img)
    cx = TARGET_CENTRE[0]
    # The distant target on its stand.
    d.rectangle([cx - 6, 330, cx + 6, 430], fill=WOOD)
    for i, colour in enumerate(RING_COLOURS):
        r = 60 * (5 - i) / 5
        d.ellipse([cx - r, 290 - r, cx + r, 290 + r], fill=colour + (255,), outline=(20, 20, 20, 255))
    for x in (80, 180, 860, 950):
        d.polygon([(x, 420), (x + 30, 300), (x + 60, 420)], fill=(40, 90, 40, 255))
    return img


def draw_target(size, args):
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    cx, cy = TARGET_CENTRE
    d.ellipse([cx - TARGET_RADIUS - 14, cy - TARGET_RADIUS - 14, cx + TARGET_RADIUS + 14,
               cy + TARGET_RADIUS + 14], fill=(196, 168, 96, 255))
    for i, colour in enumerate(RING_COLOURS):
        for half in (0, 1):
            r = TARGET_RADIUS * (10 - 2 * i - half) / 10
            d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=colour + (255,),
                      outline=(90, 90, 90, 255) if colour != (30, 30, 30) else (200, 200, 200, 255), width=2)
    return img


def draw_target_mask(size, args):
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    x0, y0, x1, y1 = BEAM
    d.rectangle([x0, y0, x1, y1], fill=WOOD)
    _grain_box(d, BEAM)
    for x in range(40, size[0], 160):
        d.ellipse([x - 6, y0 + 19, x + 6, y0 + 31], fill=(60, 50, 40, 255))
    return img


def _grain_box(d, box):
    x0, y0, x1, y1 = box
    for i, y in enumerate(range(y0 + 4, y1 - 2, 7)):
        d.line([(x0, y), (x1, y + i % 3)], fill=images.shade(WOOD, 0.8), width=1)


def draw_arrow(size, args):
    w, h = size
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    cx = w // 2
    d.rectangle([cx - 4, 36, cx + 4, h - 30], fill=(150, 100, 50, 255))
    d.polygon([(cx, 0), (cx + 16, 40), (cx - 16, 40)], fill=(160, 160, 170, 255), outline=(60, 60, 70, 255))
    for side in (-1, 1):
        d.polygon([(cx, h - 60), (cx + side * (w // 2 - 2), h - 20), (cx + side * (w // 2 - 2), h),
                   (cx, h - 30)], fill=(200, 40, 40, 255))
    return img


def draw_small_arrow(size, args):
    w, h = size
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    c = w // 2
    for a in range(3):
        ang = a * 2 * math.pi / 3 - math.pi / 2
        d.polygon([(c, c), (c + 22 * math.cos(ang - 0.35), c + 22 * math.sin(ang - 0.35)),
                   (c + 22 * math.cos(ang + 0.35), c + 22 * math.sin(ang + 0.35))], fill=(220, 40, 40, 255))
    d.ellipse([c - 6, c - 6, c + 6, c + 6], fill=(120, 80, 40, 255), outline=(30, 20, 10, 255))
    return img


def draw_bar(size, args):
    w, h = size
    img = Image.new("RGBA", size)
    d = ImageDraw.Draw(img)
    for x in range(w):
        t = abs(x - w / 2) / (w / 2)
        d.line([(x, 0), (x, h)], fill=(int(60 + 195 * t), int(200 - 120 * t), 50, 255))
    return img


def draw_bar_frame(size, args):
    w, h = size
    img = Image.new("RGBA", size, CLEAR)
    ImageDraw.Draw(img).rectangle([0, 0, w - 1, h - 1], outline=(60, 40, 20, 255), width=4)
    return img


def draw_dot(size, args):
    w, h = size
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    d.ellipse([1, 1, w - 2, h - 2], fill=(30, 30, 30, 255))
    d.ellipse([6, 6, w - 7, h - 7], fill=(250, 250, 250, 255))
    return img


# ---------------------------------------------------------------------------
# Sum the numbers: the tiles' homes and the sums that tell them apart

SUM_TILES = {1: (594, 268), 4: (390, 385), 7: (491, 445), 8: (594, 385), 9: (389, 272)}
SUM_TILE = (96, 96)
STONE = (150, 146, 136, 255)


def _socket_centre(n):
    x, y = SUM_TILES[n]
    return x + SUM_TILE[0] // 2, y + SUM_TILE[1] // 2


def _sum_clues():
    """(text, centre): the sums of the two upper rows (right of them) and of
    the two columns (above them); with these the odd number left over goes
    to the bottom place, so every number has one place."""
    (tlx, tly), (trx, _) = _socket_centre(9), _socket_centre(1)
    (_, mly) = _socket_centre(4)
    return [("= %d" % (9 + 1), (trx + 110, tly)), ("= %d" % (4 + 8), (trx + 110, mly)),
            ("%d" % (9 + 4), (tlx, tly - 92)), ("%d" % (1 + 8), (trx, tly - 92))]


def draw_sum_board(size, args):
    glow = args.get("glow", False)
    img = Image.new("RGBA", size, CLEAR) if glow else _gradient(size, (60, 52, 46), (28, 24, 22))
    d = ImageDraw.Draw(img)
    if not glow:
        d.rounded_rectangle([300, 180, 820, 600], radius=30, fill=STONE, outline=(70, 66, 60, 255), width=8)
        _text(img, "Each number in its place", (300, 110, 820, 160), 30, fill=GOLD, stroke=(40, 30, 20, 255))
        (tl, tr, ml, mr) = (_socket_centre(n) for n in (9, 1, 4, 8))
        for a, c in ((tl, tr), (ml, mr), (tl, ml), (tr, mr)):
            d.line([a, c], fill=(90, 86, 80, 255), width=6)
        for text, (x, y) in _sum_clues():
            _text(img, text, (x - 60, y - 22, x + 60, y + 22), 32, fill=(255, 240, 200, 255),
                  stroke=(40, 30, 20, 255))
    for n in SUM_TILES:
        cx, cy = _socket_centre(n)
        r = 62 if glow else 52
        d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(255, 230, 120, 255) if glow else (96, 92, 86, 255),
                  outline=None if glow else (60, 56, 50, 255), width=4)
    return img.filter(ImageFilter.GaussianBlur(6)) if glow else img


def draw_number_tile(size, args):
    w, h = size
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    d.ellipse([2, 2, w - 3, h - 3], fill=(232, 222, 196, 255), outline=(90, 70, 40, 255), width=5)
    _text(img, str(args["n"]), (8, 8, w - 8, h - 8), 56, fill=(110, 40, 20, 255), stroke=(250, 240, 220, 255))
    return img


# ---------------------------------------------------------------------------
# Triangle count: a house whose roof is split in two (3 triangles) over a
# wall with one diagonal (2 triangles)

HOUSE = {"apex": (500, 110), "left": (380, 250), "right": (620, 250), "bottom": 470, "split": (470, 250)}


def triangle_lines():
    apex, left, right = HOUSE["apex"], HOUSE["left"], HOUSE["right"]
    bottom, split = HOUSE["bottom"], HOUSE["split"]
    bl, br = (left[0], bottom), (right[0], bottom)
    return [(apex, left), (apex, right), (left, right), (apex, split),
            (left, bl), (right, br), (bl, br), (left, br)]


def count_triangles(lines):
    """Triangles whose three sides lie on the drawn segments, corners at
    segment ends or crossings (the figure has no other crossings)."""
    pts = sorted({p for line in lines for p in line})

    def on(p, a, b):
        cross = (b[0] - a[0]) * (p[1] - a[1]) - (b[1] - a[1]) * (p[0] - a[0])
        return cross == 0 and min(a[0], b[0]) <= p[0] <= max(a[0], b[0]) and \
            min(a[1], b[1]) <= p[1] <= max(a[1], b[1])

    def joined(p, q):
        return any(on(p, a, b) and on(q, a, b) for a, b in lines)

    count = 0
    for i, p in enumerate(pts):
        for j in range(i + 1, len(pts)):
            for k in range(j + 1, len(pts)):
                q, r = pts[j], pts[k]
                area = (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])
                if area and joined(p, q) and joined(q, r) and joined(p, r):
                    count += 1
    return count


def draw_triangle_board(size, args):
    img = _gradient(size, (40, 50, 70), (20, 24, 34))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([300, 70, 724, 510], radius=20, fill=(236, 228, 206, 255), outline=WOOD, width=8)
    for a, b in triangle_lines():
        d.line([a, b], fill=INK, width=6)
    _text(img, "How many triangles?", (300, 20, 724, 64), 32, fill=GOLD, stroke=(30, 20, 10, 255))
    d.rounded_rectangle([440, 572, 560, 652], radius=12, fill=(20, 20, 24, 255), outline=GOLD, width=3)
    return img


def draw_triangle_glow(size, args):
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([290, 60, 734, 520], radius=26, outline=(255, 230, 120, 255), width=14)
    for a, b in triangle_lines():
        d.line([a, b], fill=(255, 220, 60, 255), width=10)
    return img.filter(ImageFilter.GaussianBlur(4))


def draw_knob(size, args):
    w, h = size
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    d.ellipse([2, 2, w - 3, h - 3], fill=(170, 150, 110, 255), outline=(70, 50, 30, 255), width=4)
    d.ellipse([14, 14, w - 15, h - 15], fill=(200, 180, 140, 255))
    d.polygon([(w / 2 - 6, 6), (w / 2 + 6, 6), (w / 2, 24)], fill=(160, 30, 20, 255))
    _text(img, args["sign"], (20, 20, w - 20, h - 20), 44, fill=(60, 40, 20, 255), stroke=(230, 215, 180, 255))
    return img


def draw_check(size, args):
    w, h = size
    look = args["look"]
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    if look == "button":
        d.rounded_rectangle([0, 0, w - 1, h - 1], radius=12, fill=(90, 70, 40, 255), outline=(40, 30, 15, 255),
                            width=3)
        _text(img, "Check", (6, 6, w - 6, h - 6), 26, fill=(250, 236, 200, 255), stroke=(40, 30, 15, 255))
    elif look == "ok":
        d.line([(w * 0.3, h * 0.5), (w * 0.45, h * 0.85), (w * 0.75, h * 0.12)], fill=(40, 200, 60, 255),
               width=10, joint="curve")
    else:
        for a, b in (((w * 0.3, h * 0.12), (w * 0.7, h * 0.88)), ((w * 0.7, h * 0.12), (w * 0.3, h * 0.88))):
            d.line([a, b], fill=(220, 40, 30, 255), width=10)
    return img


def draw_digit(size, args):
    img = Image.new("RGBA", size, CLEAR)
    _text(img, str(args["n"]), (0, 0) + size, size[1], fill=(255, 230, 140, 255), stroke=(60, 40, 10, 255))
    return img


# ---------------------------------------------------------------------------
# Image puzzle: one landscape, drawn whole for the template and cut for the
# pieces

def _cloud(d, x, y, w, h):
    """A cloud of three puffs over a flat base, in the box (x, y, w, h)."""
    white, rim = (250, 250, 252, 255), (200, 210, 228, 255)
    d.ellipse([x, y + h * 0.35, x + w * 0.5, y + h], fill=rim)
    d.ellipse([x + w * 0.45, y + h * 0.3, x + w, y + h], fill=rim)
    d.ellipse([x + w * 0.2, y, x + w * 0.75, y + h * 0.85], fill=white)
    d.ellipse([x + w * 0.05, y + h * 0.4, x + w * 0.5, y + h * 0.95], fill=white)
    d.ellipse([x + w * 0.5, y + h * 0.35, x + w * 0.95, y + h * 0.95], fill=white)


def _landscape():
    """The picture of the jigsaw.  Every piece shows something of its own
    (the sky carries a cloud, a kite and a balloon), so no two pieces look
    alike: each snaps only at its own place."""
    w, h = PIECE[0] * PUZZLE_GRID[0], PIECE[1] * PUZZLE_GRID[1]
    img = _sky_and_ground((w, h), ((90, 150, 220), (190, 220, 245)), (70, 140, 60, 255), 220)
    d = ImageDraw.Draw(img)
    d.ellipse([370, 30, 440, 100], fill=(255, 220, 80, 255))
    _cloud(d, 8, 22, 100, 56)
    # A red kite with its tail, over the second piece.
    d.polygon([(180, 14), (208, 42), (180, 84), (152, 42)], fill=(200, 50, 50, 255), outline=INK)
    d.line([(152, 42), (208, 42)], fill=INK, width=2)
    d.line([(180, 84), (168, 100), (184, 112), (170, 119)], fill=INK, width=2)
    # A striped balloon with its basket, over the third piece.
    d.ellipse([262, 10, 334, 84], fill=(240, 150, 40, 255), outline=INK, width=2)
    d.ellipse([284, 11, 312, 83], fill=(130, 60, 160, 255))
    d.line([(282, 80), (290, 100)], fill=INK, width=1)
    d.line([(314, 80), (306, 100)], fill=INK, width=1)
    d.rectangle([288, 100, 308, 112], fill=(120, 80, 40, 255), outline=INK)
    d.polygon([(0, 230), (120, 140), (260, 230)], fill=(90, 110, 140, 255))
    d.polygon([(180, 230), (300, 160), (420, 230)], fill=(110, 130, 160, 255))
    d.rectangle([90, 230, 190, 320], fill=(200, 170, 120, 255), outline=INK, width=3)
    d.polygon([(80, 232), (140, 180), (200, 232)], fill=(170, 50, 40, 255), outline=INK)
    d.rectangle([128, 270, 152, 320], fill=(90, 60, 30, 255))
    d.rectangle([300, 250, 316, 330], fill=(100, 70, 40, 255))
    d.ellipse([268, 190, 348, 270], fill=(40, 110, 40, 255))
    d.line([(0, 350), (480, 300)], fill=(200, 190, 140, 255), width=14)
    return img


def draw_puzzle_table(size, args):
    img = Image.new("RGBA", size, WOOD)
    _grain(img, WOOD, 9, 5)
    d = ImageDraw.Draw(img)
    x, y = PUZZLE_ORIGIN
    w, h = PIECE[0] * PUZZLE_GRID[0], PIECE[1] * PUZZLE_GRID[1]
    d.rectangle([x - 12, y - 12, x + w + 11, y + h + 11], fill=(60, 40, 22, 255))
    d.rectangle([x, y, x + w - 1, y + h - 1], fill=(230, 222, 200, 255))
    for c in range(1, PUZZLE_GRID[0]):
        d.line([(x + c * PIECE[0], y), (x + c * PIECE[0], y + h)], fill=(180, 170, 150, 255), width=1)
    for r in range(1, PUZZLE_GRID[1]):
        d.line([(x, y + r * PIECE[1]), (x + w, y + r * PIECE[1])], fill=(180, 170, 150, 255), width=1)
    return img


def draw_puzzle_template(size, args):
    img = Image.new("RGBA", size, CLEAR)
    img.paste(_landscape(), PUZZLE_ORIGIN)
    return img


def draw_piece(size, args):
    r, c = args["row"], args["column"]
    x, y = c * PIECE[0], r * PIECE[1]
    img = _landscape().crop((x, y, x + PIECE[0], y + PIECE[1]))
    ImageDraw.Draw(img).rectangle([0, 0, PIECE[0] - 1, PIECE[1] - 1], outline=(250, 245, 230, 255), width=2)
    return img


# ---------------------------------------------------------------------------
# Collect armour: four items put on a stand; their pieces lie in the grass

ITEM = (120, 120)
SLOT = (150, 150)
PART = (64, 64)
FRAMES = [(209, 556), (364, 556), (513, 556), (660, 556)]
# name, colour, target corner, and the corners of its three pieces.
ARMOUR_ITEMS = [
    ("helmet", (170, 175, 185), (452, 60), [(60, 330), (760, 100), (880, 420)]),
    ("shield", (60, 90, 170), (300, 200), [(150, 100), (640, 440), (900, 240)]),
    ("sword", (210, 210, 220), (610, 180), [(40, 450), (780, 330), (230, 400)]),
    ("boots", (110, 70, 40), (452, 380), [(860, 10), (330, 440), (200, 200)]),
]


def _item(name, colour):
    """The finished item on a transparent ground, ITEM in size."""
    w, h = ITEM
    img = Image.new("RGBA", ITEM, CLEAR)
    d = ImageDraw.Draw(img)
    fill, dark = colour + (255,), images.shade(colour + (255,), 0.5)
    if name == "helmet":
        d.chord([10, 10, w - 10, h + 50], 180, 360, fill=fill, outline=dark, width=4)
        d.rectangle([10, 66, w - 10, 100], fill=fill, outline=dark, width=4)
        d.rectangle([30, 72, w - 30, 80], fill=dark)
    elif name == "shield":
        d.polygon([(10, 10), (w - 10, 10), (w - 10, 60), (w / 2, h - 4), (10, 60)], fill=fill, outline=dark)
        d.line([(w / 2, 14), (w / 2, h - 12)], fill=GOLD, width=8)
        d.line([(14, 44), (w - 14, 44)], fill=GOLD, width=8)
    elif name == "sword":
        d.polygon([(w / 2 - 8, 30), (w / 2 + 8, 30), (w / 2 + 8, h - 10), (w / 2, h - 2), (w / 2 - 8, h - 10)],
                  fill=fill, outline=dark)
        d.rectangle([20, 22, w - 20, 32], fill=GOLD, outline=dark)
        d.rectangle([w / 2 - 5, 2, w / 2 + 5, 22], fill=(90, 50, 20, 255))
    else:
        for x0 in (14, 64):
            d.polygon([(x0, 10), (x0 + 34, 10), (x0 + 34, 80), (x0 + 44, 100), (x0 + 44, 110), (x0, 110)],
                      fill=fill, outline=dark)
    return img


def _item_band(name, colour, part):
    """Piece `part` (0 ... 2) of the item: one horizontal third of it."""
    img = _item(name, colour)
    band = Image.new("L", ITEM, 0)
    third = ITEM[1] // 3
    ImageDraw.Draw(band).rectangle([0, part * third, ITEM[0], (part + 1) * third - 1 if part < 2 else ITEM[1]],
                                   fill=255)
    img.putalpha(Image.composite(img.getchannel("A"), Image.new("L", ITEM, 0), band))
    return img


def draw_armour_bg(size, args):
    img = _sky_and_ground(size, ((150, 180, 200), (220, 230, 225)), (90, 140, 70, 255), 300)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 540, size[0], size[1]], fill=(70, 50, 34, 255))
    # The stand: a post with arms, and the outlines where the items go.
    d.rectangle([506, 150, 518, 520], fill=WOOD)
    d.rectangle([360, 250, 680, 262], fill=WOOD)
    for name, colour, (x, y), _ in ARMOUR_ITEMS:
        ghost = _item(name, (235, 235, 225))
        alpha = ghost.getchannel("A").point(lambda v: 90 if v else 0)
        ghost.putalpha(alpha)
        img.alpha_composite(ghost, (x, y))
    return img


def draw_armour_frame(size, args):
    w, h = size
    img = Image.new("RGBA", size, CLEAR)
    ImageDraw.Draw(img).rounded_rectangle([0, 0, w - 1, h - 1], radius=14, outline=GOLD, width=8)
    return img


def _item_by_name(name):
    for item in ARMOUR_ITEMS:
        if item[0] == name:
            return item
    raise ValueError("no armour item %r" % name)


def draw_armour_item(size, args):
    _, colour, _, _ = _item_by_name(args["item"])
    return _item(args["item"], colour)


def draw_armour_layer(size, args):
    _, colour, _, _ = _item_by_name(args["item"])
    img = Image.new("RGBA", size, CLEAR)
    img.alpha_composite(_item_band(args["item"], colour, args["part"]),
                        ((size[0] - ITEM[0]) // 2, (size[1] - ITEM[1]) // 2))
    return img


def draw_armour_part(size, args):
    _, colour, _, _ = _item_by_name(args["item"])
    band = _item_band(args["item"], colour, args["part"])
    box = band.getchannel("A").getbbox() or (0, 0) + ITEM
    piece = band.crop(box)
    piece.thumbnail((size[0] - 8, size[1] - 8))
    img = Image.new("RGBA", size, CLEAR)
    ImageDraw.Draw(img).ellipse([0, 0, size[0] - 1, size[1] - 1], fill=(60, 45, 30, 255))
    img.alpha_composite(piece, ((size[0] - piece.size[0]) // 2, (size[1] - piece.size[1]) // 2))
    return img


def armour_root():
    slots = []
    for (name, _, (ex, ey), parts), (sx, sy) in zip(ARMOUR_ITEMS, FRAMES):
        slots.append(("ArmourSlot", {"texture": name, "startX": sx, "startY": sy, "endX": ex, "endY": ey},
                      [("ArmourPart", {"x": x, "y": y, "texture": "%sP%d" % (name, i + 1)})
                       for i, (x, y) in enumerate(parts)]))
    return ("CollectArmour", {}, slots)


# ---------------------------------------------------------------------------
# Writer and table

DRAWINGS = {f.__name__[len("draw_"):]: f for f in (
    draw_paper, draw_patch, draw_memory_bg, draw_symbol, draw_range, draw_target, draw_target_mask,
    draw_arrow, draw_small_arrow, draw_bar, draw_bar_frame, draw_dot, draw_sum_board, draw_number_tile,
    draw_triangle_board, draw_triangle_glow, draw_knob, draw_check, draw_digit, draw_puzzle_table,
    draw_puzzle_template, draw_piece, draw_armour_bg, draw_armour_frame, draw_armour_item, draw_armour_layer,
    draw_armour_part)}


def write_picture(path, size, kind, style):
    img = DRAWINGS[style["draw"]](tuple(size), style.get("args", {}))
    if img.size != tuple(size):
        raise RuntimeError("%s: drawn at %s instead of %s" % (path, img.size, size))
    if style["mask"]:
        # Hard edges (every pixel opaque or transparent) but for glows, whose
        # soft rims fade out well away from their flat transparent ground.
        if not style.get("soft"):
            img = _hard_alpha(img, img.getchannel("A"))
        return images.save_image(img, path, {"quality": images.JPEG_QUALITY})
    flat = Image.alpha_composite(Image.new("RGBA", img.size, (0, 0, 0, 255)), img)
    images.save_jpeg(flat.convert("RGB"), path, images.JPEG_QUALITY)
    return [path]


WRITERS = {"six_picture": write_picture}


def _pic(path, size, draw, mask, soft=False, **args):
    return (path, size, "six_picture", {"draw": draw, "mask": mask, "soft": soft, "args": args, "label": False})


def table_lines():
    if count_triangles(triangle_lines()) != TRIANGLES:
        raise ValueError("the triangle figure does not hold %d triangles" % TRIANGLES)
    full = (1024, 768)
    lines = [
        _pic(MEMORY + "Paper.jpg", full, "paper", True),
        _pic(MEMORY + "PaperPatch.jpg", (368, 360), "patch", False),
        _pic(SHOOTING + "bg.jpg", full, "range", False),
        _pic(SHOOTING + "bgTarget.jpg", full, "target", True),
        _pic(SHOOTING + "bgTargetMask.jpg", full, "target_mask", True),
        _pic(SHOOTING + "Arrow.jpg", (60, 240), "arrow", True),
        _pic(SHOOTING + "SmallArrow.jpg", (48, 48), "small_arrow", True),
        _pic(SHOOTING + "bar.jpg", SHOOTING_BAR, "bar", False),
        _pic(SHOOTING + "barFrame.jpg", SHOOTING_BAR, "bar_frame", True),
        _pic(SHOOTING + "Dot.jpg", (24, 24), "dot", True),
        _pic(SUMS + "Bg.jpg", full, "sum_board", False),
        _pic(SUMS + "BgGlow.jpg", full, "sum_board", True, soft=True, glow=True),
        _pic(TRIANGLE_IMAGES + "Background.jpg", full, "triangle_board", False),
        _pic(TRIANGLE_IMAGES + "GLOW.jpg", full, "triangle_glow", True, soft=True),
        _pic(TRIANGLE_IMAGES + "LeftKnob.jpg", KNOB, "knob", True, sign="+"),
        _pic(TRIANGLE_IMAGES + "RightKnob.jpg", KNOB, "knob", True, sign="-"),
        _pic(TRIANGLE_IMAGES + "Check.jpg", CHECK, "check", True, look="button"),
        _pic(TRIANGLE_IMAGES + "CheckOk.jpg", CHECK, "check", True, look="ok"),
        _pic(TRIANGLE_IMAGES + "CheckNotOk.jpg", CHECK, "check", True, look="wrong"),
        _pic(PUZZLE + "Background.jpg", full, "puzzle_table", False),
        _pic(PUZZLE + "template.jpg", full, "puzzle_template", True),
        _pic(ARMOUR + "bg.jpg", full, "armour_bg", False),
        (ARMOUR_XML, None, "xml", {"root": armour_root()}),
    ]
    for quest in sorted(MEMORY_QUESTS):
        folder = MEMORY + "Quest%d/" % quest
        lines.append(_pic(folder + "bg" + IMAGE_EXT, full, "memory_bg", False, quest=quest))
        lines += [_pic(folder + "Symbol%d" % n + IMAGE_EXT, SYMBOL, "symbol", False, quest=quest, number=n)
                  for n in range(1, len(SYMBOL_SHAPES) + 1)]
    lines += [_pic(SUMS + "%d.jpg" % n, SUM_TILE, "number_tile", True, n=n) for n in sorted(SUM_TILES)]
    lines += [_pic(TRIANGLE_IMAGES + "%d.jpg" % n, DIGIT, "digit", True, n=n) for n in range(10)]
    lines += [_pic(PUZZLE + "%dx%d" % (r, c) + IMAGE_EXT, PIECE, "piece", False, row=r, column=c)
              for r in range(PUZZLE_GRID[1]) for c in range(PUZZLE_GRID[0])]
    lines += [_pic(ARMOUR + "frame%d.jpg" % (i + 1), SLOT, "armour_frame", True) for i in range(len(FRAMES))]
    for name, _, _, parts in ARMOUR_ITEMS:
        lines.append(_pic(ARMOUR + name + IMAGE_EXT, ITEM, "armour_item", True, item=name))
        for part in range(len(parts)):
            lines.append(_pic(ARMOUR + "%s%d" % (name, part + 1) + IMAGE_EXT, SLOT, "armour_layer", True,
                              item=name, part=part))
            lines.append(_pic(ARMOUR + "%sP%d" % (name, part + 1) + IMAGE_EXT, PART, "armour_part", True,
                              item=name, part=part))
    return lines
