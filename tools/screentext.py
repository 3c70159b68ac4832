"""What a player needs to read and see where the screens draw over the
generated pictures; run by playability.py on the same content.

- Labels: no placeholder label (light letters with a dark rim) lies where
  a screen draws text whose place is known: the prologue's story band and
  heading, the chapter title line, the message dialogs' title and text,
  the name entry's texts on its panel, the conversations' text and name
  boxes over the characters' portraits, and the caption line of every
  caption the game draws on a button picture (BUTTON_CAPTIONS).  Pictures are judged as the
  screen shows them: a label under an opaque picture drawn later does not
  count.
- Contrast: each fixed-colour text the screens draw at a fixed place over
  generated pictures (SCREEN_CONTRAST) has a contrast ratio of at least its
  minimum against what lies under it.
- Controls: the options sliders' fill picture is a narrow tile, so the fill
  grows with the value; the shooting range's bars, turned and placed as
  the game does it, stay on the screen and clear of the shot counter.
- Tutorials: every quest a minigame can be opened for has its tutorial
  text ("TUTORIAL_Quest<id>").

The places and sizes below are the numbers the screens' code uses.  Each
fault is one problem line naming the file.
"""

import math
import re

from PIL import Image, ImageChops, ImageFilter, ImageStat

import playability
from playability import FONTS, TIMES16, TIMES24, TIMES60_NE, PH_SMALL

SCREEN = (1024, 768)
CONTENT = "content/"
TIMES24_WHITE, JESTER16, PH_BIG = FONTS + "Times24White.fnt", FONTS + "Jester16.fnt", FONTS + "PH_big.fnt"

# Label ink: a pixel whose 3 x 3 neighbourhood spans at least INK_STEP
# luminance levels (a light letter beside its dark rim).  The generated
# art's own edges under text (grids, gradients, soft blobs, button faces)
# stay far below it; a label, even a faint one, far above.  A place holds a
# label when at least INK_MIN such pixels lie in it.
INK_STEP = 64
INK_MIN = 12

# ---------------------------------------------------------------------------
# Where the screens draw text over pictures (the screens' own numbers)

INTRO_BG, INTRO_CLOUD = CONTENT + "images/menus/map/BgMap.jpg", CONTENT + "images/menus/IntroCloud.jpg"
INTRO_PORTRAITS = (CONTENT + "story/Velmor02.jpg", CONTENT + "story/Velmor.jpg")
INTRO_CLOUD_Y = 442
INTRO_PORTRAIT_CORNER = (1004, 542)             # the portrait's bottom-right corner
INTRO_WINDOW = (54, 581, 916, 174)              # the clipped window the story crawls through
INTRO_HEADING = (130, 522)                      # one run of Times24
INTRO_TEXTS = ("JOURNAL_0_0", "OUTRO_POEM")
INTRO_HEADINGS = ("JOURNAL_PROLOGUE", "JOURNAL_EPILOGUE")

CHAPTER_CLIP = CONTENT + "animations/ChapterTransition/Transition.xml"
CHAPTER_MARGIN = 16                             # the title keeps this far from the screen's sides

DIALOG_PANEL = CONTENT + "animations/UniversalDialog/MessageDialogPanel.png"
DIALOG_TITLE_Y = 24
DIALOG_TEXT_BOX = (46, 71, 404, 133)

# The name entry draws its opening clip's panel where the size of
# NAME_PANEL puts it (centred across); the texts in the panel's own pixels:
# the description, the name field and the mode
# description; the title (Times24, centred on the screen 10 px right, at y
# 24) and the mode captions (Times16NoEff, right-aligned at x 394 and 614,
# at y 290).
NAME_PANEL = CONTENT + "images/menus/profile/NameInputBg.jpg"
NAME_CLIP = CONTENT + "animations/PlayerName/DialogStart.xml"
NAME_TEXT_BOXES = [(96, 96, 820, 58), (348, 166, 352, 32), (292, 212, 460, 48)]
NAME_TITLE = (10, 24, TIMES24, "NEW_PLAYER")
NAME_CAPTIONS = [(394, 290, "CASUAL"), (614, 290, "FEARLESS")]
NAME_CAPTION_FONT = FONTS + "Times16NoEff.fnt"

DIALOG_FOLDER = CONTENT + "story/dialogs/"
CHARACTERS = DIALOG_FOLDER + "Characters.xml"

# Captions drawn over button pictures: (pictures, layout, font, label ids,
# which buttons).  Layouts: ("box", x, y, w, h): centred both ways in that
# box (QuarnButton and the front end's buttons); ("run",): centred across
# and (height - line height) / 2 - 4 down, one pixel of shadow below and
# right (the message dialogs' buttons).
SMALL = [CONTENT + "images/menus/SmlBtnN.jpg", CONTENT + "images/menus/SmlBtnO.jpg"]
WIDE = [CONTENT + "images/menus/MenuBtnN.jpg", CONTENT + "images/menus/MenuBtnO.jpg"]
OK_BUTTON = [CONTENT + "images/menus/OkBtnN.jpg", CONTENT + "images/menus/OkBtnO.jpg"]
SKIP_BUTTON = [CONTENT + "images/minigames/SkipBtnN.jpg", CONTENT + "images/minigames/SkipBtnO.jpg"]
STANDARD_BOX = ("box", 1, 7, 204, 34)
BUTTON_CAPTIONS = [
    (SMALL, STANDARD_BOX, TIMES16, ["MGSHOOTING_START_AIMING", "MGSHOOTING_STOP_DOT", "MGSHOOTING_CONTINUE"],
     "the shooting range's button"),
    (SMALL, ("run",), TIMES16, ["OK", "YES", "NO"], "a message dialog's button"),
    (SMALL, ("box", 25, 6, 147, 26), TIMES16, ["CREATE", "RENAME", "DELETE"], "a profiles menu button"),
    (SMALL, ("box", 25, 10, 145, 22), TIMES16, ["CANCEL", "OK"], "a name entry button"),
    (WIDE, STANDARD_BOX, TIMES16, ["PLAY", "CHANGE_PROFILE", "OPTIONS", "EXIT", "CREDITS", "HIGHSCORE",
                                   "MAIN_MENU", "CONTINUE", "START", "MATCH", "DONT_MATCH"],
     "a menu, map, journal or memory match button"),
    (OK_BUTTON, ("box", 40, 10, 40, 22), TIMES16, ["OK"], "an OK button of a menu"),
    (SKIP_BUTTON, ("box", 0, 0, None, None), TIMES16, ["SKIP", "=10"], "the minigame skip button"),
    ([CONTENT + "images/menus/BtnPlaceholderN.jpg", CONTENT + "images/menus/BtnPlaceholderO.jpg"],
     ("box", 32, 15, 102, 19), PH_SMALL, ["MAIN_MENU"], "the minigame menu's back button"),
]

# Fixed-colour text over generated pictures: (what, layers [(picture, x,
# y)], text place, colour, least contrast).  A place is (x, y, w, h), or
# ("centred", y, font, label ids) for one line centred on the screen and
# as wide as the widest of those labels.  Larger text (24 px and more)
# needs 3:1, smaller 4.5:1.
MEMORY = CONTENT + "images/minigames/01_memmatch/"
MEMORY_LAYERS = [(MEMORY + "Quest3/bg.jpg", 0, 0), (MEMORY + "PaperPatch.jpg", 328, 107), (MEMORY + "Paper.jpg", 0, 0)]
SCREEN_CONTRAST = [
    ("the memory match's verdict CORRECT", MEMORY_LAYERS, ("centred", 156, TIMES24_WHITE, ["CORRECT"]),
     ("green", (0, 255, 0)), 3.0),
    ("the memory match's verdict NOT_CORRECT", MEMORY_LAYERS, ("centred", 156, TIMES24_WHITE, ["NOT_CORRECT"]),
     ("red", (255, 0, 0)), 3.0),
    ("the prologue's and epilogue's story", [(INTRO_BG, 0, 0), (INTRO_CLOUD, 0, INTRO_CLOUD_Y)], INTRO_WINDOW,
     ("white", (255, 255, 255)), 4.5),
    ("the chapter title", "chapter", ("centred", None, TIMES60_NE, ["CHAPTER_ENTRY_*"]),
     ("white", (255, 255, 255)), 3.0),
    ("the tile-swap base's placeholder text", [(CONTENT + "images/minigames/BgPlaceholder.jpg", 0, 0)],
     (100, 100, "=MiniGame placeholder...", PH_BIG), ("grey", (192, 192, 192)), 3.0),
]

# The options' sliders: the rail's track and the fill's corner in the
# rail's pixels.  The fill is drawn tile after tile while fewer than
# track length x value / tile width are drawn: a tile may stand at most
# this share of the track, and past the value only under the thumb.
SLIDER_RAIL = CONTENT + "images/menus/options/SliderRail.jpg"
SLIDER_FILL = CONTENT + "images/menus/options/SliderFill.jpg"
SLIDER_THUMB = CONTENT + "images/menus/options/ThumbN.jpg"
SLIDER_TRACK = (20, 202)                        # x, length
SLIDER_FILL_X = 20
SLIDER_TILE_SHARE = 1 / 16.0

# The shooting range: the flat bar centred on (512, 50); the upright one is
# the flat one turned a quarter about that middle and moved 100 px along
# itself; the counter "n/5" is centred in the box 412, 0, 200, 40.
SHOOTING = CONTENT + "images/minigames/08_shooting/"
BAR_MIDDLE = (512, 50)
BAR_SHIFT = 100
COUNTER_BOX = (412, 0, 200, 40)

TUNING_QUEST = re.compile(r"^Mg[A-Za-z]+\.Quest([0-9]+)\.")


# ---------------------------------------------------------------------------
# Helpers

class Fonts:
    def __init__(self, content):
        self.content = content
        self.cache = {}

    def get(self, path):
        if path not in self.cache:
            root = self.content.xml(path)
            try:
                self.cache[path] = playability.FontMetrics(root) if root is not None else None
            except (AttributeError, ValueError):
                self.cache[path] = None
        return self.cache[path]


def texts_of(ids, labels):
    """The texts of label ids ("PREFIX_*" takes every id with the prefix;
    "=TEXT" is TEXT itself)."""
    out = []
    for ident in ids:
        if ident.startswith("="):
            out.append(ident[1:])
        elif ident.endswith("*"):
            out += [labels[k] for k in sorted(labels) if k.startswith(ident[:-1])]
        elif ident in labels:
            out.append(labels[ident])
    return out


def intersect(a, b):
    """The overlap of two (x, y, w, h) boxes, or None."""
    x0, y0 = max(a[0], b[0]), max(a[1], b[1])
    x1, y1 = min(a[0] + a[2], b[0] + b[2]), min(a[1] + a[3], b[1] + b[3])
    return (x0, y0, x1 - x0, y1 - y0) if x1 > x0 and y1 > y0 else None


def ink_mask(img):
    """255 where an RGBA picture (flattened onto its own middle colour)
    shows label ink, else 0."""
    seen = img.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
    if not seen.getbbox():
        return Image.new("L", img.size, 0)
    middle = tuple(int(v) for v in ImageStat.Stat(img.convert("RGB"), seen).median)
    ground = Image.new("RGBA", img.size, middle + (255,))
    flat = Image.alpha_composite(ground, img).convert("L")
    span = ImageChops.subtract(flat.filter(ImageFilter.MaxFilter(3)), flat.filter(ImageFilter.MinFilter(3)))
    return ImageChops.multiply(span.point(lambda v: 255 if v >= INK_STEP else 0),
                               img.getchannel("A").point(lambda v: 255 if v >= 128 else 0))


def label_ink(content, layers, box):
    """[(picture, ink pixels)] of the layers [(picture, x, y)], bottom
    first, that show label ink inside the screen box (x, y, w, h) where no
    opaque layer above covers it."""
    found = []
    pictures = [(content.picture(path), path, x, y) for path, x, y in layers]
    for i, (img, path, x, y) in enumerate(pictures):
        if img is None:
            continue
        part = intersect(box, (x, y) + img.size)
        if not part:
            continue
        px, py, pw, ph = part
        mask = ink_mask(img.crop((px - x - 1, py - y - 1, px - x + pw + 1, py - y + ph + 1))).crop((1, 1, pw + 1, ph + 1))
        for above, _, ax, ay in pictures[i + 1:]:
            if above is None:
                continue
            cover = above.getchannel("A").crop((px - ax, py - ay, px - ax + pw, py - ay + ph))
            mask = ImageChops.multiply(mask, cover.point(lambda v: 0 if v >= 250 else 255))
        count = mask.histogram()[255]
        if count >= INK_MIN:
            found.append((path, count))
    return found


def lightest_tenth(img, light_text):
    """The colour a tenth of the way into the picture's pixels ordered from
    the lightest (for light text; for dark text from the darkest): text
    must read against that part of what lies under it as well."""
    colours = img.convert("RGB").getcolors(img.size[0] * img.size[1])
    colours.sort(key=lambda c: playability.luminance(c[1]), reverse=light_text)
    left = img.size[0] * img.size[1] // 10
    for count, colour in colours:
        if left < count:
            return colour
        left -= count
    return colours[-1][1]


def compose(content, layers, box):
    """The screen box (x, y, w, h) as the layers draw it over black; None
    when a picture is missing."""
    x0, y0, w, h = box
    out = Image.new("RGBA", (w, h), (0, 0, 0, 255))
    for path, x, y in layers:
        img = content.picture(path)
        if img is None:
            return None
        layer = Image.new("RGBA", (w, h), (0, 0, 0, 0))
        layer.paste(img, (x - x0, y - y0))
        out = Image.alpha_composite(out, layer)
    return out


def clip_layers(content, path):
    """[(picture, x, y)] of a key-framed clip's objects with pictures, as
    they stand at the clip's end."""
    root = content.xml(path)
    folder = path.rpartition("/")[0] + "/"
    layers = []
    for obj in root.findall("Object") if root is not None else ():
        frames = obj.findall("KeyFrame")
        if obj.get("type", "0") != "0" or not obj.get("file"):
            continue
        last = frames[-1] if frames else None
        number = lambda k: int(float(last.get(k, "0"))) if last is not None else 0  # noqa: E731
        layers.append((folder + obj.get("file"), number("x"), number("y")))
    return layers


# ---------------------------------------------------------------------------
# Labels clear of the texts

def text_places(content, fonts, labels):
    """(what, layers [(picture, x, y)], [(x, y, w, h)]) of every place whose
    texts are known."""
    places = []
    times24, times60 = fonts.get(TIMES24), fonts.get(TIMES60_NE)
    for portrait, heading in zip(INTRO_PORTRAITS, INTRO_HEADINGS):
        img = content.picture(portrait) if content.checker.exists(portrait, report=False) else None
        layers = [(INTRO_BG, 0, 0)]
        if img is not None:
            layers.append((portrait, INTRO_PORTRAIT_CORNER[0] - img.size[0], INTRO_PORTRAIT_CORNER[1] - img.size[1]))
        layers.append((INTRO_CLOUD, 0, INTRO_CLOUD_Y))
        boxes = [INTRO_WINDOW]
        if times24 and heading in labels:
            boxes.append(INTRO_HEADING + (times24.width(labels[heading]), times24.line_height))
        places.append(("the %s's story band and heading" % ("prologue" if heading == INTRO_HEADINGS[0] else "epilogue"),
                       layers, boxes))
    if times60:
        y = (SCREEN[1] - times60.line_height) // 2
        places.append(("the chapter title line", clip_layers(content, CHAPTER_CLIP),
                       [(CHAPTER_MARGIN, y, SCREEN[0] - 2 * CHAPTER_MARGIN, times60.line_height)]))
    panel = content.picture(DIALOG_PANEL) if content.checker.exists(DIALOG_PANEL, report=False) else None
    if panel is not None and times24:
        places.append(("the message dialogs' title and text", [(DIALOG_PANEL, 0, 0)],
                       [(0, DIALOG_TITLE_Y, panel.size[0], times24.line_height), DIALOG_TEXT_BOX]))
    name = content.picture(NAME_PANEL) if content.checker.exists(NAME_PANEL, report=False) else None
    if name is not None:
        boxes = list(NAME_TEXT_BOXES)
        shift, y, font_path, ident = NAME_TITLE
        font = fonts.get(font_path)
        if font and ident in labels:
            tw = font.width(labels[ident])
            left = (SCREEN[0] - name.size[0]) // 2
            boxes.append((int((SCREEN[0] - tw) * 0.5) + shift - left, y, tw, font.line_height))
        font = fonts.get(NAME_CAPTION_FONT)
        for right, y, ident in NAME_CAPTIONS if font else ():
            if ident in labels:
                tw = font.width(labels[ident])
                boxes.append((right - tw, y, tw, font.line_height))
        places.append(("the name entry's texts", clip_layers(content, NAME_CLIP), boxes))
    places += conversation_places(content)
    return places


def conversation_places(content):
    """Each conversation's speakers' text and name boxes over the portraits
    of every character it places."""
    chars = content.xml(CHARACTERS)
    if chars is None:
        return []
    folder = (chars.find("Defaults").get("path", "") if chars.find("Defaults") is not None else "")
    info = {}
    for c in chars.findall("Character"):
        boxes = []
        for tag in ("TextBox", "NameBox"):
            e = c.find(tag)
            if e is not None:
                boxes.append(tuple(int(e.get(k, "0")) for k in ("x", "y", "w", "h")))
        entry = c.find("EntryAnimation")
        info[c.get("id")] = (boxes, clip_layers(content, folder + entry.get("file")) if entry is not None else [])
    places = []
    names = sorted(n for n in (content.checker._listing(content.root / DIALOG_FOLDER) or ()) if n.endswith(".xml"))
    for name in names:
        path = DIALOG_FOLDER + name
        root = content.xml(path) if path != CHARACTERS else None
        if root is None or root.tag != "Dialog":
            continue
        at = {c.get("id"): (int(c.get("x", "0")), int(c.get("y", "0"))) for c in root.iter("Character")
              if c.get("id") in info}
        layers = [(pic, px + x, py + y) for ident, (px, py) in sorted(at.items()) for pic, x, y in info[ident][1]]
        speakers = {t.get("character") for t in root.iter("Talk")}
        boxes = [(px + x, py + y, w, h) for ident, (px, py) in sorted(at.items()) if ident in speakers
                 for x, y, w, h in info[ident][0]]
        if layers and boxes:
            places.append(("the conversation %s's texts" % name, layers, boxes))
    return places


def half(value):
    """value / 2 as the game's integer division takes it (towards 0)."""
    return int(value / 2)


def caption_boxes(fonts, labels, size, layout, font_path, ids):
    """The line boxes (x, y, w, h) of each caption drawn on a picture of
    `size`."""
    font = fonts.get(font_path)
    if font is None:
        return []
    w, h = size
    out = []
    for text in texts_of(ids, labels):
        tw, lh = font.width(text), font.line_height
        if layout[0] == "run":
            out.append((half(w - tw), half(h - lh) - 4, tw + 1, lh + 1))
            continue
        _, bx, by, bw, bh = layout
        bw, bh = bw if bw is not None else w, bh if bh is not None else h
        out.append((bx + half(bw - tw), by + half(bh - lh), tw, lh))
    return out


def check_labels_clear(content):
    fonts = Fonts(content)
    _, labels = content.labels()
    for what, layers, boxes in text_places(content, fonts, labels):
        for box in boxes:
            for path, count in label_ink(content, layers, box):
                content.checker.problem(path, "a label (%d pixels of letters) lies under %s at %d, %d (%d x %d): "
                                        "no text the game draws may cross a picture's label" % ((count, what) + box))
    for pictures, layout, font_path, ids, what in BUTTON_CAPTIONS:
        for path in pictures:
            img = content.picture(path) if content.checker.exists(path, report=False) else None
            if img is None:
                continue
            for box in caption_boxes(fonts, labels, img.size, layout, font_path, ids):
                for _, count in label_ink(content, [(path, 0, 0)], box):
                    content.checker.problem(path, "a label (%d pixels of letters) lies under the caption of %s at "
                                            "%d, %d (%d x %d): keep labels off a button's captions"
                                            % ((count, what) + box))
                    break


# ---------------------------------------------------------------------------
# Contrast of fixed-colour text over the pictures

def check_screen_contrast(content):
    fonts = Fonts(content)
    _, labels = content.labels()
    for what, layers, place, (colour_name, colour), least in SCREEN_CONTRAST:
        if layers == "chapter":
            layers = clip_layers(content, CHAPTER_CLIP)
        if not layers or not all(content.checker.exists(p, report=False) for p, _, _ in layers):
            continue
        if place[0] == "centred":
            _, y, font_path, ids = place
            font = fonts.get(font_path)
            texts = texts_of(ids, labels)
            if font is None or not texts:
                continue
            w = min(SCREEN[0], max(font.width(t) for t in texts))
            y = (SCREEN[1] - font.line_height) // 2 if y is None else y
            box = ((SCREEN[0] - w) // 2, y, w, font.line_height)
        elif isinstance(place[2], str):
            x, y, text, font_path = place
            font = fonts.get(font_path)
            if font is None:
                continue
            box = (x, y, font.width(texts_of([text], labels)[0]), font.line_height)
        else:
            box = place
        img = compose(content, layers, box)
        if img is None or box[2] <= 0:
            continue
        ratio = playability.contrast(colour, lightest_tenth(img, playability.luminance(colour) > 0.18))
        if ratio < least:
            content.checker.problem(
                layers[-1][0], "text in %s of %s at %d, %d (%d x %d) has a contrast of %.1f:1 against the picture "
                "under it, less than %.1f:1" % ((colour_name, what) + box + (ratio, least)))


# ---------------------------------------------------------------------------
# Controls that show their state

def check_slider_fill(content):
    if not content.checker.exists(SLIDER_FILL, report=False):
        return
    fill, rail = content.picture(SLIDER_FILL), content.picture(SLIDER_RAIL)
    thumb = content.picture(SLIDER_THUMB) if content.checker.exists(SLIDER_THUMB, report=False) else None
    if fill is None:
        return
    track_x, track = SLIDER_TRACK
    tile = fill.size[0]
    widest = max(1, int(track * SLIDER_TILE_SHARE))
    if thumb is not None:
        widest = min(widest, thumb.size[0])
    if tile > widest:
        content.checker.problem(
            SLIDER_FILL, "the slider fill is a %d px tile, more than %d px (a %d px track, a thumb %s wide): a value "
            "above 0 draws whole tiles up to %d px past it, so the slider does not show its level"
            % (tile, widest, track, thumb.size[0] if thumb else "?", tile - 1))
    full = SLIDER_FILL_X + math.ceil(track / float(tile)) * tile
    if rail is not None and full > rail.size[0]:
        content.checker.problem(SLIDER_FILL, "at the value 1 the fill reaches x %d, past the %d px rail"
                                % (full, rail.size[0]))


def check_shooting_bars(content):
    pics = [content.picture(SHOOTING + n) if content.checker.exists(SHOOTING + n, report=False) else None
            for n in ("bar.jpg", "Dot.jpg")]
    if None in pics:
        return
    (bw, bh), (dw, dh) = pics[0].size, pics[1].size
    mx, my = BAR_MIDDLE
    x0, y0 = mx - bw // 2, my - bh // 2
    # The bar with its dot at either end: one rectangle across the bar and
    # the dot's overhang.
    top = y0 + min(0, (bh - dh) // 2)
    flat = (x0, top, max(bw, dw), max(bh, dh))
    # Turned: (x, y) goes to (mx - (y - my), my + (x - mx) + shift).
    ux0 = mx - (flat[1] + flat[3] - my)
    uy0 = my + (flat[0] - mx) + BAR_SHIFT
    upright = (ux0, uy0, flat[3], flat[2])
    times24 = playability.FontMetrics(content.xml(TIMES24)) if content.xml(TIMES24) is not None else None
    cx, cy, cw, ch = COUNTER_BOX
    counter = (cx, cy + (ch - times24.line_height) // 2, cw, times24.line_height) if times24 else COUNTER_BOX
    for name, (x, y, w, h) in (("flat", flat), ("upright", upright)):
        if x < 0 or y < 0 or x + w > SCREEN[0] or y + h > SCREEN[1]:
            content.checker.problem(
                SHOOTING + "bar.jpg", "the %s bar with its dot spans %d, %d to %d, %d: it leaves the %d x %d "
                "screen (a %d px bar)" % ((name, x, y, x + w, y + h) + SCREEN + (bw,)))
        if intersect((x, y, w, h), counter):
            content.checker.problem(
                SHOOTING + "bar.jpg", "the %s bar with its dot spans %d, %d to %d, %d and crosses the shot counter's "
                "line at %d, %d (%d x %d)" % ((name, x, y, x + w, y + h) + counter))


# ---------------------------------------------------------------------------
# Tutorials

def minigame_quests(content):
    """Every quest a minigame can be opened for: those the flow and its
    scenes' scripts open, and those the tuning file gives a minigame's
    per-quest settings for.  The frame shows no tutorial for quest 0."""
    quests = {q for kind, q in content.flow() if kind.startswith("Mg") and q > 0}
    for key in content.tuning:
        m = TUNING_QUEST.match(key)
        if m and int(m.group(1)) > 0:
            quests.add(int(m.group(1)))
    return quests


def check_tutorials(content):
    labels_path, labels = content.labels()
    if not labels:
        return
    for quest in sorted(minigame_quests(content)):
        if "TUTORIAL_Quest%d" % quest not in labels:
            content.checker.problem(labels_path, "no TUTORIAL_Quest%d: the tutorial of a minigame opened for quest %d "
                                    "would read \"error::label not found!\"" % (quest, quest))


def check(content):
    check_labels_clear(content)
    check_screen_contrast(content)
    check_slider_fill(content)
    check_shooting_bars(content)
    check_tutorials(content)
