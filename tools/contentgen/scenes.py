"""Hidden-object scene content: the scene index and every scene's item file
with the items' pictures.

  content/config/scene/sceneIndex.xml        root Indexes, one Index per scene
  content/config/scene/SceneNN/Scene.xml     root Scene, one Item per item
  content/config/scene/SceneNN/<Image>.png   each item's picture

The scenes are those of the story (contentgen/story.py): scene id N lives in
the folder of its game-flow entry, beside its script and its rule files.
Each scene holds enough ordinary items (typeId 0) for every hidden-object
step of its script to pick its full count and a few to spare, one key item
(typeId 100) and one rune (typeId 200; majorGroupID = the spell it charges,
minorGroupID tells the runes of one spell apart).  Positions come from a
random generator seeded with the scene id, so the output never changes.
"""

import random

from . import story

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
RUNE = ("Rune", "#60e0ff", 200)
# Spells a rune can charge (visibility, drawn, vision, lightning).
SPELLS = 4
# Ordinary items per scene: at least this many, and per hidden-object step of
# the script its pick count plus SPARE.
MIN_ITEMS = 10
SPARE = 2
# Items stay inside the picture above the goal panel.
AREA = (32, 32, 992, 600)
SIZES = (56, 64, 72, 80, 96)


def item_file_name(language):
    """The item file of a language: "Scene.xml" for EN, else "Scene_<code>.xml"."""
    return "Scene.xml" if language == "EN" else "Scene_%s.xml" % language


def _collect_steps(scene_id):
    return sum(1 for step in story.SCENES[scene_id] if not isinstance(step, tuple))


def _stem(name):
    return "".join(part[:1].upper() + part[1:] for part in name.split())


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
    items.append(KEY_ITEM + (0, 0))
    items.append(RUNE + (scene_id % SPELLS, scene_id // SPELLS))
    return [item + (rng.choice(SIZES),) for item in items]


def _positions(scene_id, sizes):
    """A top-left corner per item: one cell each of a 6 x 4 grid over AREA,
    cells in a shuffled order, the item placed at random inside its cell."""
    cols, rows = 6, 4
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
    return out


def item_root(scene_id):
    items = scene_items(scene_id)
    corners = _positions(scene_id, [it[5] for it in items])
    elements = []
    for (name, _, type_id, major, minor, _size), (x, y) in zip(items, corners):
        stem = _stem(name)
        elements.append(("Item", {
            "name": name, "image": stem + ".png", "layer": 1 + len(elements) % 3,
            "majorGroupID": major, "minorGroupID": minor,
            "x": "%.1f" % x, "y": "%.1f" % y, "angle": "0.0",
            "R": 255, "G": 255, "B": 255, "A": 255, "type": 0,
            "infoTip": "Scene%02d_%s" % (scene_id + 1, stem), "typeId": type_id}))
    return ("Scene", {}, elements)


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
            lines.append((folder + _stem(name) + ".png", (size, size), "sprite",
                          {"color": colour, "label": name}))
    return lines
