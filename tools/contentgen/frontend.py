"""The front end's content: the main menu's storm and logo, the profile and
name-entry panels, the story's characters and conversations, the map of the
kingdom, and their labels, voices and tuning keys.

  content/animations/MainMenu/           Clouds.xml (looping), Logo.xml
  content/animations/PlayerProfiles/     DialogStart.xml, DialogClose.xml
  content/animations/PlayerName/         DialogStart.xml
  content/animations/Characters/NAME/    Entry, BeginTalk, EndTalk, Leave
  content/images/menus/RainPatch.jpg     the rain's drop
  content/images/menus/map/LocNN{N,O}.jpg  the map's markers (masked)
  content/story/Journal02.xml            the map's first-visit clip
  content/story/dialogs/                 Characters.xml and the dialogs
  content/config/MapLocations.xml        one Location per scene (26)

gen_content.py adds LABELS, SFX and TUNING to its own tables and the
lines of table_lines() to the content table.  Conventions the game relies
on: a conversation line's label id is also its voice effect's name; the
map's location index = the flow position = the scene id; every clip a
screen waits for is non-looping with a key-framed object.
"""

from . import animations, story

IMAGE_EXTENSION = ".jpg"
LOCATION_COUNT = len(story.SCENES)

# ---------------------------------------------------------------------------
# Characters: (id, name, colour, text box and name box relative to the
# character's place, which each dialog sets with Reposition).
CHARACTER_PATH = "content/animations/Characters/"
PORTRAIT = (256, 384)
CHARACTERS = [
    (0, "Velmor", "#6a4c93", (220, 420, 560, 110), (220, 385, 300, 30)),
    (1, "Mirren", "#3f7a6a", (-500, 420, 560, 110), (-240, 385, 300, 30)),
    (2, "Tavrin", "#8a3a32", (220, 420, 560, 110), (220, 385, 300, 30)),
]
LEFT_PLACE = (40, 180)
RIGHT_PLACE = (728, 180)

# Conversations: file stem -> (places {character: (x, y)}, steps).  A step
# is ("Enter"|"Leave", character, timeout) or ("Talk", character, label, text,
# voice ms); Talk steps wait for a click.
DIALOG_FOLDER = "story/dialogs/"
DIALOGS = {
    "CS_1_2_2": ({0: LEFT_PLACE, 1: RIGHT_PLACE}, [
        ("Enter", 0, 400),
        ("Talk", 0, "CS_1_2_2_VELMOR_T_1",
         "So this is the kingdom, %s. Every place we can reach is marked on the map.", 2000),
        ("Enter", 1, 400),
        ("Talk", 1, "CS_1_2_2_MIRREN_T_1",
         "The roads are open again. Choose carefully where you go first.", 1800),
        ("Talk", 0, "CS_1_2_2_VELMOR_T_2",
         "Mirren is right. Write down what you find; the journal remembers for you.", 2200),
        ("Leave", 1, 0),
        ("Leave", 0, 0),
    ]),
    "CS_1_2_3": ({0: LEFT_PLACE}, [
        ("Enter", 0, 400),
        ("Talk", 0, "CS_1_2_3_VELMOR_T_1",
         "Click a marker on the map to travel there. The journal button shows your notes.", 2000),
        ("Leave", 0, 0),
    ]),
}
SPELLS = ["Visibility", "Drawn", "Vision", "Lightning"]
for _n, _spell in enumerate(SPELLS, 1):
    DIALOGS["TUTORIAL_Spell%d" % _n] = ({0: LEFT_PLACE}, [
        ("Enter", 0, 300),
        ("Talk", 0, "TUTORIAL_SPELL%d_VELMOR_T_1" % _n,
         "The spell of %s is not charged yet. Find three of its runes in the scenes to charge it."
         % _spell.lower(), 1600),
        ("Leave", 0, 0),
    ])

# ---------------------------------------------------------------------------
# The map: 26 markers in a grid of 7 x 4 cells, clear of the chapter caption
# (top left) and of the buttons (bottom corners).
MAP_FOLDER = "images/menus/map/"
MARKER = (128, 128)
LOCATION_NAMES = [
    "Carvenholt Gate", "Old Mill", "Willow Ford", "Market Square", "Bell Tower",
    "Mossy Wood", "Hunter's Lodge", "Stone Bridge", "Crow Hill", "Quiet Abbey",
    "Salt Marsh", "Ruined Keep", "Fisher's Cove", "Amber Mine", "Shepherd's Rest",
    "Foggy Lake", "Ivy Library", "Lantern Street", "Hollow Oak", "Silver Falls",
    "Watchtower", "Thorn Garden", "Frozen Pass", "Star Observatory", "Dragon Cave",
    "Tavrin's Hall",
]


def marker_place(index):
    column, row = index % 7, index // 7
    return 20 + column * 140, 90 + row * 135


def map_locations_root():
    locations = []
    for i in range(LOCATION_COUNT):
        x, y = marker_place(i)
        locations.append(("Location", {"x": x, "y": y, "dotX": x + 100, "dotY": y + 96,
                                       "imageNormal": "Loc%02dN" % i, "imageOver": "Loc%02dO" % i}))
    return ("Map", {}, locations)


# ---------------------------------------------------------------------------
# Labels, voices and tuning keys.
LABELS = [
    ("PLAY", "Play"),
    ("CHANGE_PROFILE", "Change Profile"),
    ("OPTIONS", "Options"),
    ("EXIT", "Exit"),
    ("TOOLTIP_BTN_PLAY", "Start or continue your story"),
    ("TOOLTIP_BTN_PROFILES", "Choose, create or delete a player"),
    ("TOOLTIP_BTN_OPTIONS", "Sound, music and screen settings"),
    ("TOOLTIP_BTN_EXIT_GAME", "Leave the game"),
    ("WELCOME", "Welcome, "),
    ("EXIT_GAME", "Exit game"),
    ("MESSAGE_QUIT", "Do you really want to leave the game?"),
    ("PROFILES", "Players"),
    ("CREATE", "Create"),
    ("RENAME", "Rename"),
    ("DELETE", "Delete"),
    ("CANCEL", "Cancel"),
    ("TOOLTIP_BTN_CREATE", "Add a new player"),
    ("TOOLTIP_BTN_RENAME", "Change the selected player's name"),
    ("TOOLTIP_BTN_DELETE", "Delete the selected player"),
    ("TOOLTIP_BTN_OK_PROFILES_WINDOW", "Play as the selected player"),
    ("TOOLTIP_BTN_PROFILES_UP", "Previous player"),
    ("TOOLTIP_BTN_PROFILES_DOWN", "Next player"),
    ("DIALOG_DELETE_PROFILE_CAPTION", "Delete player"),
    ("MESSAGE_DELETE_PROFILE", "Delete the selected player and all of their progress?"),
    ("NEW_PLAYER", "New Player"),
    ("TOOLTIP_BTN_CANCEL_NAMEINPUT", "Close without changes"),
    ("TOOLTIP_BTN_OK_NAMEINPUT", "Accept this name"),
    ("NAME_INPUT_DESCRIPTION", "Click the field below, type your name and choose how you want to play."),
    ("CASUAL_DESCRIPTION", "Casual: explore at your own pace. Puzzles earn no points."),
    ("FEARLESS_DESCRIPTION", "Fearless: every solved puzzle earns points for the high scores."),
    ("CASUAL", "Casual"),
    ("FEARLESS", "Fearless"),
    ("TOOLTIP_CHECKBOX_CASUAL", "Play without points"),
    ("TOOLTIP_CHECKBOX_FEARLESS", "Play for the high scores"),
    ("ENTER_YOUR_NAME", "Enter your name"),
    ("MAIN_MENU", "Main Menu"),
    ("TOOLTIP_BTN_MENU", "Back to the main menu"),
    ("TOOLTIP_BTN_JOURNAL_MAP", "Open the journal"),
    ("CHAPTER", "Chapter"),
]
LABELS += [("LOCATION_%d" % i, name) for i, name in enumerate(LOCATION_NAMES)]
LABELS += [(step[2], step[3]) for _, steps in DIALOGS.values() for step in steps if step[0] == "Talk"]

VOICE_FOLDER = "vo/dialogs/"
SFX = [("DIALOG_OPEN", "ui/DialogOpen.ogg", 300, "sine 523:659")]
# One voice per line, named after its label: a low tone of the voice's length.
SFX += [(step[2], VOICE_FOLDER + step[2] + ".ogg", step[4], "sine %d" % (180 + 20 * step[1]))
        for _, steps in DIALOGS.values() for step in steps if step[0] == "Talk"]

TUNING = [
    ("Game.Images.Extension", IMAGE_EXTENSION, "extension of the pictures named at run time"),
    ("MainMenu.MinThunderInterval", 4000, "main menu: shortest pause between thunders, ms"),
    ("MainMenu.MaxThunderInterval", 12000, "main menu: longest pause between thunders, ms"),
    ("PlayerName.Length", 16, "longest player name, characters"),
]

# ---------------------------------------------------------------------------
# Pictures: (path under content/, size, kind, style) as gen_content's IMAGES.
IMAGES = [
    ("images/menus/RainPatch" + IMAGE_EXTENSION, (4, 32), "solid", {"color": (220, 225, 255, 255)}),
    ("animations/MainMenu/Cloud1.png", (360, 120), "sprite", {"color": "#4a4f63", "label": False}),
    ("animations/MainMenu/Cloud2.png", (280, 100), "sprite", {"color": "#3c4154", "label": False}),
    ("animations/MainMenu/Cloud3.png", (420, 140), "sprite", {"color": "#565b70", "label": False}),
    ("animations/MainMenu/Logo.png", (512, 140), "panel", {"color": "#2b2340", "title": "Quillendar"}),
    ("animations/PlayerProfiles/Panel.png", (520, 580), "panel", {"color": "#c9b68a", "label": False}),
    ("animations/PlayerName/Panel.png", (1000, 460), "panel", {"color": "#3d3326", "label": False}),
    ("story/Journal02Page.png", (600, 400), "panel", {"color": "#e6d9b4", "label": "The journal: a new page"}),
]
IMAGES += [(CHARACTER_PATH[len("content/"):] + "%s/Portrait.png" % name, PORTRAIT, "panel",
            {"color": colour, "label": name}) for _, name, colour, _, _ in CHARACTERS]
IMAGES += [(MAP_FOLDER + "Loc%02d%s%s" % (i, look, IMAGE_EXTENSION), MARKER, "sprite",
            {"color": colour, "label": str(i)})
           for i in range(LOCATION_COUNT) for look, colour in (("N", "#b8863b"), ("O", "#f2d27a"))]


# ---------------------------------------------------------------------------
# Clips

def _portrait_clip(keys, length):
    return {"length": length, "screen": PORTRAIT, "objects": [("Portrait.png", 0, keys)]}


def character_clips():
    """(path under content/, builder, arguments) for each character's four clips."""
    lines = []
    for _, name, _, _, _ in CHARACTERS:
        folder = CHARACTER_PATH[len("content/"):] + name + "/"
        clips = {
            "Entry": ([{"t": 0, "x": -40, "a": 0}, {"t": 400, "x": 0, "a": 255}], 400),
            "BeginTalk": ([{"t": 0}, {"t": 150, "sx": 104, "sy": 104}, {"t": 300}], 300),
            "EndTalk": ([{"t": 0, "r": 255, "g": 255, "b": 255},
                         {"t": 400, "r": 200, "g": 200, "b": 200}], 400),
            "Leave": ([{"t": 0, "a": 255}, {"t": 400, "x": -40, "a": 0}], 400),
        }
        for clip, (keys, length) in clips.items():
            lines.append((folder + clip + ".xml", "clip", _portrait_clip(keys, length)))
    return lines


def _cloud(file, y, start_x, length, span=(-450, 1100)):
    """A cloud drifting right across the sky, starting at start_x and
    wrapping once from the right edge back to the left."""
    left, right = span
    at_right = int(length * (right - start_x) / (right - left))
    keys = [{"t": 0, "x": start_x, "y": y}, {"t": at_right, "x": right, "y": y}]
    if at_right < length:
        keys += [{"t": at_right + 1, "x": left, "y": y}, {"t": length, "x": start_x, "y": y}]
    return (file, 0, keys)


ANIMATIONS = [
    ("animations/MainMenu/Clouds.xml", "clip", {
        "length": 90000, "loop": 1, "screen": (1024, 300), "objects": [
            _cloud("Cloud1.png", 20, -200, 90000),
            _cloud("Cloud2.png", 110, 500, 90000),
            _cloud("Cloud3.png", 60, 200, 90000)]}),
    ("animations/MainMenu/Logo.xml", "clip", {
        "length": 1500, "screen": (1024, 170), "objects": [
            ("Logo.png", 0, [{"t": 0, "x": 256, "y": 20, "a": 0}, {"t": 1500, "x": 256, "y": 20, "a": 255}])]}),
    ("animations/PlayerProfiles/DialogStart.xml", "dialog",
     {"image": "Panel.png", "size": (520, 580), "length": 300, "mode": "open"}),
    ("animations/PlayerProfiles/DialogClose.xml", "dialog",
     {"image": "Panel.png", "size": (520, 580), "length": 300, "mode": "close"}),
    ("animations/PlayerName/DialogStart.xml", "dialog",
     {"image": "Panel.png", "size": (1000, 460), "length": 300, "mode": "open"}),
    ("story/Journal02.xml", "clip", {
        "length": 2500, "screen": (1024, 768), "objects": [
            ("Journal02Page.png", 0, [{"t": 0, "x": 212, "y": 184, "a": 0},
                                      {"t": 600, "x": 212, "y": 184, "a": 255},
                                      {"t": 1900, "x": 212, "y": 184, "a": 255},
                                      {"t": 2500, "x": 212, "y": 184, "a": 0}])]}),
] + character_clips()


# ---------------------------------------------------------------------------
# XML files

def characters_root():
    chars = []
    for cid, name, _, (tx, ty, tw, th), (nx, ny, nw, nh) in CHARACTERS:
        chars.append(("Character", {"id": cid, "name": name}, [
            ("TextBox", {"x": tx, "y": ty, "w": tw, "h": th}),
            ("NameBox", {"x": nx, "y": ny, "w": nw, "h": nh}),
            ("EntryAnimation", {"file": name + "/Entry.xml"}),
            ("BeginTalkAnimation", {"file": name + "/BeginTalk.xml"}),
            ("EndTalkAnimation", {"file": name + "/EndTalk.xml"}),
            ("LeaveAnimation", {"file": name + "/Leave.xml"}),
        ]))
    return ("Characters", {}, [("Defaults", {"path": CHARACTER_PATH})] + chars)


def dialog_root(prefix, places, steps):
    sequence = []
    for step in steps:
        if step[0] == "Talk":
            sequence.append(("Talk", {"character": step[1], "continue": "click", "textLabel": step[2]}))
        else:
            sequence.append((step[0], {"character": step[1], "continue": "timeout", "timeout": step[2]}))
    return ("Dialog", {}, [
        ("Sound", {"sfx": "DIALOG_OPEN"}),
        ("Characters", {"file": prefix + DIALOG_FOLDER + "Characters.xml"}),
        ("Reposition", {}, [("Character", {"id": c, "x": x, "y": y}) for c, (x, y) in places.items()]),
        ("Sequence", {}, sequence),
    ])


def table_lines(prefix="content/"):
    """Generator table lines (path under the content folder, size, kind,
    style); `prefix` is the content folder as the game names it."""
    lines = list(IMAGES)
    lines += [animations.table_line(path, builder, args) for path, builder, args in ANIMATIONS]
    lines.append((DIALOG_FOLDER + "Characters.xml", None, "xml", {"root": characters_root()}))
    lines += [(DIALOG_FOLDER + stem + ".xml", None, "xml", {"root": dialog_root(prefix, places, steps)})
              for stem, (places, steps) in DIALOGS.items()]
    lines.append(("config/MapLocations.xml", None, "xml", {"root": map_locations_root()}))
    return lines
