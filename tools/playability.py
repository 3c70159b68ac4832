"""What a player needs of the content beyond files that decode; run by
check_content.py after its own checks, on the same root.

- Pieces: in a puzzle whose pieces each belong to one place, two pieces that
  go to different places must not look alike (judged by their pixels, the
  masks' alpha included): the image puzzle's <row>x<column> pieces, the
  necklace's pieces, each zodiac quest's signs, the sliding-block tiles the
  solution names against every other tile, cipher tiles of different
  symbols and sum tiles of different values.  The puzzles are the ones
  GameFlow.xml plays, read with their tuning keys and description files.
- Places: each necklace piece's home on the chain picture shows the piece's
  colour, and more of it than any other home does.
- Labels: each label drawn in a fixed box or on one line (LABEL_BOXES) fits
  it in its font, measured from the .fnt descriptor's advances and kerning
  and wrapped at blanks as the game does it (AngelFontMetrics).
- Contrast: the panels under text drawn without an outline (CONTRAST) give
  that text a contrast ratio (WCAG) of at least 4.5:1.
- Then screentext.py: labels clear of the screens' texts, fixed-colour text
  over the pictures that reads, controls that show their state, tutorials.

Each fault is one problem line naming the file.
"""

import xml.etree.ElementTree as ET
from collections import Counter
from functools import reduce

from PIL import Image, ImageChops

# Two pictures look alike when fewer than ALIKE_SHARE of their pixels differ
# by more than PIXEL_STEP in a channel (alpha included; pixels transparent
# in both do not count).
PIXEL_STEP = 40
ALIKE_SHARE = 0.02
# A place mark: at least MIN_MARK pixels of the piece's colour (no channel
# off by PIXEL_STEP or more) at its home, and MARK_LEAD times as many as at
# any other home.
MIN_MARK = 30
MARK_LEAD = 2
MIN_CONTRAST = 4.5
# Counts read from the tuning file are believed up to this many pieces.
MAX_PIECES = 256

TUNING = "content/config/GameParameters.cfg"
FLOW = "content/config/GameFlow.xml"
CONFIG = "content/config/config.xml"
MG = "content/images/minigames/"
MG_CONFIG = "content/config/minigames/"

FONTS = "content/fonts/"
TIMES16, TIMES16_NE = FONTS + "Times16.fnt", FONTS + "Times16NoEff.fnt"
TIMES24, TIMES24_NE = FONTS + "Times24.fnt", FONTS + "Times24NoEff.fnt"
TIMES60_NE, PH_SMALL = FONTS + "Times60_NE.fnt", FONTS + "PH_small.fnt"

# Labels the screens draw in a fixed box or on one line: (label ids, a
# trailing "*" taking every id with that prefix; font; width; height of the
# box the text wraps in, None for one line; drawn in capitals; where).
# A button centres its caption in its caption box and lets it run over the
# box, so the width of a caption is what the button picture holds around
# the box's centre; a chapter title keeps 16 px clear of the screen's edges.
LABEL_BOXES = [
    (["CHAPTER_ENTRY_*"], TIMES60_NE, 992, None, False, "the chapter title, one line across the screen"),
    (["PLAY", "CHANGE_PROFILE", "OPTIONS", "EXIT"], TIMES16, 204, None, False, "a main menu button"),
    (["CREDITS", "HIGHSCORE"], TIMES16, 204, None, False, "an options button"),
    (["MAIN_MENU", "CONTINUE"], TIMES16, 204, None, False, "the map's or the journal's button"),
    (["MAIN_MENU"], PH_SMALL, 166, None, False, "the minigame menu's back button"),
    (["OK"], TIMES16, 120, None, False, "the OK button of a menu"),
    (["CREATE", "RENAME", "DELETE"], TIMES16, 144, None, False, "a profiles menu button"),
    (["CANCEL", "OK"], TIMES16, 146, None, False, "a name entry button"),
    (["YES", "NO", "OK"], TIMES16, 170, None, False, "a message dialog button"),
    (["SKIP"], TIMES16, 256, None, False, "the minigame skip button"),
    (["OPTIONS", "PROFILES"], TIMES24, 520, None, False, "a menu's title"),
    (["HIGHSCORE"], TIMES24, 512, None, False, "the high-score title"),
    (["EXIT_GAME", "DIALOG_DELETE_PROFILE_CAPTION"], TIMES24, 512, None, False, "a question's title"),
    (["TUTORIAL", "MINIGAME_FINISHED_CAPTION", "SKIP_PUZZLE"], TIMES24, 512, None, True,
     "a minigame dialog's title"),
    (["MESSAGE_QUIT", "MESSAGE_DELETE_PROFILE"], TIMES24_NE, 404, 133, False, "the quit or delete question"),
    (["SKIP_MINIGAME", "TUTORIAL_*"], TIMES16_NE, 404, 133, False, "a minigame tutorial or skip question"),
    (["GAME_FINISHED_*"], TIMES16_NE, 410, 130, False, "a minigame's finished message"),
]

WHITE, YELLOW = ("white", (255, 255, 255)), ("yellow", (255, 255, 0))
# Panels under text without an outline: (picture, box x, y, w, h in it,
# the text's colour, what the text is).
CONTRAST = [
    ("content/animations/UniversalDialog/MessageDialogPanel.png", (46, 71, 404, 133), WHITE,
     "the quit, delete and minigame questions"),
    ("content/animations/HighScore/Panel.png", (10, 120, 360, 256), WHITE, "the high-score rows"),
    ("content/animations/OptionsMenu/Panel.png", (300, 534, 200, 28), YELLOW, "the options' version line"),
]


class Content:
    """The content's tuning, flow, labels and pictures, read once."""

    def __init__(self, checker):
        self.checker = checker
        self.root = checker.root
        self.tuning = self._tuning()
        self.ext = self.tuning.get("Game.Images.Extension", "")
        self._pictures = {}
        self._screens = None

    def _tuning(self):
        values = {}
        try:
            text = (self.root / TUNING).read_text(errors="replace")
        except OSError:
            return values
        for line in text.splitlines():
            line = line.split("#", 1)[0]
            if "=" in line:
                key, value = line.split("=", 1)
                values[key.strip()] = value.strip()
        return values

    def count(self, key):
        """A piece count of the tuning file, or None when missing or absurd."""
        try:
            n = int(self.tuning[key])
        except (KeyError, ValueError):
            return None
        return n if 0 < n <= MAX_PIECES else None

    def number(self, key):
        try:
            return int(self.tuning[key])
        except (KeyError, ValueError):
            return None

    def xml(self, path):
        if not self.checker.exists(path, report=False):
            return None
        try:
            return ET.parse(str(self.root / path)).getroot()
        except ET.ParseError:
            return None

    def flow(self):
        """(type, quest id) of every screen the game plays: those of the
        game flow and those its scenes' scripts open (the whack-a-mole
        opens the match elements of its quest)."""
        if self._screens is not None:
            return self._screens
        root = self.xml(FLOW)
        entries = list(root.findall("Screen")) if root is not None else []
        for entry in list(entries):
            if entry.get("type") == "scene":
                script = self.xml(entry.get("configPath", "") + entry.get("mechanicsConf", ""))
                entries += list(script.iter("Screen")) if script is not None else []
        screens = []
        for screen in entries:
            try:
                quest = int(screen.get("questId", "-1"))
            except ValueError:
                quest = -1
            screens.append((screen.get("type", ""), quest))
            if screen.get("type") == "MgWhackAMole":
                screens.append(("MgMatchElements", quest))
        self._screens = screens
        return screens

    def labels(self):
        """(label file, {id: text}) of the configured language."""
        config = self.xml(CONFIG)
        language = config.find("Language") if config is not None else None
        path = language.get("labels", "") if language is not None else ""
        root = self.xml(path) if path else None
        table = {}
        for label in root.findall("Label") if root is not None else ():
            table.update(label.attrib)
        return path, table

    def picture(self, path):
        """The picture as RGBA, a JPEG's alpha from its mask; None (after
        naming the fault) when it is missing or does not decode."""
        if path in self._pictures:
            return self._pictures[path]
        img = None
        if self.checker.exists(path):
            try:
                with Image.open(self.root / path) as f:
                    img = f.convert("RGBA")
                stem, _, ext = path.rpartition(".")
                mask = "%s_.%s" % (stem, ext)
                if ext.lower() in ("jpg", "jpeg") and self.checker.exists(mask, report=False):
                    with Image.open(self.root / mask) as m:
                        alpha = m.convert("L")
                    if alpha.size == img.size:
                        img.putalpha(alpha)
            except Exception as err:  # Pillow raises many kinds on bad data
                self.checker.problem(path, "does not decode as a picture (%s)" % err)
                img = None
        self._pictures[path] = img
        return img


# ---------------------------------------------------------------------------
# Pieces

def differing_share(a, b):
    """The share of pixels in which two pictures of one size differ by more
    than PIXEL_STEP in a channel; pixels transparent in both are equal."""
    d = reduce(ImageChops.lighter, ImageChops.difference(a, b).split())
    seen = ImageChops.lighter(a.getchannel("A"), b.getchannel("A")).point(lambda v: 255 if v >= 128 else 0)
    d = ImageChops.multiply(d, seen)
    return sum(d.histogram()[PIXEL_STEP + 1:]) / float(a.size[0] * a.size[1])


def piece_sets(content):
    """(what, [(name, path)], pairs of indexes that must look different)."""
    ext = content.ext
    types = {}
    for kind, quest in content.flow():
        types.setdefault(kind, set()).add(quest)
    every = lambda n: [(i, j) for i in range(n) for j in range(i + 1, n)]  # noqa: E731

    if "MgImagePuzzle" in types:
        across, down = content.count("MgImagePuzzle.HorizontalCount"), content.count("MgImagePuzzle.VerticalCount")
        if across and down and across * down <= MAX_PIECES:
            pieces = [("%dx%d" % (r, c), MG + "02_imgpuzz/%dx%d%s" % (r, c, ext))
                      for r in range(down) for c in range(across)]
            yield "the image puzzle's pieces, each of which snaps only at its own place", pieces, every(len(pieces))
    if "MgMatchElements" in types:
        n = content.count("MgMatchElements.NumberOfPieces")
        if n:
            pieces = [("%dN" % (i + 1), MG + "MatchElements/%dN%s" % (i + 1, ext)) for i in range(n)]
            yield "the necklace's pieces, each of which has its own place", pieces, every(n)
    for quest in sorted(types.get("MgZodiacSigns", ())):
        root = content.xml(MG_CONFIG + "ZodiacSigns/" +
                           content.tuning.get("MgZodiacSigns.Quest%d.GameXmlFile" % quest, ""))
        signs = [s.get("image") for s in root.findall("Sign") if s.get("image")] if root is not None else []
        pieces = [(s, MG + "ZodiacSigns/Quest%d/%s%s" % (quest, s, ext)) for s in signs[:MAX_PIECES]]
        yield "the zodiac signs of quest %d, each of which has its own place" % quest, pieces, every(len(pieces))
    if "MgKlotsky" in types:
        root = content.xml(MG_CONFIG + "Klotsky/" + content.tuning.get("MgKlotsky.GameXmlFile", ""))
        if root is not None:
            tiles = [t.get("image", "") for t in root.findall("Tile")][:MAX_PIECES]
            named = set()
            for c in root.findall("Solution/Condition"):
                try:
                    named.add(int(c.get("tileId", "")))
                except ValueError:
                    pass
            pieces = [(t, MG + "Klotsky/%s%s" % (t, ext)) for t in tiles]
            pairs = [(i, j) for i, j in every(len(tiles)) if i in named or j in named]
            yield "the sliding blocks, whose solution names a block's place", pieces, pairs
    for kind, value in (("MgCipherTiles", lambda i, name: name), ("MgRectangleTileSum", lambda i, name: i % 5 + 1)):
        for quest in sorted(types.get(kind, ())):
            prefix = "MgRearangeElements.Quest%d." % quest
            n = content.count(prefix + "NumberOfElements") or 0
            names = [content.tuning.get(prefix + "Element%dImg" % i, "") for i in range(n)]
            pieces = [(name, MG + "RearangeElements/Quest%d/%s%s" % (quest, name, ext)) for name in names]
            pairs = [(i, j) for i, j in every(n)
                     if names[i] != names[j] and value(i, names[i]) != value(j, names[j])]
            what = "symbols" if kind == "MgCipherTiles" else "values"
            yield ("the tiles of quest %d, whose places are told by their %s" % (quest, what)), pieces, pairs


def check_pieces(content):
    for what, pieces, pairs in piece_sets(content):
        reported = set()
        for i, j in pairs:
            (name_a, a_path), (name_b, b_path) = pieces[i], pieces[j]
            if a_path == b_path or b_path in reported:
                continue
            a, b = content.picture(a_path), content.picture(b_path)
            if a is None or b is None or a.size != b.size:
                continue
            share = differing_share(a, b)
            if share < ALIKE_SHARE:
                reported.add(b_path)
                content.checker.problem(b_path, "looks like %s (%.1f%% of the pixels differ, %d%% wanted): %s"
                                        % (name_a, 100 * share, round(100 * ALIKE_SHARE), what))


# ---------------------------------------------------------------------------
# Places on the necklace's chain

def dominant_colour(img):
    """The mean of the most common colour (in buckets of 24) among the
    picture's opaque pixels."""
    buckets = Counter()
    sums = {}
    for r, g, b, a in img.getdata():
        if a >= 128:
            key = (r // 24, g // 24, b // 24)
            buckets[key] += 1
            s = sums.setdefault(key, [0, 0, 0])
            s[0] += r
            s[1] += g
            s[2] += b
    if not buckets:
        return None
    key, n = buckets.most_common(1)[0]
    return tuple(v // n for v in sums[key])


def colour_pixels(img, colour):
    """Opaque pixels of img with no channel PIXEL_STEP or more off colour."""
    d = reduce(ImageChops.lighter, ImageChops.difference(img.convert("RGB"), Image.new("RGB", img.size, colour)).split())
    near = d.point(lambda v: 255 if v < PIXEL_STEP else 0)
    near = ImageChops.multiply(near, img.getchannel("A").point(lambda v: 255 if v >= 128 else 0))
    return near.histogram()[255]


def check_places(content):
    if "MgMatchElements" not in {kind for kind, _ in content.flow()}:
        return
    n = content.count("MgMatchElements.NumberOfPieces")
    chain_at = (content.number("MgMatchElements.ChainX"), content.number("MgMatchElements.ChainY"))
    homes = [(content.number("MgMatchElements.Piece%dX" % i), content.number("MgMatchElements.Piece%dY" % i))
             for i in range(n or 0)]
    if not n or None in chain_at or any(None in h for h in homes):
        return
    chain_path = MG + "MatchElements/Chain.jpg"
    chain = content.picture(chain_path)
    pieces = [content.picture(MG + "MatchElements/%dN%s" % (i + 1, content.ext)) for i in range(n)]
    if chain is None or any(p is None for p in pieces):
        return
    crops = []
    for (hx, hy), piece in zip(homes, pieces):
        x, y = hx - chain_at[0], hy - chain_at[1]
        crops.append(chain.crop((x, y, x + piece.size[0], y + piece.size[1])))
    for i, piece in enumerate(pieces):
        colour = dominant_colour(piece)
        if colour is None:
            continue
        counts = [colour_pixels(crop, colour) for crop in crops]
        own = counts[i]
        other = max((c, k) for k, c in enumerate(counts) if k != i) if n > 1 else (0, i)
        if own < MIN_MARK or own < MARK_LEAD * other[0]:
            content.checker.problem(
                chain_path, "the home of piece %d (%dN%s) at %d, %d does not show the piece's colour %s more "
                "than the other homes do (%d pixels there, %d at the home of piece %d), so nothing tells "
                "where the piece goes" % (i + 1, i + 1, content.ext, homes[i][0], homes[i][1], colour, own,
                                          other[0], other[1] + 1))


# ---------------------------------------------------------------------------
# Labels

class FontMetrics:
    """Advances and kerning of a .fnt descriptor, measured as the game
    measures text: each glyph adds xadvance - xoffset, each pair its
    kerning; characters without a glyph add nothing and break kerning."""

    def __init__(self, root):
        number = lambda e, k: int(round(float(e.get(k, "0"))))  # noqa: E731
        self.line_height = number(root.find("common"), "lineHeight")
        self.glyphs = {number(c, "id"): number(c, "xadvance") - number(c, "xoffset")
                       for c in root.findall("chars/char")}
        self.kerning = {(number(k, "first"), number(k, "second")): number(k, "amount")
                        for k in root.findall("kernings/kerning")}

    def width(self, text):
        total, previous = 0, None
        for code in text.encode("latin-1", "replace"):
            if code not in self.glyphs or code in (10, 13):
                previous = None
                continue
            if previous is not None:
                total += self.kerning.get((previous, code), 0)
            total += self.glyphs[code]
            previous = code
        return total

    def wrap(self, text, width):
        """The lines of text wrapped at single blanks into width; a line
        takes at least one word."""
        if " " not in text:
            return [text]
        words, lines, line = text.split(" "), [], None
        for word in words:
            candidate = word if line is None else line + " " + word
            if line is not None and self.width(candidate) > width:
                lines.append(line)
                line = word
            else:
                line = candidate
        lines.append(line)
        return lines


def check_labels(content):
    labels_path, labels = content.labels()
    fonts = {}
    for ids, font_path, width, height, upper, where in LABEL_BOXES:
        if font_path not in fonts:
            root = content.xml(font_path)
            try:
                fonts[font_path] = FontMetrics(root) if root is not None else None
            except (AttributeError, ValueError):
                fonts[font_path] = None
        font = fonts[font_path]
        if font is None:
            continue
        chosen = []
        for ident in ids:
            if ident.endswith("*"):
                chosen += sorted(k for k in labels if k.startswith(ident[:-1]))
            elif ident in labels:
                chosen.append(ident)
        for ident in chosen:
            text = labels[ident].upper() if upper else labels[ident]
            font_name = font_path.rpartition("/")[2]
            if height is None:
                w = font.width(text)
                if w > width:
                    content.checker.problem(
                        labels_path, "%s %r is %d px wide in %s, %s holds %d (letters are lost)"
                        % (ident, text, w, font_name, where, width))
                continue
            lines = font.wrap(text, width)
            widest = max(font.width(line) for line in lines)
            if widest > width or len(lines) * font.line_height > height:
                content.checker.problem(
                    labels_path, "%s %r wraps into %d lines of %s (%d px high, the widest %d px), %s holds %d x %d"
                    % (ident, text, len(lines), font_name, len(lines) * font.line_height, widest, where, width,
                       height))


# ---------------------------------------------------------------------------
# Contrast

def luminance(rgb):
    def linear(c):
        c /= 255.0
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def check_contrast(content):
    for path, (x, y, w, h), (colour_name, text), what in CONTRAST:
        # A panel that is not there leaves the screen's fallback: nothing to judge.
        img = content.picture(path) if content.checker.exists(path, report=False) else None
        if img is None:
            continue
        box = img.crop((x, y, x + w, y + h))
        opaque = [p for p in box.getdata() if p[3] >= 128]
        if not opaque:
            continue
        # The text must read against the lightest tenth of the panel under
        # it as well as against the rest (for dark text: the darkest).
        text_light = luminance(text) > 0.18
        opaque.sort(key=luminance, reverse=text_light)
        ratio = contrast(text, opaque[len(opaque) // 10])
        if ratio < MIN_CONTRAST:
            content.checker.problem(
                path, "text in %s of %s at %d, %d (%d x %d) has a contrast of %.1f:1 against the panel, "
                "less than %.1f:1" % (colour_name, what, x, y, w, h, ratio, MIN_CONTRAST))


def check(checker):
    import screentext  # it builds on this module's helpers
    content = Content(checker)
    check_pieces(content)
    check_places(content)
    check_labels(content)
    check_contrast(content)
    screentext.check(content)
