"""Hidden-object scene content: the scene index and every scene's item file
with the items' pictures.

  content/config/scene/sceneIndex.xml        root Indexes, one Index per scene
  content/config/scene/SceneNN/Scene.xml     root Scene, one Item per item
  content/config/scene/SceneNN/<Image>.png   each item's picture
  content/config/scene/SceneNN/bg.jpg        the background (last item)

The scenes are those of the story (contentgen/story.py): scene id N lives in
the folder of its game-flow entry, beside its script and its rule files.
Each scene holds enough ordinary items (typeId 0) for every hidden-object
step of its script to pick its full count and a few to spare, one key item
(typeId 100), one rune (typeId 200; majorGroupID = the spell it charges,
minorGroupID tells the runes of one spell apart) and, last in the file so
that the other items keep their indices, the background (typeId 500, layer
0, drawn first).  Item pictures are flat shapes (contentgen/itemart.py),
transparent around the shape.  The last OVERLAPS ordinary items lie across
an earlier one on the same layer, so the later item is drawn over it and
takes the clicks where it is opaque.  Positions come from a random
generator seeded with the scene id, so the output never changes.

fixture_lines() adds the pictures the scene tests build their scenes from.
"""

import random

from . import itemart, sceneeffects, story

INDEX_FILE = story.SCENE_CONFIG + "sceneIndex.xml"

# Ordinary items: (name shown in the goal list, picture colour).
ITEMS = [
    ("Cup", "#c8a060"), ("Lamp", "#e0c040"), ("Feather", "#d0d0f0"), ("Candle", "#f0e0b0"),
    ("Bottle", "#40a070"), ("Bell", "#d0b030"), ("Book", "#803030"), ("Scroll", "#e8d8a8"),
    ("Coin", "#f0c020"), ("Ring", "#c0c0d0"), ("Mask", "#6040a0"), ("Shell", "#f0b0a0"),
    ("Apple", "#d03020"), ("Hat", "#404060"), ("Horseshoe", "#808890"), ("Quill", "#a0c0e0"),
    ("Spoon", "#b0b0b0"), ("Comb", "#a07040"), ("Dice", "#f0f0f0"), ("Anchor", "#506070"),
    ("Compass", "#c09040"), ("Acorn", "#906030"), ("Mushroom", "#c04040"), ("Fish", "#40a0c0"),
    ("Crown", "#f0d040"), ("Goblet", "#b08030"), ("Dagger", "#9098a0"), ("Shield", "#4060a0"),
    ("Broom", "#a08050"), ("Kettle", "#303030"),
]
KEY_ITEM = ("Brass Key", "#d4af37", 100)
# The key item's sparkle (majorGroupID, minorGroupID -1) is centred on it.
KEY_ITEM_SPRITE = (-1, -1)
BACKGROUND = ("Background", "bg.jpg", 500)
# Background gradients (top, bottom), one per scene in turn.
BACKDROPS = [("#1f3a2e", "#6f8f5a"), ("#2b2440", "#8a7a9e"), ("#3a2a1c", "#a08060"),
             ("#1c2c40", "#6a8cb0"), ("#30301c", "#8c8c50"), ("#402020", "#a06a5a")]
# Ordinary items drawn across an earlier one (the first ones, in turn).
OVERLAPS = 2
RUNE = ("Rune", "#60e0ff", 200)
# Spells a rune can charge (visibility, drawn, vision, lightning).
SPELLS = 4
# Ordinary items per scene: at least this many, and per hidden-object step of
# the script its pick count plus SPARE.
MIN_ITEMS = 10
SPARE = 2
# Items stay whole inside the picture at every size, above the goal panel's
# opaque part (from y 678) and clear of the navigation buttons at its left.
AREA = (32, 48, 924, 640)
SIZES = (56, 64, 72, 80, 96)


def item_file_name(language):
    """The item file of a language: "Scene.xml" for EN, else "Scene_<code>.xml"."""
    return "Scene.xml" if language == "EN" else "Scene_%s.xml" % language


def _collect_steps(scene_id):
    return sum(1 for step in story.SCENES[scene_id] if isinstance(step, int))


def _stem(name):
    return "".join(part[:1].upper() + part[1:] for part in name.split())


def _shape(name):
    """Items keep their shape in every scene: by their row of the tables."""
    names = [n for n, _ in ITEMS] + [KEY_ITEM[0], RUNE[0]]
    return itemart.SHAPES[names.index(name) % len(itemart.SHAPES)]


def scene_items(scene_id):
    """[(name, colour, typeId, major, minor, size)] in file order."""
    count = max(MIN_ITEMS, _collect_steps(scene_id) * story.COLLECT["count"] + SPARE)
    if count > len(ITEMS):
        raise ValueError("scenes: scene %d needs %d items, the table has %d"
                         % (scene_id, count, len(ITEMS)))
    rng = random.Random(scene_id)
    first = (scene_id * 7) % len(ITEMS)
    plain = [ITEMS[(first + i) % len(ITEMS)] for i in range(count)]
    items = [(name, colour, 0, 0, 0) for name, colour in plain]
    items.append(KEY_ITEM + KEY_ITEM_SPRITE)
    items.append(RUNE + (scene_id % SPELLS, scene_id // SPELLS))
    return [item + (rng.choice(SIZES),) for item in items]


def _overlapping(scene_id):
    """{index of an overlapping item: index of the item it lies across}."""
    plain = len(scene_items(scene_id)) - 2
    return {plain - 1 - k: k for k in range(OVERLAPS)}


def _positions(scene_id, sizes):
    """A top-left corner per item: one cell each of a 7 x 4 grid over AREA,
    cells in a shuffled order, the item placed at random inside its cell.
    An overlapping item is then moved across its partner, towards the middle
    of the screen, by about half the partner's size."""
    cols, rows = 7, 4
    if len(sizes) > cols * rows:
        raise ValueError("scenes: scene %d has more items than grid cells" % scene_id)
    x0, y0, x1, y1 = AREA
    cw, ch = (x1 - x0) // cols, (y1 - y0) // rows
    rng = random.Random(1000 + scene_id)
    cells = list(range(cols * rows))
    rng.shuffle(cells)
    out = []
    for cell, size in zip(cells, sizes):
        cx, cy = x0 + (cell % cols) * cw, y0 + (cell // cols) * ch
        out.append((cx + rng.randrange(max(1, cw - size)), cy + rng.randrange(max(1, ch - size))))
    for item, partner in _overlapping(scene_id).items():
        px, py = out[partner]
        step = sizes[partner] // 2
        x = px + step if px + sizes[partner] // 2 < (x0 + x1) // 2 else px - step
        y = py + step * 2 // 3 if py + sizes[partner] // 2 < (y0 + y1) // 2 else py - step * 2 // 3
        out[item] = (min(max(x, x0), x1 - sizes[item]), min(max(y, y0), y1 - sizes[item]))
    return out


def _item_element(scene_id, name, image, layer, x, y, type_id, major=0, minor=0):
    return ("Item", {
        "name": name, "image": image, "layer": layer,
        "majorGroupID": major, "minorGroupID": minor,
        "x": "%.1f" % x, "y": "%.1f" % y, "angle": "0.0",
        "R": 255, "G": 255, "B": 255, "A": 255, "type": 0,
        "infoTip": "Scene%02d_%s" % (scene_id + 1, _stem(name)), "typeId": type_id})


def item_root(scene_id):
    items = scene_items(scene_id)
    corners = _positions(scene_id, [it[5] for it in items])
    overlapping = _overlapping(scene_id)
    layers = [1 + k % 3 for k in range(len(items))]
    for item, partner in overlapping.items():
        layers[item] = layers[partner]
    elements = [_item_element(scene_id, name, _stem(name) + ".png", layers[k], x, y, type_id, major, minor)
                for k, ((name, _, type_id, major, minor, _size), (x, y)) in enumerate(zip(items, corners))]
    name, image, type_id = BACKGROUND
    elements.append(_item_element(scene_id, name, image, 0, 0, 0, type_id))
    return ("Scene", {}, elements + sceneeffects.extra_items(scene_id))


def index_root(prefix, language):
    return ("Indexes", {}, [
        ("Index", {"id": scene_id, "fileName": item_file_name(language),
                   "path": prefix + story.scene_folder(scene_id)})
        for scene_id in range(len(story.SCENES))])


def table_lines(prefix="content/", language="EN"):
    """Generator table lines (path under the content folder, size, kind,
    style); `prefix` is the content folder as the game names it."""
    lines = [(INDEX_FILE, None, "xml", {"root": index_root(prefix, language)})]
    for scene_id in range(len(story.SCENES)):
        folder = story.scene_folder(scene_id)
        lines.append((folder + item_file_name(language), None, "xml", {"root": item_root(scene_id)}))
        for name, colour, _, _, _, size in scene_items(scene_id):
            lines.append((folder + _stem(name) + ".png", (size, size), "item",
                          {"color": colour, "shape": _shape(name), "label": name}))
        lines.append((folder + BACKGROUND[1], (1024, 768), "backdrop",
                      {"colors": BACKDROPS[scene_id % len(BACKDROPS)], "label": False}))
    return lines + sceneeffects.table_lines(prefix)


# Pictures of the scene tests: flat colours without outline or label, so
# that a pixel tells which item is drawn there.  (file, size, shape, colour)
FIXTURE_ITEMS = [
    ("scene/RedBlock.png", (100, 100), "block", (220, 40, 40)),
    ("scene/GreenRing.png", (100, 100), "ring", (40, 200, 60)),
    ("scene/BlueDisc.png", (100, 100), "disc", (40, 80, 220)),
]


def fixture_lines():
    lines = [(path, size, "item", {"shape": shape, "color": colour, "outline": False, "label": False,
                                   "exact": True})
             for path, size, shape, colour in FIXTURE_ITEMS]
    lines.append(("scene/GreyBackground.png", (1024, 768), "solid",
                  {"color": (90, 90, 90), "label": False, "exact": True}))
    return lines


# ---------------------------------------------------------------------------
# What the game scene screen reads besides its files: labels (id, text) and
# tuning keys (key, value, comment), added to the tables of gen_content.py.
# The points texts repeat the points of the tuning keys.
LABELS = [
    ("STACK_CFG_MAIN", "Configuration1"),
    ("CLUE_LIST", "Find these items"),
    ("CHOOSE_YOUR_ITEM", "Choose your item"),
    ("MENU", "Menu"),
    ("TOOLTIP_BTN_MENU", "Back to the main menu"),
    ("BTN_MAP", "Map"),
    ("TOOLTIP_BTN_MAP", "Open the map of the kingdom"),
    ("BTN_RUNES", "Runes"),
    ("TOOLTIP_BTN_RUNE", "Your runes and spells"),
    ("SCORE", "Score"),
    ("SCORE_ITEM_FOUND", "+100"),
    ("SCORE_KEY_ITEM_FOUND", "+150"),
    ("SCORE_RUNE_FOUND", "+200"),
    ("SCORE_MAGIC_ITEM_FOUND", "+500"),
    ("SCORE_ITEM_MISSED", "-25"),
    ("RUNE_COLLECTED", "This rune cannot be taken yet"),
] + sceneeffects.LABELS

TUNING = [
    ("Game.Images.Extension", ".jpg", "file extension of pictures named without one"),
    ("Game.Images.Silhouettes.Prefix", "Sil_", "silhouette picture = scene folder + prefix + item picture"),
    ("QDScene.FadeInTransition", 500, "scene entry fade, ms"),
    ("QDScene.FadeOutTransition", 500, "scene exit fade, ms"),
    ("Points.ItemFound", 100, "points for an ordinary item (fearless mode)"),
    ("Points.KeyItemFound", 150, "points for a key item"),
    ("Points.RuneFound", 200, "points for a rune"),
    ("Points.MagicBonusItem", 500, "points for the magic bonus item"),
    ("Points.WrongClick", -25, "points for a click on no item"),
    ("QDScene.FogFadeDuration", 300, "fog fade in and out, ms"),
    ("QDScene.FogAlphaValue", 160, "fog darkness, 0-255"),
    ("QDScene.FogDuration", 3000, "fog at full darkness, ms"),
    ("QDScene.SpyholeAlphaValue", 235, "spyhole darkness, 0-255"),
    ("QDScene.SpyholeDuration", 5000, "spyhole time, ms, counted down on screen"),
    ("SpecialItems.Number", 0, "typeIds clickable although not wanted (SpecialItems.Item.TypeId.N)"),
    ("StackedRenderer.Configuration1.rows", 2, "goal list: lines"),
    ("StackedRenderer.Configuration1.columns", 3, "goal list: entries per line"),
    ("StackedRenderer.Configuration1.renderedItems", 6, "goal list: entries shown at once"),
    ("StackedRenderer.Configuration1.vertical", "false", "goal list: lines run across"),
    ("StackedRenderer.Configuration1.iSpaceVal", 2, "goal list: gap between entries, px"),
    ("StackedRenderer.Configuration1.jSpaceVal", 2, "goal list: gap between lines, px"),
    ("StackedRenderer.Configuration1.yOffset", 0, "goal list: shift down, px"),
    ("StackedRenderer.Configuration2.rows", 2, "framed goal list: lines"),
    ("StackedRenderer.Configuration2.columns", 3, "framed goal list: entries per line"),
    ("StackedRenderer.Configuration2.renderedItems", 6, "framed goal list: entries shown at once"),
    ("StackedRenderer.Configuration2.vertical", "false", "framed goal list: lines run across"),
    ("StackedRenderer.Configuration2.iSpaceVal", 2, "framed goal list: gap between entries, px"),
    ("StackedRenderer.Configuration2.jSpaceVal", 2, "framed goal list: gap between lines, px"),
    ("StackedRenderer.Configuration2.yOffset", 0, "framed goal list: shift down, px"),
    ("SilhouetteRenderer.RenderedItemNameCount", 6, "silhouette list: silhouettes shown at once"),
    ("SilhouetteRenderer.BgPosX", 216, "silhouette list: first box, x in the panel"),
    ("SilhouetteRenderer.BgPosY", 134, "silhouette list: first box, y in the panel"),
    ("SilhouetteRenderer.SilhouetteWidth", 84, "silhouette list: box width, px"),
] + sceneeffects.tuning()
