"""Content of four minigames: the necklace pair of quest 7 (whack-a-mole,
then match elements), the zodiac signs of quests 46 and 61 and the face
drawing of quest 35.  Their labels, tuning keys, description files and
every picture they load, the registered ones included (those manifest rows
carry the style "-": this module makes them).

  LABELS       (id, text) rows for the label file
  TUNING       (key, value, comment) rows for GameParameters.cfg
  table_lines  generator table lines of the files below

Files (under content/):
  images/minigames/MatchElements/   background, Chain (sockets along a
                                    chain), <i>N / <i>G the pieces and glows
  images/minigames/WhackAMole/      Background, squirelBig, squirelSmall,
                                    Hole<k>, Piece<i> (the same gems, small)
  images/minigames/ZodiacSigns/Quest<q>/
                                    background (places marked), FinalGlow,
                                    s<n>, s<n>G, c<n> (the constellations)
  images/minigames/FaceDrawing/     background, blueStar, starRed,
                                    finalOutline, <k> (the line into star k)
  config/minigames/ZodiacSigns/Quest<q>.xml
  config/minigames/FaceDrawing/Face.xml

Kinds written here (WRITERS), all drawn from the style's settings alone:
  mg_gem        a necklace piece; style index, glow (the lit overlay)
  mg_chain      the chain; style sockets (centres in the picture)
  mg_squirrel   a squirrel facing left
  mg_burrow     a burrow mound
  mg_meadow / mg_velvet / mg_night   the backgrounds; mg_night style seed,
                marks ((x, y, glyph) places drawn faintly), moon
  mg_sign       a zodiac medallion; style glyph, glow
  mg_stars      a constellation; style index
  mg_sky_glow   the final glow over the sky
  mg_face_star  a numbered star's picture; style colour
  mg_face_line  one line between two stars; style a, b (ends in the picture)
  mg_face       the face outline through the stars; style centre, radii
Style "mask": False writes the picture alone (an opaque picture the manifest
lists without a mask); otherwise the alpha goes into the "_" mask.
"""

import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from . import images

IMAGE_EXT = ".jpg"
MINIGAME_IMAGES = "images/minigames/"
MATCH_IMAGES = MINIGAME_IMAGES + "MatchElements/"
WHACK_IMAGES = MINIGAME_IMAGES + "WhackAMole/"
ZODIAC_IMAGES = MINIGAME_IMAGES + "ZodiacSigns/"
FACE_IMAGES = MINIGAME_IMAGES + "FaceDrawing/"
ZODIAC_CONFIG = "config/minigames/ZodiacSigns/"
FACE_CONFIG = "config/minigames/FaceDrawing/"
SYMBOL_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
SCREEN = (1024, 768)

# ---------------------------------------------------------------------------
# Labels

LABELS = [
    ("TUTORIAL_QUEST7_1", "Drag each piece of the necklace onto its place on the chain. The silver clasp "
                          "holds only once the golden pendant is in place."),
]

# ---------------------------------------------------------------------------
# The necklace: eight pieces on the chain (piece 7, the clasp, waits for
# piece 3, the pendant).

PIECE_COUNT = 8
PIECE_SIZE = (64, 64)
SMALL_PIECE_SIZE = (48, 48)
CHAIN_AT = (200, 300)
CHAIN_SIZE = (600, 100)
# Socket centres in the chain picture: 72 px apart, sagging in the middle.
SOCKETS = [(48 + 72 * i, 36 + round(24 * math.sin(math.pi * (i + 0.5) / PIECE_COUNT)))
           for i in range(PIECE_COUNT)]
# The chain runs through the bails this far above the pieces' centres.
BAIL_ABOVE = 23
LINK_STEP = 10
# (colour, shape) of each piece.
GEMS = [
    ((200, 30, 50), "round"),
    ((40, 80, 210), "oval"),
    ((30, 150, 70), "octagon"),
    ((235, 185, 40), "pendant"),
    ((150, 60, 190), "diamond"),
    ((240, 140, 30), "round"),
    ((60, 190, 200), "oval"),
    ((195, 195, 205), "clasp"),
]


def piece_home(i):
    """Top-left corner of piece i on the screen."""
    x, y = SOCKETS[i]
    return CHAIN_AT[0] + x - PIECE_SIZE[0] // 2, CHAIN_AT[1] + y - PIECE_SIZE[1] // 2


# ---------------------------------------------------------------------------
# Whack-a-mole: three burrows; a squirrel rests behind each and runs out to
# one side.

HOLE_SIZE = (160, 80)
SQUIRREL_BIG = (120, 140)
SQUIRREL_SMALL = (90, 105)
# (hole corner, big, runs left, distance run)
HOLES = [
    ((200, 520), True, True, 110),
    ((560, 380), False, False, 90),
    ((700, 560), True, False, 110),
]


def squirrel_rest(hole):
    """The resting corner of a hole's squirrel: its feet on the mound's
    bottom edge, a little inside the mound."""
    (hx, hy), big, _, _ = hole
    w, h = SQUIRREL_BIG if big else SQUIRREL_SMALL
    return hx + (HOLE_SIZE[0] - w) // 2, hy + HOLE_SIZE[1] - h


# ---------------------------------------------------------------------------
# Zodiac signs: four per quest, from the bottom-left into the sky.

SIGN_SIZE = (80, 80)
CONSTELLATION_SIZE = (200, 150)
ZODIAC_QUESTS = {
    46: {"glyphs": "\u2648\u2649\u264a\u264b", "final_glow": True,
         "finals": [(560, 190), (800, 150), (620, 420), (840, 400)]},
    61: {"glyphs": "\u264c\u264d\u264e\u264f", "final_glow": False,
         "finals": [(540, 380), (600, 140), (820, 220), (800, 470)]},
}


def sign_init(n):
    return 90 + 130 * n, 600


def constellation_corner(final):
    """The constellation lies centred on the sign's place."""
    return (final[0] + SIGN_SIZE[0] // 2 - CONSTELLATION_SIZE[0] // 2,
            final[1] + SIGN_SIZE[1] // 2 - CONSTELLATION_SIZE[1] // 2)


def zodiac_root(quest):
    game = ZODIAC_QUESTS[quest]
    signs = []
    for n, final in enumerate(game["finals"]):
        attrs = {"image": "s%d" % (n + 1)}
        if n % 2 == 0:
            attrs["hasGlow"] = "true"
        x, y = sign_init(n)
        cx, cy = constellation_corner(final)
        signs.append(("Sign", attrs, [
            ("Init", {"x": x, "y": y}),
            ("Final", {"x": final[0], "y": final[1]}),
            ("Constellation", {"image": "c%d" % (n + 1), "x": cx, "y": cy}),
        ]))
    return ("Game", {}, signs)


# ---------------------------------------------------------------------------
# Face drawing: six stars over the top of a face, joined left to right.

STAR_SIZE = (48, 48)
FACE_CENTRE = (512, 380)
FACE_RADII = (170, 220)
FACE_SIZE = (500, 500)
FACE_AT = (FACE_CENTRE[0] - FACE_SIZE[0] // 2, FACE_CENTRE[1] - FACE_SIZE[1] // 2)
STAR_ANGLES = (200, 160, 120, 60, 20, -20)
# A line stops this far from the stars' centres, so it runs between them.
LINE_GAP = 22
LINE_PAD = 6


def star_centres():
    cx, cy = FACE_CENTRE
    rx, ry = FACE_RADII
    return [(round(cx + rx * math.cos(math.radians(a))), round(cy - ry * math.sin(math.radians(a))))
            for a in STAR_ANGLES]


def face_lines():
    """(corner on the screen, size, ends in the picture) of line k = 1..5."""
    lines = []
    centres = star_centres()
    for (ax, ay), (bx, by) in zip(centres, centres[1:]):
        length = math.hypot(bx - ax, by - ay)
        ux, uy = (bx - ax) / length, (by - ay) / length
        a = (ax + ux * LINE_GAP, ay + uy * LINE_GAP)
        b = (bx - ux * LINE_GAP, by - uy * LINE_GAP)
        x0 = int(min(a[0], b[0])) - LINE_PAD
        y0 = int(min(a[1], b[1])) - LINE_PAD
        x1 = int(math.ceil(max(a[0], b[0]))) + LINE_PAD
        y1 = int(math.ceil(max(a[1], b[1]))) + LINE_PAD
        lines.append(((x0, y0), (x1 - x0, y1 - y0), ((a[0] - x0, a[1] - y0), (b[0] - x0, b[1] - y0))))
    return lines


def face_root():
    stars = [("Star", {"x": x - STAR_SIZE[0] // 2, "y": y - STAR_SIZE[1] // 2}) for x, y in star_centres()]
    lines = [("Connection", {"x": x, "y": y}) for (x, y), _, _ in face_lines()]
    return ("FaceDrawingGame", {}, stars + lines + [("Outline", {"x": FACE_AT[0], "y": FACE_AT[1]})])


# ---------------------------------------------------------------------------
# Tuning keys


def _tuning():
    rows = [("MgMatchElements.NumberOfPieces", PIECE_COUNT, "match elements: pieces of the necklace"),
            ("MgMatchElements.ChainX", CHAIN_AT[0], "the chain's top-left corner"),
            ("MgMatchElements.ChainY", CHAIN_AT[1], "the chain's top-left corner"),
            ("MgMatchElements.PlacementSensitivity", 25, "a piece snaps home closer than this, pixels")]
    for i in range(PIECE_COUNT):
        x, y = piece_home(i)
        rows += [("MgMatchElements.Piece%dX" % i, x, "piece %d: home, top-left" % i),
                 ("MgMatchElements.Piece%dY" % i, y, "piece %d: home" % i)]
    w = "MgWhackAMole."
    rows += [(w + "SquirrelMinIntervalDuration", 500, "whack-a-mole: shortest wait between squirrels, ms"),
             (w + "SquirrelMaxIntervalDuration", 1500, "longest wait (exclusive), ms"),
             (w + "NeklaceShowChance", 50, "kept for the record: every squirrel carries a piece while one is free"),
             (w + "NumberOfPieces", PIECE_COUNT, "pieces to collect (the necklace's)"),
             (w + "NumberOfHoles", len(HOLES), "holes, one squirrel each"),
             (w + "SquirrelMoveDuration", 400, "a squirrel runs out (and back) in this time, ms"),
             (w + "SquirrelDelayDuration", 1200, "and waits this long outside, ms")]
    for k, hole in enumerate(HOLES):
        (hx, hy), big, left, run = hole
        x, y = squirrel_rest(hole)
        rows += [(w + "Hole%dX" % k, hx, "hole %d: top-left" % k), (w + "Hole%dY" % k, hy, "hole %d" % k),
                 (w + "Squirrel%dSize" % k, "big" if big else "small", "squirrel %d: picture" % k),
                 (w + "Squirrel%dLeft" % k, "true" if left else "false", "runs left (false: drawn mirrored)"),
                 (w + "Squirrel%dX" % k, x, "resting corner"), (w + "Squirrel%dY" % k, y, "resting corner"),
                 (w + "Squirrel%dEndX" % k, x - run if left else x + run, "corner x when fully out")]
    for quest, game in sorted(ZODIAC_QUESTS.items()):
        z = "MgZodiacSigns.Quest%d." % quest
        rows += [(z + "HasFinalGlow", "true" if game["final_glow"] else "false",
                  "zodiac signs, quest %d: a glow over the sky when solved" % quest),
                 (z + "PlacementSensitivity", 30, "a sign snaps to a place closer than this, pixels"),
                 (z + "GlowFadeTime", 800, "a placed sign's glow rises in this time, ms"),
                 (z + "TranslateTime", 400, "a sign dropped nowhere glides home in this time, ms"),
                 (z + "GameXmlFile", "Quest%d.xml" % quest, "signs, places and constellations")]
    rows.append(("MgFaceDrawing.GameXmlFile", "Face.xml", "face drawing: stars, lines and outline"))
    return rows


TUNING = _tuning()

# ---------------------------------------------------------------------------
# Drawing helpers

SUPER = 4  # shapes are drawn this many times larger, then reduced


def _canvas(size):
    w, h = size
    return Image.new("RGBA", (w * SUPER, h * SUPER), (0, 0, 0, 0))


def _reduce(img, size):
    return img.resize(tuple(size), Image.LANCZOS)


def _lcg(seed):
    """A small deterministic number stream in [0, 1)."""
    state = seed & 0x7fffffff

    def nxt():
        nonlocal state
        state = (state * 1103515245 + 12345) & 0x7fffffff
        return state / 0x80000000
    return nxt


def _gradient(size, top, bottom):
    w, h = size
    ramp = Image.linear_gradient("L").resize((w, h), Image.BILINEAR)
    return Image.composite(Image.new("RGBA", size, bottom + (255,)), Image.new("RGBA", size, top + (255,)), ramp)


def _glow_of(img, colour, radius):
    """A soft halo in `colour` around the picture's opaque parts."""
    halo = Image.new("RGBA", img.size, colour + (0,))
    halo.putalpha(img.getchannel("A").filter(ImageFilter.GaussianBlur(radius)))
    return halo


def _symbol(img, glyph, box, fill, px):
    font = ImageFont.truetype(SYMBOL_FONT, px)
    x0, y0, x1, y1 = box
    left, top, right, bottom = font.getbbox(glyph)
    ImageDraw.Draw(img).text(((x0 + x1 - (right - left)) / 2 - left, (y0 + y1 - (bottom - top)) / 2 - top),
                             glyph, font=font, fill=fill)


# ---------------------------------------------------------------------------
# Pictures


def draw_gem(size, style):
    """Necklace piece `index` (GEMS), filling the picture; the glow version
    is the same outline lit white-gold with a halo."""
    colour, shape = GEMS[style["index"]]
    img = _canvas((64, 64))
    d = ImageDraw.Draw(img)
    s = SUPER
    metal = (225, 190, 90, 255) if shape != "clasp" else (215, 215, 225, 255)
    dark = images.shade(colour + (255,), 0.5)
    light = images.shade(colour + (255,), 1.5)
    fill = colour + (255,)
    # The bail: a small ring at the top that the chain runs through.
    d.ellipse([26 * s, 3 * s, 38 * s, 15 * s], outline=metal, width=3 * s)
    if shape == "round":
        d.ellipse([12 * s, 12 * s, 52 * s, 52 * s], fill=fill, outline=dark, width=2 * s)
        d.pieslice([18 * s, 16 * s, 46 * s, 40 * s], 180, 360, fill=light)
    elif shape == "oval":
        d.ellipse([17 * s, 11 * s, 47 * s, 58 * s], fill=fill, outline=dark, width=2 * s)
        d.ellipse([23 * s, 16 * s, 35 * s, 32 * s], fill=light)
    elif shape == "octagon":
        pts = [(32 + 21 * math.cos(math.radians(22.5 + 45 * k)), 34 + 21 * math.sin(math.radians(22.5 + 45 * k)))
               for k in range(8)]
        d.polygon([(x * s, y * s) for x, y in pts], fill=fill, outline=dark)
        d.polygon([(x * s, y * s) for x, y in ((32, 20), (44, 28), (32, 36), (20, 28))], fill=light)
    elif shape == "diamond":
        d.polygon([(32 * s, 12 * s), (54 * s, 34 * s), (32 * s, 60 * s), (10 * s, 34 * s)], fill=fill, outline=dark)
        d.polygon([(32 * s, 16 * s), (46 * s, 32 * s), (18 * s, 32 * s)], fill=light)
    elif shape == "pendant":
        d.ellipse([14 * s, 26 * s, 50 * s, 61 * s], fill=fill, outline=dark, width=2 * s)
        d.polygon([(32 * s, 11 * s), (48 * s, 36 * s), (16 * s, 36 * s)], fill=fill)
        d.ellipse([22 * s, 32 * s, 34 * s, 44 * s], fill=light)
    else:  # clasp: a ring and a hook
        d.ellipse([12 * s, 16 * s, 44 * s, 48 * s], outline=metal, width=7 * s)
        d.arc([34 * s, 30 * s, 58 * s, 58 * s], 180, 90, fill=metal, width=6 * s)
    img = _reduce(img, PIECE_SIZE)
    if style.get("glow"):
        lit = Image.new("RGBA", img.size, (255, 248, 210, 0))
        lit.putalpha(img.getchannel("A").point(lambda a: a * 2 // 5))
        img = Image.alpha_composite(_glow_of(img, (255, 240, 170), 4), lit)
    return img.resize(tuple(size), Image.LANCZOS) if tuple(size) != PIECE_SIZE else img


def draw_chain(size, style):
    """Bronze links along a line through the pieces' bails (the rings at their
    tops), and round each piece's home the piece's own outline in its
    colour, so the chain tells where each piece goes; transparent elsewhere
    (inside the outlines too), so placed pieces show through."""
    img = _canvas(size)
    d = ImageDraw.Draw(img)
    s = SUPER
    # Bronze, unlike every piece's colour (the pendant is gold).
    gold = (150, 104, 58, 255)
    dark = (78, 54, 28, 255)
    sockets = style["sockets"]
    bails = [(x, y - BAIL_ABOVE) for x, y in sockets]
    path = [(0, bails[0][1] - 8)] + bails + [(size[0], bails[-1][1] - 8)]
    done = 0.0
    for (ax, ay), (bx, by) in zip(path, path[1:]):
        length = math.hypot(bx - ax, by - ay)
        ux, uy = (bx - ax) / length, (by - ay) / length
        while done <= length:
            x, y = ax + ux * done, ay + uy * done
            # Links alternate: one seen from the side, one from above.
            if round(done / LINK_STEP) % 2 == 0:
                d.line([((x - ux * 7) * s, (y - uy * 7) * s), ((x + ux * 7) * s, (y + uy * 7) * s)], fill=dark,
                       width=8 * s)
                d.line([((x - ux * 6) * s, (y - uy * 6) * s), ((x + ux * 6) * s, (y + uy * 6) * s)], fill=gold,
                       width=5 * s)
            else:
                d.ellipse([(x - 6) * s, (y - 4) * s, (x + 6) * s, (y + 4) * s], outline=gold, width=2 * s)
            done += LINK_STEP
        done -= length
    img = _reduce(img, size)
    for i, (x, y) in enumerate(sockets):
        img.alpha_composite(_home_mark(i), (x - PIECE_SIZE[0] // 2, y - PIECE_SIZE[1] // 2))
    return img


def _home_mark(i):
    """Piece i's outline in its colour: a band round the outside of its
    silhouette, clear inside, PIECE_SIZE in size."""
    shape = draw_gem(PIECE_SIZE, {"index": i}).getchannel("A").point(lambda a: 255 if a >= 96 else 0)
    band = ImageChops.subtract(shape.filter(ImageFilter.MaxFilter(9)), shape)
    mark = Image.new("RGBA", PIECE_SIZE, GEMS[i][0] + (0,))
    mark.putalpha(band.point(lambda a: 235 if a else 0))
    return mark


def draw_velvet(size, style):
    w, h = size
    img = _gradient(size, (90, 20, 35), (40, 8, 20))
    d = ImageDraw.Draw(img)
    for k in range(-h, w, 48):
        d.line([(k, 0), (k + h, h)], fill=(110, 30, 50, 255), width=1)
        d.line([(k + h, 0), (k, h)], fill=(110, 30, 50, 255), width=1)
    d.rounded_rectangle([150, 250, 850, 450], radius=30, fill=(60, 12, 26, 255), outline=(150, 110, 50, 255),
                        width=3)
    return img


def draw_meadow(size, style):
    w, h = size
    img = _gradient(size, (120, 180, 235), (210, 235, 250))
    d = ImageDraw.Draw(img)
    for cx, cy, rx, ry in ((200, 330, 380, 120), (700, 340, 450, 140)):
        d.ellipse([cx - rx, cy - ry, cx + rx, cy + ry], fill=(110, 160, 90, 255))
    grass = _gradient((w, h - 300), (90, 170, 70), (50, 120, 40))
    img.paste(grass, (0, 300))
    rnd = _lcg(7)
    for _ in range(260):
        x, y = int(rnd() * w), 310 + int(rnd() * (h - 310))
        d.line([(x, y), (x - 3, y - 10)], fill=(40, 100, 35, 255), width=2)
        d.line([(x, y), (x + 3, y - 9)], fill=(70, 140, 50, 255), width=2)
    return img


def draw_burrow(size, style):
    img = _canvas(size)
    d = ImageDraw.Draw(img)
    s = SUPER
    w, h = size
    d.ellipse([0, 24 * s, w * s, (h + 30) * s], fill=(120, 80, 45, 255))
    d.ellipse([12 * s, 30 * s, (w - 12) * s, (h + 20) * s], fill=(140, 95, 55, 255))
    d.ellipse([(w // 2 - 36) * s, 40 * s, (w // 2 + 36) * s, 70 * s], fill=(35, 22, 12, 255))
    for k in range(9):
        x = 14 + k * (w - 28) // 8
        d.polygon([((x - 5) * s, 34 * s), (x * s, 12 * s), ((x + 5) * s, 34 * s)], fill=(60, 130, 45, 255))
    img = _reduce(img, size)
    # The mound's bottom row lies on the grass: keep it within the picture.
    return img


def draw_squirrel(size, style):
    """A squirrel facing left, holding out its paw at 0.6 of its height."""
    base = SQUIRREL_BIG
    img = _canvas(base)
    d = ImageDraw.Draw(img)
    s = SUPER
    fur = (185, 95, 35, 255)
    dark = (120, 55, 20, 255)
    belly = (240, 200, 150, 255)
    # Tail: a bushy curl on the right.
    for cx, cy, r in ((95, 95, 22), (100, 70, 22), (98, 45, 20), (86, 26, 16)):
        d.ellipse([(cx - r) * s, (cy - r) * s, (cx + r) * s, (cy + r) * s], fill=dark)
        d.ellipse([(cx - r + 4) * s, (cy - r + 4) * s, (cx + r - 4) * s, (cy + r - 4) * s], fill=fur)
    d.ellipse([34 * s, 62 * s, 88 * s, 138 * s], fill=fur)
    d.ellipse([40 * s, 78 * s, 66 * s, 132 * s], fill=belly)
    d.ellipse([16 * s, 30 * s, 62 * s, 74 * s], fill=fur)
    d.polygon([(40 * s, 36 * s), (50 * s, 14 * s), (56 * s, 40 * s)], fill=dark)
    d.ellipse([26 * s, 44 * s, 34 * s, 52 * s], fill=(20, 20, 20, 255))
    d.ellipse([12 * s, 56 * s, 20 * s, 62 * s], fill=(60, 30, 20, 255))
    # The paw held out at the left edge.
    d.ellipse([2 * s, 78 * s, 20 * s, 90 * s], fill=fur)
    d.line([(14 * s, 84 * s), (40 * s, 92 * s)], fill=fur, width=8 * s)
    d.ellipse([36 * s, 124 * s, 62 * s, 138 * s], fill=dark)
    return _reduce(img, size)


def draw_night(size, style):
    """Night sky with stars; optional moon and faint marked places."""
    w, h = size
    img = _gradient(size, (8, 12, 40), (30, 40, 90))
    d = ImageDraw.Draw(img)
    rnd = _lcg(style.get("seed", 1))
    for _ in range(220):
        x, y, r = rnd() * w, rnd() * h, 0.6 + rnd() * 1.4
        level = int(150 + rnd() * 105)
        d.ellipse([x - r, y - r, x + r, y + r], fill=(level, level, min(255, level + 20), 255))
    if style.get("moon"):
        d.ellipse([860, 50, 960, 150], fill=(235, 230, 200, 255))
        d.ellipse([885, 40, 985, 140], fill=(8, 12, 40, 255))
    for x, y, glyph in style.get("marks", ()):
        marks = Image.new("RGBA", size, (0, 0, 0, 0))
        md = ImageDraw.Draw(marks)
        cx, cy = x + SIGN_SIZE[0] / 2, y + SIGN_SIZE[1] / 2
        md.ellipse([cx - 42, cy - 42, cx + 42, cy + 42], outline=(200, 210, 255, 90), width=2)
        _symbol(marks, glyph, (cx - 40, cy - 40, cx + 40, cy + 40), (200, 210, 255, 60), 40)
        img = Image.alpha_composite(img, marks)
    return img


def draw_sign(size, style):
    img = _canvas(size)
    d = ImageDraw.Draw(img)
    s = SUPER
    w, h = size
    if style.get("glow"):
        d.ellipse([2 * s, 2 * s, (w - 2) * s, (h - 2) * s], outline=(255, 230, 140, 255), width=6 * s)
        img = _reduce(img, size)
        img = Image.alpha_composite(_glow_of(img, (255, 220, 120), 4), img)
        _symbol(img, style["glyph"], (0, 0, w, h), (255, 250, 220, 255), 44)
        return img
    d.ellipse([2 * s, 2 * s, (w - 2) * s, (h - 2) * s], fill=(30, 40, 90, 255), outline=(210, 170, 70, 255),
              width=4 * s)
    img = _reduce(img, size)
    _symbol(img, style["glyph"], (0, 0, w, h), (230, 190, 80, 255), 44)
    return img


def draw_stars(size, style):
    """A constellation: a chain of stars around the middle (where the sign
    lies), joined by faint lines."""
    w, h = size
    img = _canvas(size)
    d = ImageDraw.Draw(img)
    s = SUPER
    rnd = _lcg(97 + 13 * style["index"])
    points = []
    for k in range(6):
        angle = 2 * math.pi * (k + rnd() * 0.6) / 6
        points.append((w / 2 + (60 + rnd() * 35) * math.cos(angle), h / 2 + (45 + rnd() * 25) * math.sin(angle)))
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        d.line([(ax * s, ay * s), (bx * s, by * s)], fill=(170, 200, 255, 150), width=2 * s)
    for x, y in points:
        d.ellipse([(x - 4) * s, (y - 4) * s, (x + 4) * s, (y + 4) * s], fill=(240, 245, 255, 255))
    return _reduce(img, size)


def draw_sky_glow(size, style):
    w, h = size
    img = Image.new("RGBA", size, (255, 225, 150, 0))
    alpha = Image.new("L", size, 0)
    ImageDraw.Draw(alpha).ellipse([w * 0.35, h * 0.02, w * 0.98, h * 0.78], fill=170)
    img.putalpha(alpha.filter(ImageFilter.GaussianBlur(60)))
    return img


def draw_face_star(size, style):
    img = _canvas(size)
    d = ImageDraw.Draw(img)
    s = SUPER
    w, h = size
    pts = []
    for k in range(10):
        r = (w / 2 - 1) if k % 2 == 0 else w / 4.6
        a = math.radians(-90 + 36 * k)
        pts.append(((w / 2 + r * math.cos(a)) * s, (h / 2 + 1 + r * math.sin(a)) * s))
    d.polygon(pts, fill=style["colour"] + (255,), outline=(220, 235, 255, 255), width=2 * s)
    return _reduce(img, size)


def draw_face_line(size, style):
    img = _canvas(size)
    a, b = style["a"], style["b"]
    ImageDraw.Draw(img).line([(a[0] * SUPER, a[1] * SUPER), (b[0] * SUPER, b[1] * SUPER)],
                             fill=(210, 230, 255, 255), width=4 * SUPER)
    img = _reduce(img, size)
    return Image.alpha_composite(_glow_of(img, (150, 190, 255), 2), img)


def draw_face(size, style):
    """The face's outline: the head through the stars, brows, eyes, nose and
    a smile, glowing."""
    w, h = size
    img = _canvas(size)
    d = ImageDraw.Draw(img)
    s = SUPER
    (cx, cy), (rx, ry) = style["centre"], style["radii"]
    line = (255, 235, 170, 255)
    d.ellipse([(cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s], outline=line, width=5 * s)
    for side in (-1, 1):
        ex = cx + side * 62
        d.ellipse([(ex - 26) * s, (cy - 36) * s, (ex + 26) * s, (cy - 10) * s], outline=line, width=4 * s)
        d.ellipse([(ex - 7) * s, (cy - 30) * s, (ex + 7) * s, (cy - 16) * s], fill=line)
        d.arc([(ex - 34) * s, (cy - 72) * s, (ex + 34) * s, (cy - 30) * s], 200, 340, fill=line, width=4 * s)
    d.line([(cx * s, (cy - 10) * s), ((cx - 14) * s, (cy + 50) * s), ((cx + 4) * s, (cy + 56) * s)], fill=line,
           width=4 * s, joint="curve")
    d.arc([(cx - 70) * s, (cy + 40) * s, (cx + 70) * s, (cy + 120) * s], 20, 160, fill=line, width=5 * s)
    img = _reduce(img, size)
    return Image.alpha_composite(_glow_of(img, (255, 200, 120), 5), img)


def _writer(draw):
    def write(path, size, kind, style):
        img = draw(tuple(size), style)
        if img.size != tuple(size):
            raise RuntimeError("%s: drawn at %s instead of %s" % (path, img.size, size))
        if style.get("mask", True):
            return images.save_image(img, path, {})
        images.save_jpeg(img.convert("RGB"), path, images.JPEG_QUALITY)
        return [path]
    return write


WRITERS = {
    "mg_gem": _writer(draw_gem),
    "mg_chain": _writer(draw_chain),
    "mg_velvet": _writer(draw_velvet),
    "mg_meadow": _writer(draw_meadow),
    "mg_burrow": _writer(draw_burrow),
    "mg_squirrel": _writer(draw_squirrel),
    "mg_night": _writer(draw_night),
    "mg_sign": _writer(draw_sign),
    "mg_stars": _writer(draw_stars),
    "mg_sky_glow": _writer(draw_sky_glow),
    "mg_face_star": _writer(draw_face_star),
    "mg_face_line": _writer(draw_face_line),
    "mg_face": _writer(draw_face),
}

# ---------------------------------------------------------------------------
# Table

OPAQUE = {"mask": False}


def table_lines():
    """Generator table lines (path under the content folder, size, kind,
    style)."""
    lines = [
        (MATCH_IMAGES + "background" + IMAGE_EXT, SCREEN, "mg_velvet", OPAQUE),
        (MATCH_IMAGES + "Chain" + IMAGE_EXT, CHAIN_SIZE, "mg_chain", {"sockets": SOCKETS}),
        (WHACK_IMAGES + "Background" + IMAGE_EXT, SCREEN, "mg_meadow", OPAQUE),
        (WHACK_IMAGES + "squirelBig" + IMAGE_EXT, SQUIRREL_BIG, "mg_squirrel", {}),
        (WHACK_IMAGES + "squirelSmall" + IMAGE_EXT, SQUIRREL_SMALL, "mg_squirrel", {}),
        (FACE_IMAGES + "background" + IMAGE_EXT, SCREEN, "mg_night", dict(OPAQUE, seed=35, moon=True)),
        (FACE_IMAGES + "blueStar" + IMAGE_EXT, STAR_SIZE, "mg_face_star", {"colour": (40, 70, 170)}),
        (FACE_IMAGES + "starRed" + IMAGE_EXT, STAR_SIZE, "mg_face_star", {"colour": (190, 30, 30)}),
        (FACE_IMAGES + "finalOutline" + IMAGE_EXT, FACE_SIZE, "mg_face",
         {"centre": (FACE_SIZE[0] // 2, FACE_SIZE[1] // 2), "radii": FACE_RADII}),
        (FACE_CONFIG + "Face.xml", None, "xml", {"root": face_root()}),
    ]
    for i in range(PIECE_COUNT):
        lines += [(MATCH_IMAGES + "%dN" % (i + 1) + IMAGE_EXT, PIECE_SIZE, "mg_gem", {"index": i}),
                  (MATCH_IMAGES + "%dG" % (i + 1) + IMAGE_EXT, PIECE_SIZE, "mg_gem", {"index": i, "glow": True}),
                  (WHACK_IMAGES + "Piece%d" % (i + 1) + IMAGE_EXT, SMALL_PIECE_SIZE, "mg_gem", {"index": i})]
    for k in range(len(HOLES)):
        lines.append((WHACK_IMAGES + "Hole%d" % (k + 1) + IMAGE_EXT, HOLE_SIZE, "mg_burrow", {}))
    for k, (_, size, ends) in enumerate(face_lines()):
        lines.append((FACE_IMAGES + "%d" % (k + 1) + IMAGE_EXT, size, "mg_face_line", {"a": ends[0], "b": ends[1]}))
    for quest, game in sorted(ZODIAC_QUESTS.items()):
        folder = ZODIAC_IMAGES + "Quest%d/" % quest
        marks = [(x, y, glyph) for (x, y), glyph in zip(game["finals"], game["glyphs"])]
        lines += [(ZODIAC_CONFIG + "Quest%d.xml" % quest, None, "xml", {"root": zodiac_root(quest)}),
                  (folder + "background" + IMAGE_EXT, SCREEN, "mg_night", dict(OPAQUE, seed=quest, marks=marks))]
        if game["final_glow"]:
            lines.append((folder + "FinalGlow" + IMAGE_EXT, SCREEN, "mg_sky_glow", {}))
        for n, glyph in enumerate(game["glyphs"]):
            name = "s%d" % (n + 1)
            lines += [(folder + name + IMAGE_EXT, SIGN_SIZE, "mg_sign", {"glyph": glyph}),
                      (folder + name + "G" + IMAGE_EXT, SIGN_SIZE, "mg_sign", {"glyph": glyph, "glow": True}),
                      (folder + "c%d" % (n + 1) + IMAGE_EXT, CONSTELLATION_SIZE, "mg_stars",
                       {"index": quest * 4 + n})]
    return lines
