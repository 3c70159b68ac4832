"""The minigames' content: the frame's labels and tuning keys, each game's
description files and the pictures the games load by name at run time (the
registered textures are in tools/content_manifest.tsv).

  LABELS       (id, text) rows for the label file: the frame's words and,
               for every quest a minigame is opened for, its
               "TUTORIAL_Quest<id>" and "GAME_FINISHED_Quest<id>" texts
  TUNING       (key, value, comment) rows for GameParameters.cfg
  table_lines  generator table lines of the files below

Files:
  config/minigames/CastingSpells/game.xml         the drawing area and spells
  images/minigames/CastingSpells/spell<n>[G].jpg   the spell pictures (the
                                                   shape drawn on them)
  images/minigames/CastingSpells/mark<n>.jpg       the marks
  images/minigames/RearangeElements/Quest<q>/      cipher tiles: bg, bgGlow,
                                                   overlay, <L>, <L>MO,
                                                   <L>Active per letter

Kinds written here (WRITERS):
  spell_frame  a spell picture: the curve drawn on a panel; style points
               (the curve), glow (the lit look), index (colour)
  cipher_tile  a symbol tile or the banner; style text, look (normal, over,
               active or banner)
"""

from PIL import Image, ImageDraw, ImageFilter

from . import images, story

IMAGE_EXT = ".jpg"
MINIGAME_IMAGES = "images/minigames/"
CASTING_XML = "config/minigames/CastingSpells/game.xml"
CASTING_IMAGES = MINIGAME_IMAGES + "CastingSpells/"
TILE_IMAGES = MINIGAME_IMAGES + "RearangeElements/"

# ---------------------------------------------------------------------------
# Labels

FRAME_LABELS = [
    ("SKIP", "Skip"),
    ("MINIGAME_FINISHED_CAPTION", "Well done"),
    ("SKIP_PUZZLE", "Skip puzzle"),
    ("SKIP_MINIGAME", "Do you really want to skip this puzzle? It will count as done, but it earns no points."),
]

# What each game's tutorial and finished messages say.
GAME_TEXTS = {
    "MgRearrangeElements": ("This puzzle has nothing to solve yet. Use the skip button once it is ready.",
                            "The puzzle is done."),
    "MgMemoryMatch": ("Press Start. Symbols slide through the window one after another: for each new one, "
                      "tell whether it is the same as the one before it.",
                      "Your memory served you well."),
    "MgImagePuzzle": ("Click a piece to pick it up and click again to put it down. A piece put down close to "
                      "its place in the picture stays there.",
                      "The picture is whole again."),
    "MgWhackAMole": ("Click the squirrels that hold a piece of the necklace before they hide again.",
                     "The necklace is whole again."),
    "MgScrambledDial": ("Turn the dials until every ring shows its part of the picture.",
                        "The dials are set."),
    "MgRectangleTileSum": ("Swap the number tiles until the sums of the rows are right.",
                           "The sums are right."),
    "MgCipherTiles": ("Click two tiles to swap them. Arrange the symbols so that they spell the word on the "
                      "banner. A tile in its place lights up.",
                      "The cipher is solved."),
    "MgShootingPractice": ("Press Aim, then stop the dot on the flat bar and on the upright bar to aim. Five "
                           "arrows finish the practice.",
                           "A fine shot."),
    "MgCypherWheel": ("Turn the wheel to find the letters of the hidden word.", "The word is found."),
    "MgKlotsky": ("Slide the blocks to free the way for the large one.", "The way is free."),
    "MgFaceDrawing": ("Join the stars in order to draw the face.", "The face is drawn."),
    "MgSecretNiche": ("Set the wheel to the answer of the riddle to open the niche.", "The niche is open."),
    "MgTriangleCount": ("Count the triangles in the picture. Set your count with the knobs (+ adds one, - takes "
                        "one away) and press Check.", "That is the right count."),
    "MgLabyrinth": ("Drag the ball through the labyrinth to its end without touching the walls.",
                    "You found the way out."),
    "MgZodiacSigns": ("Drag each sign onto its place among the stars.", "The signs are in their places."),
    "MgCastingSpells": ("Trace the shape of the blinking spell in the drawing area on the right. Either end "
                        "may be your start. Cast every spell in turn.",
                        "Every spell is cast."),
    "MgCollectArmour": ("Click the armour pieces lying about to gather them in their frames. Drag each "
                        "complete piece of armour onto the stand.", "The armour is complete."),
    "MgSumTheNumbers": ("Click two numbers to swap them. Place them so that every sum on the board comes out "
                        "right.", "The sums are right."),
}


# Quests a minigame is opened for outside the story's scripts, with its
# class: the tile-swap base alone, which has tuning keys of its own.
OTHER_MINIGAME_QUESTS = {1: "MgRearrangeElements"}


def minigame_quests():
    """{quest id: minigame class} of the story's scene scripts and of
    OTHER_MINIGAME_QUESTS."""
    quests = dict(OTHER_MINIGAME_QUESTS)
    for row in story.SCENES:
        for step in row:
            if isinstance(step, tuple):
                quests[step[0]] = step[1]
    return quests


def labels():
    rows = list(FRAME_LABELS)
    for quest, game in sorted(minigame_quests().items()):
        tutorial, finished = GAME_TEXTS[game]
        rows.append(("TUTORIAL_Quest%d" % quest, tutorial))
        rows.append(("GAME_FINISHED_Quest%d" % quest, finished))
    return rows


LABELS = labels()

# ---------------------------------------------------------------------------
# Tuning keys

# Cipher tiles: a 3 x 2 board of 160 x 160 tiles.
CIPHER_QUESTS = {
    17: {"solution": "ABCDEF", "glow": True},
    49: {"solution": "FEDCBA", "glow": False},
}
CIPHER_LETTERS = "ABCDEF"
TILE_SIZE = (160, 160)


def _slot(i):
    return 232 + 200 * (i % 3), 150 + 220 * (i // 3)


def _cipher_tuning(quest, solution, glow):
    prefix = "MgRearangeElements.Quest%d." % quest
    rows = [(prefix + "HasBackground", "true", "cipher tiles, quest %d: background picture" % quest),
            (prefix + "NumberOfElements", len(CIPHER_LETTERS), "slots and tiles")]
    for i in range(len(CIPHER_LETTERS)):
        x, y = _slot(i)
        rows += [(prefix + "Slot%dPosX" % i, x, "slot %d, top-left corner" % i),
                 (prefix + "Slot%dPosY" % i, y, "slot %d" % i)]
    for i, letter in enumerate(CIPHER_LETTERS):
        rows.append((prefix + "Element%dImg" % i, letter, "tile %d: picture name and symbol" % i))
    rows += [(prefix + "Solution", solution, "the symbol wanted in each slot, slot 0 first"),
             (prefix + "HasGlow", "true" if glow else "false", "a glow picture when solved"),
             (prefix + "GlowX", 0, "glow corner"), (prefix + "GlowY", 0, "glow corner"),
             (prefix + "OverlayX", 312, "banner over the tiles"), (prefix + "OverlayY", 20, "banner")]
    return rows


TUNING = [
    ("Game.Images.Extension", IMAGE_EXT, "extension of the pictures the screens name at run time"),
    ("MiniGameBase.SkipButton.CountdownTime", 10000, "ms before a minigame's skip button can be used"),
    # The tile-swap base alone has no tiles: it can only be skipped.
    ("MgRearangeElements.Quest1.HasBackground", "false", "tile-swap base, quest 1: no background"),
    ("MgRearangeElements.Quest1.NumberOfElements", 0, "no slots"),
]
for _quest, _game in sorted(CIPHER_QUESTS.items()):
    TUNING += _cipher_tuning(_quest, _game["solution"], _game["glow"])

# ---------------------------------------------------------------------------
# Casting spells

SURFACE = (515, 195, 400, 400)
# The spells' curves in the drawing area's own pixels, in drawing order.
SPELLS = [
    [(40, 200), (120, 200), (200, 200), (280, 200), (360, 200)],   # left to right
    [(200, 40), (200, 120), (200, 200), (200, 280), (200, 360)],   # top to bottom
    [(110, 50), (110, 200), (110, 340), (220, 340), (330, 340)],   # an L
]
SPELL_FRAME = (160, 120)
MARK_SIZE = (48, 48)


def _spell_place(n):
    """Frame and mark corners of spell n (0-based), down the left half."""
    frame = (140, 180 + 150 * n)
    return frame, (frame[0] + SPELL_FRAME[0] + 24, frame[1] + 36)


def casting_root():
    spells = []
    for n, curve in enumerate(SPELLS):
        (fx, fy), (gx, gy) = _spell_place(n)
        spells.append(("Spell", {}, [
            ("Curve", {}, [("Point", {"x": x, "y": y}) for x, y in curve]),
            ("Frame", {"image": "spell%d" % (n + 1), "x": fx, "y": fy}),
            ("FrameGlow", {"image": "spell%dG" % (n + 1)}),
            ("Glow", {"image": "mark%d" % (n + 1), "x": gx, "y": gy}),
        ]))
    x, y, w, h = SURFACE
    return ("Game", {}, [("DrawSurface", {"x": x, "y": y, "w": w, "h": h})] + spells)


# ---------------------------------------------------------------------------
# Writers

PARCHMENT = (216, 201, 163, 255)
GOLD = (255, 214, 96, 255)
INK = (60, 40, 20, 255)


def _fit(points, size, margin):
    """The points scaled evenly into the box, centred."""
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    w, h = size
    span = max(max(xs) - min(xs), max(ys) - min(ys), 1)
    k = min(w - 2 * margin, h - 2 * margin) / span
    cx, cy = (max(xs) + min(xs)) / 2, (max(ys) + min(ys)) / 2
    return [(w / 2 + (x - cx) * k, h / 2 + (y - cy) * k) for x, y in points]


def draw_spell_frame(size, style):
    w, h = size
    lit = style.get("glow", False)
    img = images.kind_panel(size, {"color": GOLD if lit else PARCHMENT, "label": None})
    pts = _fit(style["points"], size, 18)
    line = Image.new("RGBA", size, (0, 0, 0, 0))
    d = ImageDraw.Draw(line)
    if lit:
        d.line(pts, fill=(255, 255, 255, 255), width=12, joint="curve")
        line = line.filter(ImageFilter.GaussianBlur(3))
        d = ImageDraw.Draw(line)
    d.line(pts, fill=(150, 40, 20, 255) if lit else INK, width=5, joint="curve")
    x, y = pts[0]
    d.ellipse([x - 6, y - 6, x + 6, y + 6], fill=(40, 120, 40, 255))
    return Image.alpha_composite(img, line)


TILE_LOOKS = {
    "normal": (PARCHMENT, INK, None),
    "over": (images.shade(PARCHMENT, 1.3), INK, (255, 255, 255, 255)),
    "active": (GOLD, (120, 30, 10, 255), (255, 120, 0, 255)),
    "banner": ((70, 50, 30, 255), GOLD, None),
}


def draw_cipher_tile(size, style):
    w, h = size
    fill, ink, ring = TILE_LOOKS[style.get("look", "normal")]
    img = images.kind_panel(size, {"color": fill, "label": None})
    if ring:
        inset = max(3, min(w, h) // 20)
        ImageDraw.Draw(img).rounded_rectangle([inset, inset, w - 1 - inset, h - 1 - inset],
                                              radius=max(4, min(w, h) // 10), outline=ring,
                                              width=max(2, min(w, h) // 32))
    images.draw_text_block(img, [[style["text"]]], (4, 4, w - 4, h - 4), int(h * 0.6), readable=8,
                           fill=ink, stroke=images.shade(fill, 0.7))
    return img


def _write(draw):
    def write(path, size, kind, style):
        return images.save_image(draw(tuple(size), style), path, {"quality": 100})
    return write


WRITERS = {"spell_frame": _write(draw_spell_frame), "cipher_tile": _write(draw_cipher_tile)}

# ---------------------------------------------------------------------------
# Table


def _texture(path, size, look, index, ids, mask, **extra):
    style = dict({"look": look, "ids": ids, "mask": mask, "index": index, "label": False}, **extra)
    return (path, size, "texture", style)


def table_lines():
    """Generator table lines (path under the content folder, size, kind,
    style)."""
    lines = [(CASTING_XML, None, "xml", {"root": casting_root()})]
    for n, curve in enumerate(SPELLS):
        name = "spell%d" % (n + 1)
        lines += [
            (CASTING_IMAGES + name + IMAGE_EXT, SPELL_FRAME, "spell_frame", {"points": curve}),
            (CASTING_IMAGES + name + "G" + IMAGE_EXT, SPELL_FRAME, "spell_frame", {"points": curve, "glow": True}),
            _texture(CASTING_IMAGES + "mark%d" % (n + 1) + IMAGE_EXT, MARK_SIZE, "sprite", 300 + n,
                     ["mark%d" % (n + 1)], True),
        ]
    for quest, game in sorted(CIPHER_QUESTS.items()):
        folder = TILE_IMAGES + "Quest%d/" % quest
        lines += [
            _texture(folder + "bg" + IMAGE_EXT, (1024, 768), "backdrop", quest, ["Quest%d bg" % quest], False),
            _texture(folder + "bgGlow" + IMAGE_EXT, (1024, 768), "glow", quest + 7, ["Quest%d bgGlow" % quest],
                     True),
            (folder + "overlay" + IMAGE_EXT, (400, 60), "cipher_tile", {"text": game["solution"], "look": "banner"}),
        ]
        for letter in CIPHER_LETTERS:
            for suffix, look in (("", "normal"), ("MO", "over"), ("Active", "active")):
                lines.append((folder + letter + suffix + IMAGE_EXT, TILE_SIZE, "cipher_tile",
                              {"text": letter, "look": look}))
    return lines
