"""Content of six minigames: the rectangle tile sum, the scrambled dials, the
cypher wheel, the secret niche, the sliding blocks and the labyrinth.

  LABELS       (id, text) rows for the label file
  TUNING       (key, value, comment) rows for GameParameters.cfg
  table_lines  generator table lines of the files below

Files (under content/):
  images/minigames/RearangeElements/Quest14/   tile sum: bg, T<i>, T<i>MO,
        T<i>FIN, GlowHoles, CrossesGlow, 16Glow, 17Glow, 9Glow, 11Glow, 13Glow
  images/minigames/05_scrdial/Quest<q>/         scrambled dials: bg, final,
        circ<i> (ring i; its mask keeps only the ring)
  config/minigames/CypherWheel/Quest<q>.xml     cypher wheels and the niche
  images/minigames/CypherWheel/Quest<q>/        bg, glow, wheel, hl<k>, ws<k>,
        w<k>; quest 38 also key, keyG, drawer (registered textures)
  config/minigames/Klotsky/Board1.xml           the sliding-block board
  images/minigames/Klotsky/                     background, Glow (registered)
        and the blocks
  images/minigames/Labyrinth/Quest<q>/          Mask (its mask: the
        corridors), Ball, Bg, BgFinal

Every picture is a JPEG with its mask (white = opaque); masks have hard
edges and are written at quality 100, so flat black decodes to 0.

Kinds written here (WRITERS): mech_picture, with style "draw" naming one of
DRAWINGS and the drawing's own settings.
"""

import functools
import math
import random

from PIL import Image, ImageDraw, ImageFilter

from . import images

IMAGE_EXT = ".jpg"
MG = "images/minigames/"
SCREEN = (1024, 768)

STONE = (92, 84, 74, 255)
DARK = (40, 34, 30, 255)
PARCHMENT = (216, 201, 163, 255)
GOLD = (255, 214, 96, 255)
INK = (60, 40, 20, 255)
CLEAR = (0, 0, 0, 0)

LABELS = [
    ("TUTORIAL_RIDDLE_QUEST38", "I have teeth but never bite, and I open what is locked. Spell my name."),
]

# ---------------------------------------------------------------------------
# Shared drawing helpers


def _backdrop(top, bottom, size=SCREEN):
    w, h = size
    ramp = Image.linear_gradient("L").resize((w, h), Image.BILINEAR)
    return Image.composite(Image.new("RGBA", size, images.rgba(bottom)), Image.new("RGBA", size, images.rgba(top)),
                           ramp)


def _text(img, text, box, size, fill=(255, 255, 255, 255), stroke=(0, 0, 0, 255)):
    images.draw_text_block(img, [[text]], box, size, readable=6, fill=fill, stroke=stroke)


def _glow(img, radius):
    """The picture with a soft halo of its own colours around it."""
    halo = img.filter(ImageFilter.GaussianBlur(radius))
    return Image.alpha_composite(halo, img)


def _title(img, text):
    _text(img, text, (0, 700, 1024, 760), 26, fill=(230, 220, 190, 255))


# ---------------------------------------------------------------------------
# Rectangle tile sum (quest 14)

TILESUM_QUEST = 14
TILESUM = MG + "RearangeElements/Quest%d/" % TILESUM_QUEST
TILE = (110, 110)
ROW_TARGETS = [16, 17]
RECT_TARGETS = [9, 11, 13]
HOLES = (47, 33, 930, 420)
CROSSES = (150, 88, 700, 280)
ROW_GLOWS = [(870, 97), (868, 339)]
RECT_GLOWS = [(96, 478), (371, 495), (650, 498)]
ROW_GLOW_SIZE = (100, 60)
RECT_GLOW_SIZE = (160, 80)


def tilesum_slot(s):
    return 150 + 116 * (s % 6), 110 if s < 6 else 250


def draw_tilesum_tile(size, style):
    look = style["look"]
    fill = {"normal": PARCHMENT, "over": images.shade(PARCHMENT, 1.35), "final": GOLD}[look]
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    w, h = size
    d.rounded_rectangle([0, 0, w - 1, h - 1], radius=12, fill=fill, outline=images.shade(fill, 0.5), width=4)
    if look != "normal":
        d.rounded_rectangle([7, 7, w - 8, h - 8], radius=9, outline=(255, 255, 255, 255) if look == "over"
                            else (200, 90, 20, 255), width=3)
    _text(img, str(style["value"]), (8, 8, w - 8, h - 8), 70, fill=INK, stroke=images.shade(fill, 0.7))
    return img


def _rect_boxes():
    """The screen boxes of the three two-by-two rectangles."""
    boxes = []
    for k in range(3):
        x0, y0 = tilesum_slot(2 * k)
        boxes.append((x0, y0, x0 + 116 + TILE[0], y0 + 140 + TILE[1]))
    return boxes


def draw_tilesum_board(size, style):
    img = _backdrop("#30261e", "#5e4b3a")
    d = ImageDraw.Draw(img)
    for x0, y0, x1, y1 in _rect_boxes():
        d.rounded_rectangle([x0 - 10, y0 - 10, x1 + 10, y1 + 10], radius=14, fill=(70, 58, 48, 255),
                            outline=(150, 130, 100, 255), width=3)
    for s in range(12):
        x, y = tilesum_slot(s)
        d.rounded_rectangle([x - 2, y - 2, x + TILE[0] + 1, y + TILE[1] + 1], radius=12, fill=DARK)
    for (x, y), target in zip(ROW_GLOWS, ROW_TARGETS):
        _text(img, str(target), (x, y, x + ROW_GLOW_SIZE[0], y + ROW_GLOW_SIZE[1]), 40, fill=(150, 135, 110, 255))
    for (x, y), target in zip(RECT_GLOWS, RECT_TARGETS):
        _text(img, str(target), (x, y, x + RECT_GLOW_SIZE[0], y + RECT_GLOW_SIZE[1]), 48,
              fill=(150, 135, 110, 255))
    _text(img, "Rows: 16 and 17    Squares: 9, 11 and 13", (0, 600, 1024, 650), 22, fill=(210, 195, 160, 255))
    return img


def draw_tilesum_number(size, style):
    """A target number lit up, on a transparent ground."""
    img = Image.new("RGBA", size, CLEAR)
    w, h = size
    _text(img, str(style["value"]), (0, 0, w, h), int(h * 0.8), fill=(255, 236, 140, 255), stroke=(160, 80, 0, 255))
    return _glow(img, 4)


def draw_tilesum_holes(size, style):
    """The final glow behind the tiles: a golden halo round every slot."""
    ox, oy = HOLES[:2]
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    for s in range(12):
        x, y = tilesum_slot(s)
        x, y = x - ox, y - oy
        d.rounded_rectangle([x - 8, y - 8, x + TILE[0] + 7, y + TILE[1] + 7], radius=16, fill=(255, 210, 90, 255))
    return img.filter(ImageFilter.GaussianBlur(5))


def draw_tilesum_crosses(size, style):
    """Glowing lines along the rectangles' borders and between the rows,
    drawn in the gaps between the slots."""
    ox, oy = CROSSES[:2]
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    colour = (255, 230, 150, 255)
    gap_y = (110 + TILE[1] + 250) // 2 - oy
    d.rectangle([0, gap_y - 3, size[0] - 1, gap_y + 3], fill=colour)
    for k in (1, 2):
        x = 150 + 116 * 2 * k - 3 - ox
        d.rectangle([x - 3, 10, x + 3, size[1] - 10], fill=colour)
        d.line([(x - 14, gap_y - 14), (x + 14, gap_y + 14)], fill=colour, width=5)
        d.line([(x - 14, gap_y + 14), (x + 14, gap_y - 14)], fill=colour, width=5)
    return img


def _tilesum_lines():
    lines = [_picture(TILESUM + "bg", SCREEN, "tilesum_board")]
    for i in range(12):
        for suffix, look in (("", "normal"), ("MO", "over"), ("FIN", "final")):
            lines.append(_picture(TILESUM + "T%d%s" % (i, suffix), TILE, "tilesum_tile",
                                  value=i % 5 + 1, look=look))
    lines.append(_picture(TILESUM + "GlowHoles", HOLES[2:], "tilesum_holes"))
    lines.append(_picture(TILESUM + "CrossesGlow", CROSSES[2:], "tilesum_crosses"))
    for target in ROW_TARGETS:
        lines.append(_picture(TILESUM + "%dGlow" % target, ROW_GLOW_SIZE, "tilesum_number", value=target))
    for target in RECT_TARGETS:
        lines.append(_picture(TILESUM + "%dGlow" % target, RECT_GLOW_SIZE, "tilesum_number", value=target))
    return lines


def _tilesum_tuning():
    prefix = "MgRearangeElements.Quest%d." % TILESUM_QUEST
    rows = [(prefix + "HasBackground", "true", "rectangle tile sum, quest %d: background picture" % TILESUM_QUEST),
            (prefix + "NumberOfElements", 12, "twelve tiles in two rows of six")]
    for s in range(12):
        x, y = tilesum_slot(s)
        rows += [(prefix + "Slot%dPosX" % s, x, "slot %d, top-left corner" % s), (prefix + "Slot%dPosY" % s, y,
                                                                                   "slot %d" % s)]
    for i in range(12):
        rows.append((prefix + "Element%dImg" % i, "T%d" % i, "tile %d: worth %d" % (i, i % 5 + 1)))
    return rows


# ---------------------------------------------------------------------------
# Scrambled dials (quests 11, 20, 25, 55)

DIAL_SIZE = (400, 400)
DIAL_CORNER = (312, 184)
# Per quest: the ring radii from the outside in (the last ring is a disc),
# whether a final picture fades in, and the picture's colours.
DIAL_QUESTS = {
    11: {"radii": [200, 140, 80], "final": True, "colours": ("#2f6f8f", "#e8c070")},
    20: {"radii": [200, 110], "final": False, "colours": ("#6f2f4f", "#f0e0a0")},
    25: {"radii": [200, 140, 80], "final": True, "colours": ("#3f6f2f", "#f0d0f0")},
    55: {"radii": [200, 150, 100, 50], "final": False, "colours": ("#4f3f8f", "#c0f0e0")},
}
DIAL_TOLERANCE = 8


def _dial_emblem(quest):
    """The whole picture the rings show when every one stands at 0: bands,
    spokes, a star and an arrow pointing up."""
    base, light = DIAL_QUESTS[quest]["colours"]
    base, light = images.rgba(base), images.rgba(light)
    w, h = DIAL_SIZE
    cx, cy = w / 2, h / 2
    img = Image.new("RGBA", DIAL_SIZE, CLEAR)
    d = ImageDraw.Draw(img)
    d.ellipse([0, 0, w - 1, h - 1], fill=base)
    for r, c in ((196, images.shade(base, 0.6)), (170, base), (120, images.shade(base, 1.3)), (60, base)):
        d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=c)
    for k in range(12):
        a = math.radians(k * 30 - 90)
        d.line([(cx + 20 * math.cos(a), cy + 20 * math.sin(a)), (cx + 195 * math.cos(a), cy + 195 * math.sin(a))],
               fill=images.shade(light, 0.8), width=3)
    star = []
    for k in range(10):
        a = math.radians(k * 36 - 90)
        r = 185 if k % 2 == 0 else 75
        star.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    d.polygon(star, fill=light, outline=DARK)
    # The arrow up: every ring carries a piece of it.
    d.polygon([(cx, 6), (cx - 26, 60), (cx - 10, 60), (cx - 10, cy), (cx + 10, cy), (cx + 10, 60), (cx + 26, 60)],
              fill=(200, 40, 30, 255), outline=DARK)
    for k, letter in enumerate("NESW"):
        a = math.radians(k * 90 - 90)
        x, y = cx + 150 * math.cos(a), cy + 150 * math.sin(a)
        _text(img, letter, (int(x - 22), int(y - 22), int(x + 22), int(y + 22)), 32, fill=DARK, stroke=light)
    return img


def draw_dial_ring(size, style):
    """Ring `ring` of the quest's picture: the emblem inside the annulus,
    transparent elsewhere (hard edges: the mask decides which ring a press
    grabs)."""
    radii = DIAL_QUESTS[style["quest"]]["radii"] + [0]
    outer, inner = radii[style["ring"]], radii[style["ring"] + 1]
    w, h = size
    cx, cy = w / 2, h / 2
    keep = Image.new("L", size, 0)
    d = ImageDraw.Draw(keep)
    d.ellipse([cx - outer, cy - outer, cx + outer - 1, cy + outer - 1], fill=255)
    if inner > 0:
        d.ellipse([cx - inner, cy - inner, cx + inner - 1, cy + inner - 1], fill=0)
    img = _dial_emblem(style["quest"])
    alpha = Image.composite(img.getchannel("A"), keep, keep)
    img.putalpha(alpha)
    return img


def draw_dial_scene(size, style):
    quest = style["quest"]
    base, light = DIAL_QUESTS[quest]["colours"]
    img = _backdrop(images.shade(images.rgba(base), 0.35), images.shade(images.rgba(base), 0.8))
    d = ImageDraw.Draw(img)
    x, y = DIAL_CORNER
    d.ellipse([x - 16, y - 16, x + DIAL_SIZE[0] + 15, y + DIAL_SIZE[1] + 15], fill=(50, 40, 30, 255),
              outline=(180, 150, 90, 255), width=6)
    # A fixed pointer above the rings: every ring's arrow belongs under it.
    d.polygon([(512, y - 6), (497, y - 40), (527, y - 40)], fill=(230, 200, 120, 255), outline=DARK)
    if style["final"]:
        emblem = _dial_emblem(quest)
        img.alpha_composite(_glow(emblem, 10), (x, y))
        _text(img, "The dials are set", (0, 610, 1024, 680), 40, fill=images.rgba(light))
    else:
        _text(img, "Turn every ring until its arrow points up", (0, 610, 1024, 660), 24,
              fill=(220, 210, 190, 255))
    return img


def _dial_lines():
    lines = []
    for quest, dial in sorted(DIAL_QUESTS.items()):
        folder = MG + "05_scrdial/Quest%d/" % quest
        lines.append(_picture(folder + "bg", SCREEN, "dial_scene", quest=quest, final=False))
        if dial["final"]:
            lines.append(_picture(folder + "final", SCREEN, "dial_scene", quest=quest, final=True))
        for ring in range(len(dial["radii"])):
            lines.append(_picture(folder + "circ%d" % ring, DIAL_SIZE, "dial_ring", quest=quest, ring=ring))
    return lines


def _dial_tuning():
    rows = []
    for quest, dial in sorted(DIAL_QUESTS.items()):
        prefix = "MgScrambledDial.Quest%d." % quest
        rows += [(prefix + "HasFinal", "true" if dial["final"] else "false",
                  "scrambled dials, quest %d: a final picture" % quest),
                 (prefix + "HasBackground", "true", "background picture"),
                 (prefix + "NumberOfDials", len(dial["radii"]), "rings, outermost first"),
                 (prefix + "AngleTolerance", DIAL_TOLERANCE, "degrees within which a ring snaps"),
                 (prefix + "RotationFactor", 1, "ring degrees per pointer degree"),
                 (prefix + "DialsPosX", DIAL_CORNER[0], "every ring's corner"),
                 (prefix + "DialsPosY", DIAL_CORNER[1], "every ring's corner")]
    return rows


# ---------------------------------------------------------------------------
# Cypher wheels (quests 29, 58) and the secret niche (quest 38)

# The wheel's twelve glyphs clockwise from the right; each piece of a
# solution is one glyph, decoded when the wheel brings it under the pointer
# at the top, and its word begins with it.
GLYPHS = "AEGHKLNORSTY"
CYPHER_QUESTS = {
    29: {"corner": (312, 184), "size": 400, "glow": True, "words": ["SUN", "RISES", "EAST"],
         "symbol": (480, 104), "word_y": 608, "word_x0": 312, "colour": "#6a4a8a"},
    58: {"corner": (312, 184), "size": 400, "glow": True, "words": ["GOLD", "LIES", "NORTH", "EAST"],
         "symbol": (480, 104), "word_y": 608, "word_x0": 252, "colour": "#2a6a6a"},
    38: {"corner": (40, 250), "size": 320, "glow": False, "words": ["K", "E", "Y"],
         "symbol": (168, 172), "word_y": 560, "word_x0": 420, "colour": "#7a5a3a"},
}
WORD_SIZE = (120, 60)
SYMBOL_SIZE = (64, 64)
NICHE_QUEST = 38
KEY_SIZE = (600, 302)
DRAWER_SIZE = (230, 150)


def cypher_angle(quest, k):
    """The wheel angle that brings piece k's glyph (sector g, centred at
    g * 30 degrees, 0 to the right, clockwise) under the pointer at the
    top: g * 30 + angle = 270."""
    glyph = GLYPHS.index(CYPHER_QUESTS[quest]["words"][k][0])
    return (270 - 30 * glyph) % 360


def cypher_glyph(quest, k):
    return CYPHER_QUESTS[quest]["words"][k][0]


def draw_cypher_wheel(size, style):
    quest = CYPHER_QUESTS[style["quest"]]
    colour = images.rgba(quest["colour"])
    w, h = size
    cx, cy = w / 2, h / 2
    r = w / 2
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    d.ellipse([0, 0, w - 1, h - 1], fill=images.shade(colour, 0.6))
    d.ellipse([w * 0.04, h * 0.04, w * 0.96 - 1, h * 0.96 - 1], fill=colour)
    for k in range(12):
        a = math.radians(k * 30 + 15)
        d.line([(cx + r * 0.35 * math.cos(a), cy + r * 0.35 * math.sin(a)),
                (cx + r * 0.96 * math.cos(a), cy + r * 0.96 * math.sin(a))], fill=images.shade(colour, 0.5), width=3)
    for k, glyph in enumerate(GLYPHS):
        a = math.radians(k * 30)
        x, y = cx + r * 0.72 * math.cos(a), cy + r * 0.72 * math.sin(a)
        box = int(r * 0.2)
        _text(img, glyph, (int(x - box), int(y - box), int(x + box), int(y + box)), int(r * 0.22), fill=PARCHMENT,
              stroke=DARK)
    d.ellipse([cx - r * 0.3, cy - r * 0.3, cx + r * 0.3, cy + r * 0.3], fill=images.shade(colour, 1.4),
              outline=DARK, width=3)
    return img


def draw_cypher_highlight(size, style):
    """A lit wedge over the glyph sector that piece `piece` decodes, in the
    wheel's own (unturned) frame."""
    sector = GLYPHS.index(cypher_glyph(style["quest"], style["piece"]))
    w, h = size
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    start = sector * 30 - 15
    d.pieslice([4, 4, w - 5, h - 5], start, start + 30, fill=(255, 240, 160, 150), outline=(255, 220, 90, 255),
               width=6)
    # The hub stays clear: only the glyph's sector lights up.
    d.ellipse([w * 0.3, h * 0.3, w * 0.7, h * 0.7], fill=CLEAR)
    return img


def draw_cypher_symbol(size, style):
    img = Image.new("RGBA", size, CLEAR)
    w, h = size
    ImageDraw.Draw(img).ellipse([2, 2, w - 3, h - 3], fill=GOLD, outline=(150, 80, 10, 255), width=3)
    _text(img, style["text"], (6, 6, w - 6, h - 6), 40, fill=INK, stroke=GOLD)
    return img


def draw_cypher_word(size, style):
    img = images.kind_panel(size, {"color": PARCHMENT, "label": None})
    w, h = size
    _text(img, style["text"], (6, 4, w - 6, h - 4), 32, fill=INK, stroke=PARCHMENT)
    return img


def draw_cypher_scene(size, style):
    quest_id = style["quest"]
    quest = CYPHER_QUESTS[quest_id]
    colour = images.rgba(quest["colour"])
    img = _backdrop(images.shade(colour, 0.3), images.shade(colour, 0.7))
    d = ImageDraw.Draw(img)
    x, y = quest["corner"]
    s = quest["size"]
    d.ellipse([x - 12, y - 12, x + s + 11, y + s + 11], fill=DARK, outline=(180, 150, 90, 255), width=5)
    mid = x + s // 2
    d.polygon([(mid, y + 4), (mid - 16, y - 30), (mid + 16, y - 30)], fill=(230, 200, 120, 255), outline=DARK)
    for k in range(len(quest["words"])):
        wx, wy = _word_place(quest, k)
        d.rounded_rectangle([wx - 4, wy - 4, wx + WORD_SIZE[0] + 3, wy + WORD_SIZE[1] + 3], radius=10,
                            outline=(150, 130, 100, 255), width=2)
    if quest_id == NICHE_QUEST:
        dx, dy = 411, 336
        d.rectangle([dx - 10, dy - 10, dx + DRAWER_SIZE[0] + 9, dy + DRAWER_SIZE[1] + 9], fill=DARK,
                    outline=(120, 100, 70, 255), width=4)
    if style.get("glow"):
        glow = Image.new("RGBA", size, CLEAR)
        ImageDraw.Draw(glow).ellipse([x - 60, y - 60, x + s + 59, y + s + 59], outline=(255, 230, 140, 255),
                                     width=24)
        img.alpha_composite(glow.filter(ImageFilter.GaussianBlur(18)))
        _text(img, "Decoded", (0, 30, 1024, 90), 40, fill=GOLD)
    return img


def draw_niche_key(size, style):
    w, h = size
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    metal = (255, 230, 120, 255) if style.get("glow") else (190, 160, 80, 255)
    edge = (110, 80, 20, 255)
    d.ellipse([10, 40, 230, 260], fill=metal, outline=edge, width=8)
    d.ellipse([80, 110, 160, 190], fill=CLEAR, outline=edge, width=6)
    d.rectangle([220, 125, 560, 175], fill=metal, outline=edge, width=6)
    for x in (430, 500):
        d.rectangle([x, 175, x + 40, 250], fill=metal, outline=edge, width=6)
    d.polygon([(560, 125), (590, 150), (560, 175)], fill=metal, outline=edge)
    if style.get("glow"):
        img = _glow(img, 10)
    return img


def draw_niche_drawer(size, style):
    w, h = size
    img = Image.new("RGBA", size, CLEAR)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, w - 1, h - 1], fill=(120, 80, 45, 255), outline=(60, 35, 15, 255), width=6)
    for y in range(20, h - 10, 18):
        d.line([(10, y), (w - 10, y)], fill=(105, 68, 38, 255), width=2)
    d.rounded_rectangle([w // 2 - 30, h // 2 - 10, w // 2 + 30, h // 2 + 10], radius=8, fill=(200, 170, 90, 255),
                        outline=(80, 55, 20, 255), width=3)
    return img


def _word_place(quest, k):
    return quest["word_x0"] + k * (WORD_SIZE[0] + 10), quest["word_y"]


def cypher_root(quest_id):
    quest = CYPHER_QUESTS[quest_id]
    x, y = quest["corner"]
    attrs = {"background": "bg"}
    if quest["glow"]:
        attrs["glow"] = "glow"
    attrs.update({"angleTolerance": 5, "rotationFactor": 1, "dialX": x, "dialY": y, "dialImage": "wheel"})
    components = []
    for k in range(len(quest["words"])):
        angle = cypher_angle(quest_id, k)
        wx, wy = _word_place(quest, k)
        sx, sy = quest["symbol"]
        components.append(("SolutionComponent", {"wheelOverlay": "hl%d" % (k + 1), "angle": angle}, [
            ("WheelSymbol", {"image": "ws%d" % (k + 1), "x": sx, "y": sy}),
            ("WordSymbol", {"image": "w%d" % (k + 1), "x": wx, "y": wy}),
        ]))
    return ("Game", attrs, components)


def _cypher_lines():
    lines = []
    for quest_id, quest in sorted(CYPHER_QUESTS.items()):
        folder = MG + "CypherWheel/Quest%d/" % quest_id
        lines.append(("config/minigames/CypherWheel/Quest%d.xml" % quest_id, None, "xml",
                      {"root": cypher_root(quest_id)}))
        lines.append(_picture(folder + "bg", SCREEN, "cypher_scene", quest=quest_id))
        if quest["glow"]:
            lines.append(_picture(folder + "glow", SCREEN, "cypher_scene", quest=quest_id, glow=True))
        size = (quest["size"], quest["size"])
        lines.append(_picture(folder + "wheel", size, "cypher_wheel", quest=quest_id))
        for k, word in enumerate(quest["words"]):
            lines += [
                _picture(folder + "hl%d" % (k + 1), size, "cypher_highlight", quest=quest_id, piece=k),
                _picture(folder + "ws%d" % (k + 1), SYMBOL_SIZE, "cypher_symbol", text=cypher_glyph(quest_id, k)),
                _picture(folder + "w%d" % (k + 1), WORD_SIZE, "cypher_word", text=word),
            ]
    niche = MG + "CypherWheel/Quest%d/" % NICHE_QUEST
    lines += [_picture(niche + "key", KEY_SIZE, "niche_key"),
              _picture(niche + "keyG", KEY_SIZE, "niche_key", glow=True),
              _picture(niche + "drawer", DRAWER_SIZE, "niche_drawer")]
    return lines


def _cypher_tuning():
    return [("MgCypherWheel.Quest%d.GameXmlFile" % q, "Quest%d.xml" % q,
             "cypher wheel, quest %d: its description file" % q) for q in sorted(CYPHER_QUESTS)]


# ---------------------------------------------------------------------------
# Sliding blocks (quest 32)

KLOTSKY = MG + "Klotsky/"
KLOTSKY_ORIGIN = (262, 134)
KLOTSKY_CELL = 96
KLOTSKY_GAP = 4
KLOTSKY_ROWS, KLOTSKY_COLUMNS = 5, 4
KLOTSKY_WALL = (1, 3)
# (row, column, width, height, image, glow image): the big block first.
KLOTSKY_TILES = [
    (0, 0, 2, 2, "big", "bigG"),
    (0, 2, 1, 2, "tall", None),
    (2, 1, 1, 1, "small1", None),
    (4, 0, 2, 1, "wide", None),
    (3, 3, 1, 1, "small2", None),
]
# The big block must reach the bottom-left corner.
KLOTSKY_GOAL = (0, 3, 0)


def klotsky_cell(row, column):
    step = KLOTSKY_CELL + KLOTSKY_GAP
    return KLOTSKY_ORIGIN[0] + column * step, KLOTSKY_ORIGIN[1] + row * step


def klotsky_pattern():
    cells = ["0"] * (KLOTSKY_ROWS * KLOTSKY_COLUMNS)
    r, c = KLOTSKY_WALL
    cells[r * KLOTSKY_COLUMNS + c] = "7"
    return "".join(cells)


def _block_size(width, height):
    return (width * KLOTSKY_CELL + (width - 1) * KLOTSKY_GAP, height * KLOTSKY_CELL + (height - 1) * KLOTSKY_GAP)


def draw_klotsky_board(size, style):
    img = _backdrop("#1e2a30", "#3e5560")
    d = ImageDraw.Draw(img)
    x0, y0 = KLOTSKY_ORIGIN
    x1, y1 = klotsky_cell(KLOTSKY_ROWS, KLOTSKY_COLUMNS)
    d.rounded_rectangle([x0 - 18, y0 - 18, x1 + 14, y1 + 14], radius=16, fill=(70, 58, 48, 255),
                        outline=(160, 140, 100, 255), width=5)
    for r in range(KLOTSKY_ROWS):
        for c in range(KLOTSKY_COLUMNS):
            x, y = klotsky_cell(r, c)
            wall = (r, c) == KLOTSKY_WALL
            d.rectangle([x, y, x + KLOTSKY_CELL - 1, y + KLOTSKY_CELL - 1], fill=STONE if wall else DARK,
                        outline=(20, 16, 14, 255) if wall else (60, 52, 46, 255), width=3)
            if wall:
                for k in range(0, KLOTSKY_CELL, 24):
                    d.line([(x, y + k), (x + KLOTSKY_CELL - 1, y + k)], fill=(60, 54, 48, 255), width=2)
    _, gr, gc = KLOTSKY_GOAL
    gx, gy = klotsky_cell(gr, gc)
    w, h = _block_size(2, 2)
    d.rectangle([gx - 6, gy - 6, gx + w + 5, gy + h + 5], outline=(230, 190, 90, 255), width=4)
    _text(img, "Slide the great block into the golden frame", (0, 660, 1024, 700), 24, fill=(220, 210, 190, 255))
    return img


def draw_klotsky_glow(size, style):
    img = Image.new("RGBA", size, CLEAR)
    _, gr, gc = KLOTSKY_GOAL
    gx, gy = klotsky_cell(gr, gc)
    w, h = _block_size(2, 2)
    ImageDraw.Draw(img).rectangle([gx - 14, gy - 14, gx + w + 13, gy + h + 13], outline=(255, 220, 120, 255),
                                  width=18)
    return img.filter(ImageFilter.GaussianBlur(8))


def draw_klotsky_block(size, style):
    colour = GOLD if style.get("glow") else images.rgba(style["colour"])
    img = Image.new("RGBA", size, CLEAR)
    w, h = size
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([0, 0, w - 1, h - 1], radius=10, fill=colour, outline=images.shade(colour, 0.45), width=5)
    d.rounded_rectangle([10, 10, w - 11, h - 11], radius=6, outline=images.shade(colour, 1.3), width=2)
    if style.get("mark"):
        _text(img, style["mark"], (12, 12, w - 12, h - 12), 60, fill=images.shade(colour, 0.4),
              stroke=images.shade(colour, 1.2))
    return img


KLOTSKY_COLOURS = {"big": ("#c05a3a", "*"), "tall": ("#5a7ac0", ""), "small1": ("#7ab05a", ""),
                   "wide": ("#b09a5a", ""), "small2": ("#9a5ab0", "")}


def klotsky_root():
    tiles = []
    for row, column, width, height, image, glow in KLOTSKY_TILES:
        attrs = {"row": row, "column": column, "width": width, "height": height, "image": image}
        if glow:
            attrs["glowImage"] = glow
        tiles.append(("Tile", attrs))
    tile_id, row, column = KLOTSKY_GOAL
    return ("KlotskyGame", {}, [
        ("Board", {"numRows": KLOTSKY_ROWS, "numColumns": KLOTSKY_COLUMNS, "pattern": klotsky_pattern()}),
    ] + tiles + [("Solution", {}, [("Condition", {"tileId": tile_id, "row": row, "column": column})])])


def _klotsky_lines():
    lines = [("config/minigames/Klotsky/Board1.xml", None, "xml", {"root": klotsky_root()}),
             (KLOTSKY + "background" + IMAGE_EXT, SCREEN, "mech_picture", {"draw": "klotsky_board", "mask": False}),
             _picture(KLOTSKY + "Glow", SCREEN, "klotsky_glow")]
    for _, _, width, height, image, glow in KLOTSKY_TILES:
        colour, mark = KLOTSKY_COLOURS[image]
        size = _block_size(width, height)
        lines.append(_picture(KLOTSKY + image, size, "klotsky_block", colour=colour, mark=mark))
        if glow:
            lines.append(_picture(KLOTSKY + glow, size, "klotsky_block", colour=colour, mark=mark, glow=True))
    return lines


def _klotsky_tuning():
    return [("MgKlotsky.BoardOriginX", KLOTSKY_ORIGIN[0], "sliding blocks: the corner of cell 0, 0"),
            ("MgKlotsky.BoardOriginY", KLOTSKY_ORIGIN[1], "the corner of cell 0, 0"),
            ("MgKlotsky.TileWidth", KLOTSKY_CELL, "cell size, pixels"),
            ("MgKlotsky.TileHeight", KLOTSKY_CELL, "cell size, pixels"),
            ("MgKlotsky.TileDistance", KLOTSKY_GAP, "gap between cells, pixels"),
            ("MgKlotsky.GameXmlFile", "Board1.xml", "the board, its blocks and the solution")]


# ---------------------------------------------------------------------------
# Labyrinth (quests 43, 72)

MAZE_CORNER = (112, 84)
MAZE_SIZE = (800, 600)
# Per quest: columns, rows, cell size, corridor width, random seed.
MAZES = {
    43: {"columns": 10, "rows": 7, "cell": 80, "corridor": 40, "seed": 43},
    72: {"columns": 8, "rows": 6, "cell": 100, "corridor": 44, "seed": 72},
}
BALL_SIZE = (32, 32)
WALL_RANGE = 6
WALL_THRESHOLD = 64
GOAL_TOLERANCE = 20


@functools.lru_cache(maxsize=None)
def maze(quest):
    """(cell centres in mask pixels by (column, row), passages as pairs of
    cells): a random spanning tree of the grid, from a fixed seed."""
    m = MAZES[quest]
    cols, rows, cell = m["columns"], m["rows"], m["cell"]
    ox = (MAZE_SIZE[0] - cols * cell) // 2
    oy = (MAZE_SIZE[1] - rows * cell) // 2
    centres = {(c, r): (ox + c * cell + cell // 2, oy + r * cell + cell // 2) for c in range(cols) for r in range(rows)}
    rng = random.Random(m["seed"])
    seen = {(0, 0)}
    stack = [(0, 0)]
    passages = []
    while stack:
        c, r = stack[-1]
        nexts = [(c + dc, r + dr) for dc, dr in ((1, 0), (-1, 0), (0, 1), (0, -1))
                 if (c + dc, r + dr) in centres and (c + dc, r + dr) not in seen]
        if not nexts:
            stack.pop()
            continue
        n = nexts[rng.randrange(len(nexts))]
        seen.add(n)
        passages.append(((c, r), n))
        stack.append(n)
    return centres, tuple(passages)


def maze_start_goal(quest):
    """Screen points of the ball's start and of the goal: the first and the
    last cell's centres."""
    centres, _ = maze(quest)
    m = MAZES[quest]
    sx, sy = centres[(0, 0)]
    gx, gy = centres[(m["columns"] - 1, m["rows"] - 1)]
    ox, oy = MAZE_CORNER
    return (ox + sx, oy + sy), (ox + gx, oy + gy)


def _maze_corridors(quest, fill, widen=0):
    """The corridors drawn in `fill` on a transparent mask-sized picture."""
    centres, passages = maze(quest)
    half = MAZES[quest]["corridor"] // 2 + widen
    img = Image.new("RGBA", MAZE_SIZE, CLEAR)
    d = ImageDraw.Draw(img)
    for (x, y) in centres.values():
        d.rectangle([x - half, y - half, x + half - 1, y + half - 1], fill=fill)
    for a, b in passages:
        (x0, y0), (x1, y1) = sorted((centres[a], centres[b]))
        d.rectangle([x0 - half, y0 - half, x1 + half - 1, y1 + half - 1], fill=fill)
    return img


def draw_maze_mask(size, style):
    """Opaque white corridors, transparent walls: the game's wall test."""
    return _maze_corridors(style["quest"], (255, 255, 255, 255))


def draw_maze_scene(size, style):
    quest = style["quest"]
    final = style.get("final", False)
    img = _backdrop("#1c2b1c", "#3c5a34")
    ox, oy = MAZE_CORNER
    board = Image.new("RGBA", MAZE_SIZE, (58, 74, 50, 255))
    d = ImageDraw.Draw(board)
    for x in range(0, MAZE_SIZE[0], 20):
        d.line([(x, 0), (x, MAZE_SIZE[1])], fill=(50, 66, 44, 255), width=2)
    board.alpha_composite(_maze_corridors(quest, (34, 26, 20, 255), widen=3))
    board.alpha_composite(_maze_corridors(quest, (196, 176, 130, 255)))
    if final:
        board.alpha_composite(_maze_corridors(quest, (255, 226, 140, 255)).filter(ImageFilter.GaussianBlur(3)))
    img.alpha_composite(board, (ox, oy))
    d = ImageDraw.Draw(img)
    d.rectangle([ox - 6, oy - 6, ox + MAZE_SIZE[0] + 5, oy + MAZE_SIZE[1] + 5], outline=(120, 100, 60, 255), width=6)
    (sx, sy), (gx, gy) = maze_start_goal(quest)
    d.ellipse([gx - 18, gy - 18, gx + 18, gy + 18], fill=(230, 190, 60, 255) if final else (120, 90, 40, 255),
              outline=DARK, width=3)
    d.ellipse([sx - 6, sy - 6, sx + 6, sy + 6], outline=(90, 70, 50, 255), width=2)
    if final:
        _text(img, "The way out", (0, 14, 1024, 70), 36, fill=GOLD)
    return img


def draw_maze_ball(size, style):
    img = images.kind_sprite(size, {"color": "#c8d0e0", "label": None})
    # A hard edge: the ball is grabbed on its disc only.
    alpha = Image.new("L", size, 0)
    ImageDraw.Draw(alpha).ellipse([1, 1, size[0] - 2, size[1] - 2], fill=255)
    img.putalpha(alpha)
    return img


def _maze_lines():
    lines = []
    for quest in sorted(MAZES):
        folder = MG + "Labyrinth/Quest%d/" % quest
        lines += [_picture(folder + "Mask", MAZE_SIZE, "maze_mask", quest=quest),
                  _picture(folder + "Ball", BALL_SIZE, "maze_ball"),
                  _picture(folder + "Bg", SCREEN, "maze_scene", quest=quest),
                  _picture(folder + "BgFinal", SCREEN, "maze_scene", quest=quest, final=True)]
    return lines


def _maze_tuning():
    rows = [("MgLabyrinth.WallDetectionRange", WALL_RANGE, "labyrinth: radius of the wall test's disc, pixels"),
            ("MgLabyrinth.WallDetectionTreshold", WALL_THRESHOLD, "largest mean mask alpha that is a wall"),
            ("MgLabyrinth.GoalTolerance", GOAL_TOLERANCE, "a release closer than this to the goal wins")]
    for quest in sorted(MAZES):
        prefix = "MgLabyrinth.Quest%d." % quest
        (sx, sy), (gx, gy) = maze_start_goal(quest)
        rows += [(prefix + "MaskX", MAZE_CORNER[0], "labyrinth, quest %d: the mask's corner" % quest),
                 (prefix + "MaskY", MAZE_CORNER[1], "the mask's corner"),
                 (prefix + "StartX", sx, "the ball's first centre"), (prefix + "StartY", sy, "the ball's first centre"),
                 (prefix + "GoalX", gx, "the goal"), (prefix + "GoalY", gy, "the goal")]
    return rows


# ---------------------------------------------------------------------------
# Writers and table

DRAWINGS = {
    "tilesum_tile": draw_tilesum_tile,
    "tilesum_board": draw_tilesum_board,
    "tilesum_number": draw_tilesum_number,
    "tilesum_holes": draw_tilesum_holes,
    "tilesum_crosses": draw_tilesum_crosses,
    "dial_ring": draw_dial_ring,
    "dial_scene": draw_dial_scene,
    "cypher_wheel": draw_cypher_wheel,
    "cypher_highlight": draw_cypher_highlight,
    "cypher_symbol": draw_cypher_symbol,
    "cypher_word": draw_cypher_word,
    "cypher_scene": draw_cypher_scene,
    "niche_key": draw_niche_key,
    "niche_drawer": draw_niche_drawer,
    "klotsky_board": draw_klotsky_board,
    "klotsky_glow": draw_klotsky_glow,
    "klotsky_block": draw_klotsky_block,
    "maze_mask": draw_maze_mask,
    "maze_scene": draw_maze_scene,
    "maze_ball": draw_maze_ball,
}


def write_picture(path, size, kind, style):
    img = DRAWINGS[style["draw"]](tuple(size), style)
    if not style.get("mask", True):
        # A picture without a mask file is drawn opaque by the game.
        picture = img.convert("RGB")
        images.save_jpeg(picture, path, images.JPEG_QUALITY)
        return [path]
    return images.save_image(img, path, {"quality": 95})


WRITERS = {"mech_picture": write_picture}


# Whole-screen pictures drawn opaque everywhere: no mask file (an all-white
# mask would only cost a load and an alpha channel).
OPAQUE_DRAWINGS = {"tilesum_board", "dial_scene", "cypher_scene", "maze_scene"}


def _picture(stem, size, draw, **style):
    if draw in OPAQUE_DRAWINGS:
        style.setdefault("mask", False)
    return (stem + IMAGE_EXT, size, "mech_picture", dict(style, draw=draw, label=False))


def table_lines():
    """Generator table lines (path under the content folder, size, kind,
    style)."""
    return _tilesum_lines() + _dial_lines() + _cypher_lines() + _klotsky_lines() + _maze_lines()


TUNING = _tilesum_tuning() + _dial_tuning() + _cypher_tuning() + _klotsky_tuning() + _maze_tuning()
