"""The story's data files: the quest graph, the game flow and each scene's
script and rule files.

  content/config/Quests.xml          root GamePlay, one Quest per quest
  content/config/GameFlow.xml        root GameFlow, one Screen per step
  content/config/scene/SceneNN/      per scene: SceneMechanics.xml,
                                     ItemGroups.xml, ItemRenderers.xml

Everything is derived from SCENES and OPENS below, so the files agree with
one another:
  - flow position = map location index = scene id = a quest's screenId;
  - a quest's stage is the step of its scene's script that plays it: a
    CollectGroup whose rule carries the quest id, or a Screen step that opens
    the quest's minigame with that questId;
  - a quest needs exactly the quests that open it (-1 when none does), so a
    quest opened from two places opens once both are done.
table_lines() checks the graph (ids 0..72 in order, every quest reachable
from quest 0, the fixed ids the game relies on) and refuses a broken one.
"""

from . import reachability

CONFIG = "config/"
# A journal page shown between two hidden-object steps of a scene: the
# journal opens over the scene at entry 1 and its CONTINUE hands the scene
# back (noPushOnLeave: the flow stays where it is).
JOURNAL_PAGE = {"type": "DiaryScreen", "openAtEntryId": 1, "noPushOnLeave": 1, "transition": "fade"}
SCENE_CONFIG = CONFIG + "scene/"

# Scenes in flow order.  Each row lists the quests played there, in script
# order: a plain id is a hidden-object step, (id, class) opens that minigame.
# The minigames sit at the quest ids the game's minigame menu jumps to.  A
# dict is a step of no quest: a screen of that type opened over the scene,
# which takes the scene up again when it closes (JOURNAL_PAGE below).
SCENES = [
    # Chapter 1 (quests 0-14); finishing quest 4 reaches the map.
    [0, 1, (2, "MgMemoryMatch")],
    [3, (4, "MgImagePuzzle")],
    [5, 6, (7, "MgWhackAMole")],
    [8, 9, 10, (11, "MgScrambledDial")],
    [12, 13, (14, "MgRectangleTileSum")],
    # Chapter 2 (15-29)
    [15, 16, (17, "MgCipherTiles")],
    [18, 19, (20, "MgScrambledDial")],
    [21, JOURNAL_PAGE, 22, (23, "MgShootingPractice")],
    [24, (25, "MgScrambledDial")],
    [26, (27, "MgMemoryMatch")],
    [28, (29, "MgCypherWheel")],
    # Chapter 3 (30-43)
    [30, 31, (32, "MgKlotsky")],
    [33, 34, (35, "MgFaceDrawing")],
    [36, 37, (38, "MgSecretNiche")],
    [39, 40, (41, "MgTriangleCount")],
    [42, (43, "MgLabyrinth")],
    # Chapter 4 (44-55)
    [44, 45, (46, "MgZodiacSigns")],
    [47, 48, (49, "MgCipherTiles")],
    [50, 51, (52, "MgCastingSpells")],
    [53, 54, (55, "MgScrambledDial")],
    # Chapter 5 (56-72); quest 72 ends the story.
    [56, 57, (58, "MgCypherWheel")],
    [59, 60, (61, "MgZodiacSigns")],
    [62, 63],
    [64, 65, (66, "MgCollectArmour")],
    [67, 68, (69, "MgSumTheNumbers")],
    [70, 71, (72, "MgLabyrinth")],
]

# Quests that open something other than the next quest.  Two locations open
# side by side after quests 4, 17, 32 and 58, and join again at 12, 24, 39
# and 64.  The bonus minigames (27, 41, 49) lie off the path: they open
# nothing and nothing needs them (finishing one records a bonus instead of
# completing its quest).
OPENS = {
    4: [5, 8], 7: [12],
    17: [18, 21], 20: [24],
    26: [27, 28], 27: [],
    32: [33, 36], 35: [39],
    40: [41, 42], 41: [],
    48: [49, 50], 49: [],
    58: [59, 62], 61: [64],
    72: [],
}
BONUS = (27, 41, 49)
QUEST_COUNT = 73

# Every scene's files, and the flow step after the last scene.
SCENE_FILES = {"itemRendererConf": "ItemRenderers.xml", "mechanicsConf": "SceneMechanics.xml",
               "itemGroupConf": "ItemGroups.xml"}
# Ordinary items (type id 0), key items (100) and runes (200) start waiting
# (group 1); backgrounds (500) lie in group 6.  A key item is drawn by the
# key-item renderer (11); every other item by the collectable renderer (0),
# which plays the collect animation when the item is found and hands a rune
# to the found group.  The background is collectable too (the scene measures
# a panorama by its collectable backgrounds), but it is never wanted, so a
# click on it is a missed click.
ITEM_GROUP_RULES = ("ItemGroupRules", {}, [
    ("Rule", {"groupId": 1, "typeId": type_id, "type": 0}) for type_id in (0, 100, 200)] + [
    # Backgrounds are drawn (group 6) and never wanted.
    ("Rule", {"groupId": 6, "typeId": 500, "type": 0})] + [
    # Decorations (contentgen/sceneeffects.py) are drawn and never wanted;
    # ordinary items of type 1 wait like the others.
    ("Rule", {"groupId": 6, "typeId": type_id, "type": 0}) for type_id in range(600, 607)] + [
    ("Rule", {"groupId": 1, "typeId": 0, "type": 1}),
    # The animated key item waits until the scene shows it.
    ("Rule", {"groupId": 1, "typeId": 607, "type": 0})])
ITEM_RENDERER_RULES = ("ItemRendererRules", {}, [
    ("Rule", {"renderer": 11, "typeId": 100}),
    ("Rule", {"renderer": 0, "typeId": 200}),
    # Decorations: flame, firefly, rain, flickering light, key-frame clip.
    ("Rule", {"renderer": 3, "typeId": 600}), ("Rule", {"renderer": 5, "typeId": 601}),
    ("Rule", {"renderer": 6, "typeId": 602}), ("Rule", {"renderer": 10, "typeId": 603}),
    ("Rule", {"renderer": 4, "typeId": 604}),
    # Shown collectables: with a key-frame clip, with a sprite-sheet animation.
    ("Rule", {"renderer": 7, "typeId": 605}), ("Rule", {"renderer": 12, "typeId": 606}),
    # Ordinary items with particles.
    ("Rule", {"renderer": 8, "typeId": 0, "type": 1}),
    # The animated key item.
    ("Rule", {"renderer": 9, "typeId": 607}),
    ("Rule", {"renderer": 0})])
# What a hidden-object step asks for.  The goal panel of the step lists six
# at a time (its configuration is the text of the label named by the rule's
# name, see SCENE_LABELS); the other two slide in as items are found.
COLLECT = {"name": "STACK_CFG_MAIN", "typeId": "0", "pick": "random", "count": 8}
FLOW_END = [("mainmenu", {})]


def scene_folder(scene_id):
    return "%sScene%02d/" % (SCENE_CONFIG, scene_id + 1)


def _steps():
    """quest id -> (scene id, stage, minigame class or None)."""
    steps = {}
    for scene_id, row in enumerate(SCENES):
        for stage, step in enumerate(row):
            if isinstance(step, dict):
                continue
            qid, game = step if isinstance(step, tuple) else (step, None)
            if qid in steps:
                raise ValueError("story: quest %d is played twice" % qid)
            steps[qid] = (scene_id, stage, game)
    return steps


def quest_graph():
    """[(id, screenId, stage, opens, needs)] in id order, checked."""
    steps = _steps()
    if sorted(steps) != list(range(QUEST_COUNT)):
        raise ValueError("story: the scenes must play quests 0..%d once each" % (QUEST_COUNT - 1))
    opens = {q: OPENS.get(q, [q + 1]) for q in range(QUEST_COUNT)}
    needs = {q: [] for q in range(QUEST_COUNT)}
    for q, targets in opens.items():
        for t in targets:
            if not 0 <= t < QUEST_COUNT:
                raise ValueError("story: quest %d opens %d, which does not exist" % (q, t))
            needs[t].append(q)
    for b in BONUS:
        if opens[b] or any(b in n for n in needs.values()):
            raise ValueError("story: bonus quest %d must open nothing and be needed by nothing" % b)
    # Play the story: complete every open quest until nothing changes.
    done, open_ = set(), {0}
    while open_ - done:
        for q in sorted(open_ - done):
            done.add(q)
            open_.update(t for t in opens[q] if all(n in done for n in needs[t]))
    if len(done) != QUEST_COUNT:
        raise ValueError("story: quests %s can never open" % sorted(set(range(QUEST_COUNT)) - done))
    # The same played through the scenes' scripts in their order.
    from . import minigames
    reachability.check(SCENES, opens, QUEST_COUNT, set(minigames.GAME_TEXTS))
    return [(q, steps[q][0], steps[q][1], opens[q], needs[q] or [-1]) for q in range(QUEST_COUNT)]


def _ints(values):
    return ",".join(str(v) for v in values)


def quests_root():
    return ("GamePlay", {}, [
        ("Quest", {"id": q, "screenId": screen, "stage": stage, "opens": _ints(opens),
                   "needs": _ints(needs), "emptyContainer": "false", "correctLocationStage": "true"})
        for q, screen, stage, opens, needs in quest_graph()])


def game_flow_root(prefix):
    screens = []
    for scene_id in range(len(SCENES)):
        attrs = {"type": "scene", "sceneId": scene_id, "configPath": prefix + scene_folder(scene_id)}
        attrs.update(SCENE_FILES)
        screens.append(("Screen", attrs))
    screens += [("Screen", dict({"type": kind}, **attrs)) for kind, attrs in FLOW_END]
    return ("GameFlow", {}, screens)


def mechanics_root(scene_id):
    steps = []
    for step in SCENES[scene_id]:
        if isinstance(step, dict):
            steps.append(("Screen", dict(step)))
            continue
        qid, game = step if isinstance(step, tuple) else (step, None)
        if game:
            steps.append(("Screen", {"type": game, "questId": qid, "transition": "fade"}))
        else:
            steps.append(("CollectGroup", {"identifier": "STACKED_ITEM_LIST"},
                          [("Collect", dict(COLLECT, questId=qid))]))
    return ("SceneMechanics", {}, steps)


def table_lines(prefix="content/"):
    """Generator table lines (path under the content folder, size, kind,
    style); `prefix` is the content folder as the game names it."""
    lines = [
        (CONFIG + "Quests.xml", None, "xml", {"root": quests_root()}),
        (CONFIG + "GameFlow.xml", None, "xml", {"root": game_flow_root(prefix)}),
    ]
    for scene_id in range(len(SCENES)):
        folder = scene_folder(scene_id)
        lines += [
            (folder + SCENE_FILES["mechanicsConf"], None, "xml", {"root": mechanics_root(scene_id)}),
            (folder + SCENE_FILES["itemGroupConf"], None, "xml", {"root": ITEM_GROUP_RULES}),
            (folder + SCENE_FILES["itemRendererConf"], None, "xml", {"root": ITEM_RENDERER_RULES}),
        ]
    return lines
