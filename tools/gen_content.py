#!/usr/bin/python3
"""Writes the game's placeholder content and the test fixtures.

    /usr/bin/python3 tools/gen_content.py [--content DIR] [--fixtures DIR]

Defaults: content/ and build/fixtures/ of the repository (relative paths are
taken from the repository root, wherever the script is started).  The output
is the same, byte for byte, on every run.  Both folders get a ".generated"
stamp holding a hash of the generator's sources; it is written last, so a
folder with a current stamp is complete.

Everything below is tables.  To add a file, add one line to the table of its
kind; the XML files that list content (config.xml, the label file, sfx.xml,
scene/music.xml) are built from the same tables.  The kinds and their style
keys are described in tools/contentgen/.
"""

import argparse
import shutil
import sys
import time
from pathlib import Path

sys.dont_write_bytecode = True
TOOLS = Path(__file__).resolve().parent
ROOT = TOOLS.parent
sys.path.insert(0, str(TOOLS))

try:
    from contentgen import animations, books, frontend, manifest, minigames, runner, story  # noqa: E402
    from contentgen import minigames_necklace_stars  # noqa: E402
    from contentgen import scenes as scene_content  # noqa: E402
    from contentgen import minigames_six  # noqa: E402
    from contentgen import minigames_mechanisms  # noqa: E402
    from contentgen import shortroad  # noqa: E402
except ImportError as err:  # Pillow lives in Debian's python3-pil
    sys.exit("gen_content: %s (run it with /usr/bin/python3, which has Pillow)" % err)

GAME = "Quillendar"
# The face of the panels that carry white text without an outline (the
# message dialogs, the options and the high scores): dark walnut.
DIALOG_PANEL = books.DIALOG_PANEL

# ---------------------------------------------------------------------------
# Pictures: (path under content/, (width, height), kind, style).
# A .jpg gets its mask <name>_.jpg from the picture's alpha (white = opaque).

IMAGES = [
    ("images/demo/backdrop.jpg", (1024, 768), "backdrop", {"colors": ("#23395b", "#8aa9c1")}),
    ("images/demo/sprite_a.png", (128, 128), "sprite", {"color": "#e0703a"}),
    ("images/demo/sprite_b.png", (96, 96), "sprite", {"color": "#4fa35a"}),
    ("images/demo/panel.png", (512, 256), "panel", {"color": "#d8c9a3"}),
    ("animations/logo/Logo.jpg", (1024, 768), "backdrop",
     {"colors": ("#101820", "#3b2f5c"), "grid": False, "title": GAME}),
    ("Icon/Icon.png", (32, 32), "icon", {"letter": "Q", "color": "#3d6b8e"}),
    # Standard widgets and message dialogs: button looks of 150 x 37 (the
    # dialogs' button size; captions are drawn over the plain ones), the yes
    # and no pairs with their words baked in, a check box with its mark
    # (drawn over the box) and a piece to drag.
    ("images/ui/ButtonNormal.png", (150, 37), "button", {"color": "#8a6a3a"}),
    ("images/ui/ButtonOver.png", (150, 37), "button", {"color": "#c0924a"}),
    ("images/ui/ButtonPressed.png", (150, 37), "button", {"color": "#6a4e28", "pressed": True}),
    ("images/ui/ButtonYes.png", (150, 37), "button", {"color": "#3f7a3a", "text": "Yes"}),
    ("images/ui/ButtonYesOver.png", (150, 37), "button", {"color": "#5aa84f", "text": "Yes"}),
    ("images/ui/ButtonNo.png", (150, 37), "button", {"color": "#8a3a32", "text": "No"}),
    ("images/ui/ButtonNoOver.png", (150, 37), "button", {"color": "#bc5646", "text": "No"}),
    ("images/ui/CheckBox.png", (32, 32), "panel", {"color": "#f4f0e0", "label": False}),
    ("images/ui/CheckMark.png", (32, 32), "checkmark", {"color": "#2f9a2f"}),
    ("images/ui/Draggable.png", (64, 64), "sprite", {"color": "#5a7fd0"}),
    # No path label: the dialogs draw their message over the panel, in
    # white: the face is dark enough for it (tools/playability.py).
    ("animations/UniversalDialog/MessageDialogPanel.png", (512, 256), "panel",
     {"color": DIALOG_PANEL, "label": False}),
]

# Mouse cursors: (id, image file in CURSOR_FOLDER, colour).  The tip of the
# arrow is the top-left pixel: the game draws the image at the pointer.
CURSOR_FOLDER = "images/cursors/"
CURSORS = [
    (0, "cursor.png", "#f4f0e0"),
    (1, "cursor_alt.png", "#f2c94c"),
]

# ---------------------------------------------------------------------------
# Sound effects: (effect name, file under SOUND_FOLDER, length ms, sox synth
# arguments).  Several lines with one name make a random choice of variants.
SOUND_FOLDER = "sounds/"
SFX = [
    ("BUTTON_OVER", "ui/ButtonOver.ogg", 60, "sine 1320"),
    ("BUTTON_PRESS", "ui/ButtonPress.ogg", 120, "triangle 660:330"),
    ("CHECKBOX_CHECK", "ui/CheckboxCheck.ogg", 90, "sine 660:990"),
    ("CHECKBOX_UNCHECK", "ui/CheckboxUncheck.ogg", 90, "sine 990:660"),
    ("TEXT_INPUT", "ui/Key1.ogg", 50, "square 1760"),
    ("TEXT_INPUT", "ui/Key2.ogg", 50, "square 1568"),
    ("TEXT_INPUT", "ui/Key3.ogg", 50, "square 1976"),
    ("SLIDER_MOUSE_RELEASED", "ui/SliderRelease.ogg", 60, "sine 880"),
    ("RUNE_OVER", "ui/RuneOver.ogg", 80, "sine 1175"),
    ("MAP_LOCATION_OVER", "ui/MapLocationOver.ogg", 80, "sine 1047"),
    ("MAP_LOCATION_PRESS", "ui/MapLocationPress.ogg", 150, "triangle 523:784"),
    # Hidden-object scenes.
    ("SCENE_START", "scene/SceneStart.ogg", 600, "sine 392:784"),
    ("SCENE_END", "scene/SceneEnd.ogg", 600, "sine 784:392"),
    ("START_NEW_LOCATION", "scene/NewLocation.ogg", 400, "triangle 440:880"),
    ("SCENE_ITEM_COLLECTED", "scene/ItemCollected.ogg", 150, "sine 1568:2093"),
    ("SCENE_ITEM_MISSED", "scene/ItemMissed.ogg", 120, "square 220:165"),
    ("STAFF_MOVING", "scene/StaffMoving.ogg", 300, "pinknoise"),
    ("LIGHTNING", "scene/Lightning.ogg", 500, "brownnoise"),
    ("SCENE_SPELL_VISIBILITY", "scene/SpellVisibility.ogg", 400, "sine 660:1320"),
    ("SCENE_SPELL_DRAWN", "scene/SpellDrawn.ogg", 400, "sine 550:1100"),
    ("SCENE_SPELL_VISION", "scene/SpellVision.ogg", 400, "sine 880:1760"),
    ("SCENE_SPELL_LIGHTNING", "scene/SpellLightning.ogg", 400, "whitenoise"),
    # A spell button charged by its third rune.
    ("VISIBILITY_ENABLED", "scene/VisibilityEnabled.ogg", 300, "sine 784:1047"),
    ("DRAWN_ENABLED", "scene/DrawnEnabled.ogg", 300, "sine 698:932"),
    ("VISION_ENABLED", "scene/VisionEnabled.ogg", 300, "sine 880:1175"),
    ("LIGHTNING_ENABLED", "scene/LightningEnabled.ogg", 300, "sine 988:1319"),
    # Voices: a tone each until the story is recorded.
    ("VO_OPEN_MAP_FROM_SCENE", "vo/OpenMapFromScene.ogg", 500, "sine 330"),
    ("VO_OPEN_STORYBOOK", "vo/OpenStorybook.ogg", 500, "sine 349"),
    ("VO_CLOSING_STORYBOOK", "vo/ClosingStorybook.ogg", 500, "sine 311"),
    ("VO_MISS_CLICKS", "vo/MissClicks.ogg", 500, "sine 294"),
    ("VO_RUNE_COLLECTED", "vo/RuneCollected.ogg", 500, "sine 392"),
    ("VO_MAGIC_ITEM_FOUND", "vo/MagicItemFound.ogg", 500, "sine 415"),
    ("VO_REVISITING_LOCATION", "vo/RevisitingLocation.ogg", 500, "sine 370"),
    ("VO_SPELL_VISIBILITY", "vo/SpellVisibility.ogg", 500, "sine 440"),
    ("VO_SPELL_DRAWN", "vo/SpellDrawn.ogg", 500, "sine 466"),
    ("VO_SPELL_VISION", "vo/SpellVision.ogg", 500, "sine 494"),
    ("VO_SPELL_LIGHTNING", "vo/SpellLightning.ogg", 500, "sine 523"),
    ("VO_PROLOGUE", "vo/Prologue.ogg", 1500, "sine 262"),
    ("VO_EPILOGUE", "vo/Epilogue.ogg", 1500, "sine 277"),
    # Minigames: the shared ones, then each game's own.
    ("MG_PRESS", "minigames/Press.ogg", 60, "square 880"),
    ("MG_RELEASE", "minigames/Release.ogg", 60, "square 660"),
    ("MG_INPLACE", "minigames/InPlace.ogg", 150, "sine 1319:1760"),
    ("MG_CORRECT", "minigames/Correct.ogg", 250, "sine 784:1568"),
    ("MG_NOTCORRECT", "minigames/NotCorrect.ogg", 250, "square 196:147"),
    ("MG_CIPHERTILES_SELECT", "minigames/CipherTilesSelect.ogg", 80, "sine 988"),
    ("MG_CIPHERTILES_SWING", "minigames/CipherTilesSwing.ogg", 200, "pinknoise"),
    ("MG_COLLECTARMOUR_PRESS", "minigames/CollectArmourPress.ogg", 80, "triangle 587"),
    ("MG_COLLECTARMOUR_RELEASE", "minigames/CollectArmourRelease.ogg", 80, "triangle 494"),
    ("MG_COLLECTARMOUR_INPLACE", "minigames/CollectArmourInPlace.ogg", 150, "sine 1175:1568"),
    ("MG_CYPHERWHEEL_CORRECT", "minigames/CypherWheelCorrect.ogg", 200, "sine 1047:1397"),
    ("MG_FACEDRAWING_SELECTSTAR", "minigames/FaceDrawingSelectStar.ogg", 80, "sine 1760"),
    ("MG_FACEDRAWING_CONNECTED", "minigames/FaceDrawingConnected.ogg", 120, "sine 1319"),
    ("MG_FACEDRAWING_FINISHED", "minigames/FaceDrawingFinished.ogg", 400, "sine 659:1319"),
    ("MG_KLOTSKY_SELECT", "minigames/KlotskySelect.ogg", 80, "triangle 698"),
    ("MG_KLOTSKY_MOVING", "minigames/KlotskyMoving.ogg", 200, "brownnoise"),
    ("MG_LABYRINTH_FINISHED", "minigames/LabyrinthFinished.ogg", 400, "sine 523:1047"),
    ("MG_MEMORYMATCH_SLIDE", "minigames/MemoryMatchSlide.ogg", 200, "pinknoise"),
    ("MG_RECTANGLETILESUM_SELECT", "minigames/TileSumSelect.ogg", 80, "sine 880"),
    ("MG_RECTANGLETILESUM_DESELECT", "minigames/TileSumDeselect.ogg", 80, "sine 660"),
    ("MG_RECTANGLETILESUM_SWAP", "minigames/TileSumSwap.ogg", 150, "triangle 440:660"),
    ("MG_SECRETNICHE_INPLACE", "minigames/SecretNicheInPlace.ogg", 150, "sine 1175"),
    ("MG_SECRETNICHE_RESET", "minigames/SecretNicheReset.ogg", 200, "square 330:220"),
    ("MG_SECRETNICHE_KEYMOVING", "minigames/SecretNicheKeyMoving.ogg", 400, "brownnoise"),
    ("MG_SHOOTINGPRACTICE_AIM", "minigames/ShootingAim.ogg", 300, "sine 220:440"),
    ("MG_SHOOTINGPRACTICE_AIM_STOP", "minigames/ShootingAimStop.ogg", 80, "square 330"),
    ("MG_SHOOTINGPRACTICE_TARGETHIT", "minigames/ShootingTargetHit.ogg", 150, "whitenoise"),
    ("MG_SUMTHENUMBER_SWAP", "minigames/SumTheNumberSwap.ogg", 150, "triangle 523:698"),
    ("MG_TRIANGLECOUNT_KNOBLEFT", "minigames/TriangleKnobLeft.ogg", 80, "sine 587"),
    ("MG_TRIANGLECOUNT_KNOBRIGHT", "minigames/TriangleKnobRight.ogg", 80, "sine 784"),
    ("MG_WHACKAMOLE_SHOW", "minigames/WhackAMoleShow.ogg", 100, "sine 440:880"),
    ("MG_WHACKAMOLE_HIT", "minigames/WhackAMoleHit.ogg", 100, "square 220"),
    ("MG_WHACKAMOLE_NOTHIT", "minigames/WhackAMoleNotHit.ogg", 100, "sine 330:220"),
]

# The front end's buttons, voices and dialogs.
SFX += frontend.SFX

# Music: (file under MUSIC_FOLDER, style of the "music" kind).
MUSIC_FOLDER = "music/"
MUSIC = [
    ("MainTheme.ogg", {"bpm": 160, "steps": (
        "A4/A2 C5/A2 E5/A2 C5/A2 F4/F2 A4/F2 C5/F2 A4/F2 "
        "E4/C3 G4/C3 C5/C3 G4/C3 D4/G2 G4/G2 B4/G2 G4/G2").split()}),
]

# Scene music: (scene indexes as the file lists them, file in MUSIC_FOLDER).
# Lines with the same indexes share one Scene element.
SCENE_MUSIC = [
    ("0", "MainTheme.ogg"),
    # Scenes 0-25 by chapter (the scenes of content/config/GameFlow.xml).
    ("0,1,2,3,4", "01CarvenholtAwaits.ogg"),
    ("0,1,2,3,4", "02CelticMorning.ogg"),
    ("5,6,7,8,9,10", "03ForestOfDoubts.ogg"),
    ("11,12,13,14,15", "04KindredSpirits.ogg"),
    ("16,17,18,19", "05SenseAndSerenity.ogg"),
    ("20,21,22,23,24,25", "06TheRiseOfTavrin.ogg"),
]

# ---------------------------------------------------------------------------
# Labels: (id, English text), ASCII only.
LABELS_FILE = "config/labels/Labels_EN.xml"
LABELS = [
    ("CAPTION", GAME),
    ("OK", "OK"),
    ("YES", "Yes"),
    ("NO", "No"),
    ("TUTORIAL", "Tutorial"),
    ("PAUSE", "Paused"),
] + minigames.LABELS
LABELS += minigames_necklace_stars.LABELS
LABELS += minigames_six.LABELS
LABELS += minigames_mechanisms.LABELS
# The hidden-object scene screen's texts.
LABELS += scene_content.LABELS

# Menus, profiles, the map and the conversations.
LABELS += frontend.LABELS
# The books, the story texts and the screens around them.
LABELS += books.LABELS

# Logo screens shown before the main menu: (type, folder, file).
LOGO_SCREENS = [
    ("ANIMATION", "animations/logo/", "Logo.xml"),
]

# Key-framed animations: (path under content/, builder, arguments); the
# builders are in contentgen/animations.py.  Images sit beside the XML.
ANIMATIONS = [
    ("animations/logo/Logo.xml", "fade", {"image": "Logo.jpg", "size": (1024, 768),
                                          "length": 2500, "fade": 600}),
    ("animations/UniversalDialog/MessageDialogStart.xml", "dialog",
     {"image": "MessageDialogPanel.png", "size": (512, 256), "length": 300, "mode": "open"}),
    ("animations/UniversalDialog/MessageDialogClose.xml", "dialog",
     {"image": "MessageDialogPanel.png", "size": (512, 256), "length": 300, "mode": "close"}),
]

# ---------------------------------------------------------------------------
# Bitmap fonts the game names: (file in FONT_FOLDER, DejaVu face, em size in
# pixels, outline).  Each is a .fnt descriptor with <stem>_<n>.png pages.
# "NoEff", "_NE" and "White" fonts are plain white; Times16 and Times24 carry
# the black outline their names' counterparts lack.
FONT_FOLDER = "fonts/"
FONTS = [
    ("Arial12.fnt", "DejaVuSans.ttf", 12, False),
    ("Arial14.fnt", "DejaVuSans.ttf", 14, False),
    ("PH_big.fnt", "DejaVuSans-Bold.ttf", 32, False),
    ("PH_small.fnt", "DejaVuSans-Bold.ttf", 20, False),
    ("Times16.fnt", "DejaVuSerif.ttf", 16, True),
    ("Times24.fnt", "DejaVuSerif.ttf", 24, True),
    ("Times16NoEff.fnt", "DejaVuSerif.ttf", 16, False),
    ("Times24NoEff.fnt", "DejaVuSerif.ttf", 24, False),
    ("Times36NoEff.fnt", "DejaVuSerif.ttf", 36, False),
    ("Times60_NE.fnt", "DejaVuSerif.ttf", 60, False),
    ("Times24White.fnt", "DejaVuSerif.ttf", 24, False),
    ("Trisk10.fnt", "DejaVuSansCondensed.ttf", 10, False),
    ("Jester16.fnt", "DejaVuSerif-Italic.ttf", 16, False),
    ("Brush22.fnt", "DejaVuSans-BoldOblique.ttf", 22, False),
]

# The gameplay tuning file: (key, value, comment).  Keys begin with the class
# or feature that reads them; a minigame puts "Quest<n>." between its prefix
# and the setting.
TUNING = [
    ("MiniGameBase.FadeInTransition", 500, "minigame entry fade, ms"),
    ("MiniGameBase.FadeOutTransition", 500, "minigame exit fade, ms"),
    ("Points.MiniGame", 1000, "score for a solved minigame in fearless mode"),
] + minigames.TUNING
TUNING += minigames_necklace_stars.TUNING
TUNING += minigames_six.TUNING
TUNING += minigames_mechanisms.TUNING
# The hidden-object scene screen's settings.
TUNING += scene_content.TUNING
TUNING += frontend.TUNING


def unique_pairs(pairs, what):
    """The (key, value, ...) rows with a repeated key dropped when it
    repeats the same value; a key given two values is refused."""
    seen, out = {}, []
    for row in pairs:
        key, value = row[0], row[1]
        if key in seen:
            if seen[key] != value:
                raise ValueError("gen_content: %s %r is given both %r and %r" % (what, key, seen[key], value))
            continue
        seen[key] = value
        out.append(row)
    return out


def tuning_text():
    lines = ["# Gameplay tuning: key = value; '#' starts a comment.", ""]
    for key, value, note in unique_pairs(TUNING, "tuning key"):
        lines.append("# " + note)
        lines.append("%s = %s" % (key, value))
    lines += ["", "EndConfigFile", ""]
    return "\n".join(lines)


# Defaults of config.xml not covered by the tables above.
SCREEN = {"width": 1024, "height": 768, "bitDepth": 32}
SAVEGAME = {"folder": GAME, "filename": "save.dat"}
LANGUAGE = "EN"
VOLUME = {"soundVolume": 75, "musicVolume": 50}

# ---------------------------------------------------------------------------
# Test fixtures: (path under the fixtures folder, size, kind, style).
# Fixture JPEGs are stored at quality 100 and checked to decode to exactly
# the colours below (the picture, and the mask: black = transparent).
EXACT = {"label": False, "quality": 100, "exact": True}

# sheet6.png: cells row-major from the top-left, each (r, g, b, a); the
# tests read the same table from sheet6.txt.
SHEET6 = {
    "columns": 2, "rows": 3, "cell": (32, 32),
    "colors": [(255, 0, 0, 255), (0, 255, 0, 255), (0, 0, 255, 255),
               (255, 255, 0, 255), (255, 0, 255, 255), (0, 255, 255, 255)],
}


def sheet_text(name, sheet):
    cols, (cw, ch) = sheet["columns"], sheet["cell"]
    lines = ["# %s: %dx%d RGBA, %d columns x %d rows of %dx%d cells"
             % (name, cols * cw, sheet["rows"] * ch, cols, sheet["rows"], cw, ch),
             "# one line per cell, row-major from the top-left: column row r g b a"]
    lines += ["%d %d %d %d %d %d" % ((i % cols, i // cols) + tuple(c))
              for i, c in enumerate(sheet["colors"])]
    return "\n".join(lines) + "\n"


# Test fonts of solid glyph boxes ("boxfont" kind, contentgen/fonts.py):
# glyphs are (id, page, x, y, w, h, xoffset, yoffset, xadvance, colour).
# font_metrics: A and B with kerning A->B -2 ("AB" is 15 wide); the words
# "one", "two" and "three" 30 wide each and a space of 5; the high code 233
# with kernings to and from it; C on a second page; a kerning to code 322
# (= B + 256) that must be ignored.
GREY = (200, 200, 200, 255)
METRICS_FONT = {
    "line_height": 20,
    "pages": [{"size": (64, 64)}, {"size": (32, 32)}],
    "glyphs": [
        (32, 0, 0, 0, 0, 0, 0, 0, 5, None),
        (65, 0, 0, 0, 8, 12, 1, 0, 10, (255, 0, 0, 255)),
        (66, 0, 10, 0, 8, 12, 0, 3, 8, (0, 255, 0, 255)),
        (67, 1, 4, 4, 6, 10, 0, 2, 7, (0, 0, 255, 255)),
        (101, 0, 40, 0, 9, 10, 0, 4, 10, GREY),
        (104, 0, 20, 20, 3, 12, 0, 2, 3, GREY),
        (110, 0, 30, 0, 9, 10, 0, 4, 10, GREY),
        (111, 0, 20, 0, 9, 10, 0, 4, 10, GREY),
        (114, 0, 30, 20, 3, 10, 0, 4, 3, GREY),
        (116, 0, 50, 0, 3, 12, 0, 2, 4, GREY),
        (119, 0, 0, 20, 15, 10, 0, 4, 16, GREY),
        (233, 0, 40, 20, 7, 12, 0, 0, 9, (255, 0, 255, 255)),
        (322, 0, 50, 20, 4, 4, 0, 0, 5, GREY),
    ],
    "kernings": [(65, 66, -2), (65, 233, -3), (233, 233, -1), (65, 322, 7)],
}
# font_grey: one 8-bit greyscale page; W is grey 255, G grey 120, K black.
GREY_FONT = {
    "line_height": 10,
    "pages": [{"size": (32, 16), "mode": "L"}],
    "glyphs": [
        (87, 0, 0, 0, 6, 8, 0, 0, 8, 255),
        (71, 0, 8, 0, 6, 8, 0, 0, 8, 120),
        (75, 0, 16, 0, 6, 8, 0, 0, 8, 0),
    ],
}
# font_npot: one 300x100 page (stored as a 512x128 texture); R lies beyond
# 256 across and 64 down.
NPOT_FONT = {
    "line_height": 40,
    "pages": [{"size": (300, 100)}],
    "glyphs": [
        (76, 0, 10, 10, 20, 30, 0, 0, 24, (255, 0, 0, 255)),
        (77, 0, 150, 40, 20, 20, 0, 5, 24, (0, 0, 255, 255)),
        (82, 0, 260, 60, 30, 30, 0, 0, 32, (0, 255, 0, 255)),
    ],
}

# Fonts as other tools write them.  font_pages_swapped: the <pages> list
# gives page 1 before page 0; A is red on page 0 (32x32), B green on page 1
# (64x16).  font_outside: a 64x64 page the descriptor declares as 128x128; B
# lies beyond it, C reaches over its corner, D names the unlisted page 2.
# font_fractional: fractional offsets, advances, kerning and line height.
# font_sdf: a distance-field font.
RED, GREEN, BLUE = (255, 0, 0, 255), (0, 255, 0, 255), (0, 0, 255, 255)
SWAPPED_PAGES_FONT = {
    "line_height": 10,
    "pages": [{"size": (32, 32)}, {"size": (64, 16)}],
    "page_order": [1, 0],
    "glyphs": [(65, 0, 0, 0, 8, 8, 0, 0, 9, RED), (66, 1, 16, 0, 8, 8, 0, 0, 9, GREEN)],
}
OUTSIDE_FONT = {
    "line_height": 10,
    "pages": [{"size": (64, 64)}],
    "declared_size": (128, 128),
    "glyphs": [
        (32, 0, 0, 0, 0, 0, 0, 0, 5, None),
        (65, 0, 0, 0, 8, 8, 0, 0, 9, RED),
        (66, 0, 70, 10, 8, 8, 0, 0, 9, GREEN),
        (67, 0, 60, 60, 8, 8, 0, 0, 9, BLUE),
        (68, 2, 0, 0, 8, 8, 0, 0, 9, GREY),
    ],
}
FRACTIONAL_FONT = {
    "line_height": 12.5,
    "pages": [{"size": (32, 32)}],
    "glyphs": [(65, 0, 0, 0, 8, 8, 0.4, 2.5, 9.6, RED), (66, 0, 10, 0, 8, 8, -0.5, -1.2, 8.49, GREEN)],
    "kernings": [(65, 66, -1.5)],
}
SDF_FONT = dict(SWAPPED_PAGES_FONT, page_order=None,
                extra=[("distanceField", {"fieldType": "msdf", "distanceRange": 4})])

FIXTURES = [
    # Soft round alpha, so alpha handling shows.
    ("tex300x200.png", (300, 200), "sprite", {"label": "tex300x200"}),
    ("tex1025x10.png", (1025, 10), "backdrop", {}),
    # Blue / red picture; mask left half black, right half white.
    ("room.jpg", (64, 32), "solid", dict(EXACT, color=(32, 64, 224), alpha="right_half")),
    ("room.JPEG", (64, 32), "solid", dict(EXACT, color=(200, 40, 40), alpha="right_half")),
    # Grey picture; mask uniformly (30, 60, 91) -> alpha 60.
    ("mask_probe.jpg", (64, 32), "solid", dict(EXACT, color=(128, 128, 128), mask=(30, 60, 91))),
    # Blue picture 64x32 with a 32x32 (wrong size) white mask.
    ("badmask.jpg", (64, 32), "solid", dict(EXACT, color=(32, 64, 224), mask_size=(32, 32))),
    ("truncated.png", (64, 64), "truncated_png", {"keep": 0.5}),
    ("notanimage.png", None, "text", {"text": "This is a text file, not a PNG image.\n"}),
    ("sheet6.png", (64, 96), "cells", dict(SHEET6, exact=True)),
    ("sheet6.txt", None, "text", {"text": sheet_text("sheet6.png", SHEET6)}),
    ("opaque32.png", (32, 32), "solid", dict(EXACT, color=(250, 250, 245, 255))),
    # 1 s of 16-bit stereo 44.1 kHz: 44-byte header + 176400 data bytes.
    ("tone1s.wav", None, "wav", {"seconds": 1, "synth": "sine 440"}),
    ("beep.ogg", None, "tone", {"ms": 100, "synth": "sine 1000"}),
    ("font_metrics.fnt", None, "boxfont", METRICS_FONT),
    ("font_grey.fnt", None, "boxfont", GREY_FONT),
    ("font_npot.fnt", None, "boxfont", NPOT_FONT),
    ("font_pages_swapped.fnt", None, "boxfont", SWAPPED_PAGES_FONT),
    ("font_outside.fnt", None, "boxfont", OUTSIDE_FONT),
    ("font_fractional.fnt", None, "boxfont", FRACTIONAL_FONT),
    ("font_sdf.fnt", None, "boxfont", SDF_FONT),
    # Pictures as other tools write them: a CMYK JPEG (200, 40, 40) with a
    # CMYK mask (left half black); files that claim 16000x16000 pixels.
    ("cmyk.jpg", (32, 32), "cmyk_jpeg", {"color": (200, 40, 40), "alpha": "right_half", "label": False}),
    ("huge_bilevel.png", (16000, 16000), "bilevel_png", {}),
    ("claims_huge.jpg", (16000, 16000), "jpeg_claiming", {"real": (16, 16)}),
    # Sample rates the mixer (44.1 kHz) cannot convert exactly, and one it can.
    ("tone48k.ogg", None, "tone", {"ms": 200, "synth": "sine 440", "rate": 48000}),
    ("tone8k.wav", None, "wav", {"seconds": 0.2, "synth": "sine 440", "rate": 8000}),
    ("tone22k.wav", None, "wav", {"seconds": 0.2, "synth": "sine 440", "rate": 22050}),
]


# Animation fixtures and their images: opaque red, opaque blue, and red
# whose left half is transparent (shows rotation).
FIXTURES += [
    ("anim/red32.png", (32, 32), "solid", dict(EXACT, color=(255, 0, 0, 255))),
    ("anim/blue32.png", (32, 32), "solid", dict(EXACT, color=(0, 0, 255, 255))),
    ("anim/halfred32.png", (32, 32), "solid", dict(EXACT, color=(255, 0, 0, 255), alpha="right_half")),
]
# (path under the fixtures folder, builder, arguments), as ANIMATIONS.
MOVE_X = {"length": 1000, "screen": (200, 100),
          "objects": [("red32.png", 0, [{"t": 0, "x": 0, "y": 50}, {"t": 1000, "x": 100, "y": 50}])]}
ANIMATION_FIXTURES = [
    # x 0 -> 100 over 1000 ms (y 50), length 1000; and the same looping.
    ("anim/MoveX.xml", "clip", MOVE_X),
    ("anim/MoveXLoop.xml", "clip", dict(MOVE_X, loop=1)),
    # Depths 2.7, 2.2 and 1.5 (an object without image): drawn 1.5 first,
    # then 2.7 and 2.2 in file order; the later z 9 changes nothing.
    ("anim/ZOrder.xml", "clip", {"length": 100, "screen": (64, 64), "objects": [
        ("red32.png", 0, [{"t": 0, "z": 2.7}, {"t": 100, "z": 9}]),
        ("blue32.png", 0, [{"t": 0, "z": 2.2}]),
        ("nothing.png", 1, [{"t": 0, "z": 1.5}])]}),
    # A second key frame at 500 ms (x 999) is dropped.
    ("anim/DuplicateTime.xml", "clip", {"length": 1000, "screen": (64, 64), "objects": [
        ("red32.png", 0, [{"t": 0, "x": 0}, {"t": 500, "x": 50}, {"t": 500, "x": 999},
                          {"t": 1000, "x": 100}])]}),
    # Every value set, Angle 90; x 10 -> 70 by 600 ms of 1000.
    ("anim/Props.xml", "clip", {"length": 1000, "screen": (64, 64), "objects": [
        ("halfred32.png", 0, [{"t": 0, "x": 10, "y": 20, "z": 3, "sx": 50, "sy": 200, "angle": 90,
                               "r": 10, "g": 20, "b": 30, "a": 40},
                              {"t": 600, "x": 70, "y": 20, "z": 3, "sx": 50, "sy": 200,
                               "angle": 90, "r": 10, "g": 20, "b": 30, "a": 40}])]}),
    # An object without key frames, not looping.
    ("anim/NoKeys.xml", "clip", {"length": 300, "screen": (32, 32),
                                 "objects": [("red32.png", 0, [])]}),
    ("anim/NoScreen.xml", "clip", dict(MOVE_X, screen=None)),
]
FIXTURES += [animations.table_line(p, b, args) for p, b, args in ANIMATION_FIXTURES]
# Item pictures of the scene tests.
FIXTURES += scene_content.fixture_lines()


# ---------------------------------------------------------------------------
# Tables -> file lists

def content_table():
    c = "content/"
    table = list(IMAGES)
    table += [(CURSOR_FOLDER + f, (32, 32), "cursor", {"color": col}) for _, f, col in CURSORS]
    table += [(SOUND_FOLDER + f, None, "tone", {"ms": ms, "synth": synth})
              for _, f, ms, synth in SFX]
    table += [(MUSIC_FOLDER + f, None, "music", style) for f, style in MUSIC]
    table += [animations.table_line(path, b, args) for path, b, args in ANIMATIONS]
    table += [(FONT_FOLDER + f, None, "font", {"ttf": ttf, "px": px, "outline": outline})
              for f, ttf, px, outline in FONTS]

    labels = ("Strings", {}, [("Label", {i: text}) for i, text in unique_pairs(LABELS, "label")])

    effects = {}
    for name, f, _, _ in SFX:
        effects.setdefault(name, []).append(f)
    sfx = ("SFX", {"defaultPath": c + SOUND_FOLDER}, [
        ("Sound", {"name": n, "path": fs[0]}) if len(fs) == 1 else
        ("RandomSound", {"name": n}, [("Sound", {"path": f}) for f in fs])
        for n, fs in effects.items()])

    scenes = {}
    for index, f in SCENE_MUSIC:
        scenes.setdefault(index, []).append(f)
    music = ("SceneMusic", {"path": c + MUSIC_FOLDER}, [
        ("Scene", {"index": i}, [("Music", {"file": f}) for f in fs])
        for i, fs in scenes.items()])

    config = ("Config", {}, [
        ("Application", {}, [
            ("ScreenResolution", SCREEN),
            ("WindowCaption", {"name": GAME})]),
        ("Savegame", SAVEGAME),
        ("Language", {"active": LANGUAGE, "labels": c + LABELS_FILE}),
        ("LogoScreens", {}, [("Screen", {"type": t, "folder": c + folder, "filename": f})
                             for t, folder, f in LOGO_SCREENS]),
        ("MouseCursors", {"folder": c + CURSOR_FOLDER},
         [("Cursor", {"id": i, "imageFile": f}) for i, f, _ in CURSORS]),
        ("Volume", VOLUME)])

    table += [
        ("config/config.xml", None, "xml", {"root": config}),
        (LABELS_FILE, None, "xml", {"root": labels}),
        ("config/sfx.xml", None, "xml", {"root": sfx}),
        ("config/scene/music.xml", None, "xml", {"root": music}),
        ("config/GameParameters.cfg", None, "text", {"text": tuning_text()}),
    ]
    table += minigames_necklace_stars.table_lines()
    # Six minigames draw their registered pictures themselves.
    table += minigames_six.table_lines()
    # Six minigames' files, among them registered textures the manifest
    # leaves to this table.
    table += minigames_mechanisms.table_lines()
    # The journal and credits books (with their page pictures), the story
    # texts' pictures and clips.
    table += books.table_lines(c)
    # Everything the content registration tables name that the tables above
    # do not make: the textures and music of tools/content_manifest.tsv.
    table += manifest.table_lines(manifest.read(), {line[0]: line[1] for line in table})
    # The front end's pictures, clips, conversations and map locations.
    table += frontend.table_lines(c)
    # The quest graph, the game flow and each scene's script and rule files.
    table += story.table_lines(c)
    # The minigames' description files and the pictures they load by name.
    table += minigames.table_lines()
    # The scene index and every scene's items with their pictures.
    table += scene_content.table_lines(c, LANGUAGE)
    return table


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--content", default="content",
                    help="content folder (default: content; relative to the repository root)")
    ap.add_argument("--fixtures", default="build/fixtures",
                    help="test fixture folder (default: build/fixtures; relative to the "
                         "repository root)")
    ap.add_argument("--jobs", type=int, default=None, help="worker processes (default: CPUs)")
    args = ap.parse_args()

    missing = [t for t in ("sox", "oggenc") if shutil.which(t) is None]
    if missing:
        sys.exit("gen_content: missing %s (Debian: sox libsox-fmt-all vorbis-tools)"
                 % ", ".join(missing))

    # A story that cannot be played through is refused before anything is written.
    try:
        story.quest_graph()
    except ValueError as err:
        sys.exit("gen_content: %s" % err)
    start = time.monotonic()
    content = ROOT / args.content
    fixtures = ROOT / args.fixtures
    for folder in (content, fixtures):
        runner.clear_stamp(folder)
    jobs = runner.prepare(content, content_table(), "content/")
    # The short story road's own files, from the story checked above (its
    # links to the content follow the run).
    jobs += runner.prepare(fixtures, FIXTURES + shortroad.fixture_lines())
    written = runner.run(jobs, args.jobs)
    written += shortroad.link_content(fixtures, content)
    problems = manifest.line_height_problems(manifest.read(), content)
    if problems:
        sys.exit("gen_content: fonts differ from tools/content_manifest.tsv:\n  "
                 + "\n  ".join(problems))
    digest = runner.source_hash(TOOLS)
    for folder in (content, fixtures):
        runner.write_stamp(folder, digest)
    print("gen_content: %d files into %s and %s in %.1f s"
          % (len(written), content, fixtures, time.monotonic() - start))


if __name__ == "__main__":
    main()
