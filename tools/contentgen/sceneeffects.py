"""Scene effects content: the decorations and effect items of the showcase
scene, the sprite sheets and key-frame clips they play, the spell
animations, the spell tutorials and the tuning keys of them all.

The showcase scene (SHOWCASE, Scene02, which plays quest 3 and so shows the
spell buttons) gets, after its background so that the other items keep their
indices:
  - decorations in group 6 (story.py's rule rows for typeIds 600-606): a
    particle flame (renderer 3), two fireflies (5), rain (6), a flickering
    light (10), a key-frame banner (4), and two collectable kinds shown but
    never wanted: an item with a key-frame clip (7) and one with a
    sprite-sheet animation (12);
  - an ordinary item with particles (typeId 0, type 1, renderer 8), which
    joins the items a step may pick (the item group rules tell types 0 and 1
    apart only);
  - three runes each of the lightning, vision and visibility spells
    (majorGroupID 3, 2 and 0, minorGroupIDs 9-11), and two of the drawn
    spell (majorGroupID 1, minorGroupIDs 9-10; the scene's own rune is the
    third), enough to charge their buttons;
  - the animated key item (renderer 9, typeId SIGIL_TYPE): shown once the
    steps are done, the click that finishes the scene (the scene plays
    quests 3 and 4, never quest 2, at whose start it would show at once).
Every scene's key item plays the staff sparkle sheet while it is wanted
(renderer 11, "KeyItem." keys).
"""

from . import animations, story

SHOWCASE = 1
EFFECTS = "animations/SceneEffects/"
SPARKLE_SHEET = "content/images/scenegui/StaffMagicAnim"
# The typeId of the animated key item (story.py's rule rows: waiting,
# renderer 9).
SIGIL_TYPE = 607

# (name, picture, size, layer, x, y, typeId, type, major, minor, RGBA, angle, infoTip or None)
ITEMS = [
    ("Torch", "Torch.png", (24, 48), 4, 880, 96, 600, 0, 0, 0, (255, 255, 255, 255), 0, None),
    ("Firefly", "Firefly.png", (16, 16), 6, 220, 160, 601, 0, 60, 40, (255, 255, 255, 255), 0, None),
    ("Firefly", "Firefly.png", (16, 16), 6, 720, 260, 601, 0, 60, 40, (255, 255, 255, 255), 0, None),
    ("Rain", "Drop.png", (4, 32), 7, 0, 0, 602, 0, 60, 0, (200, 200, 255, 64), 10, None),
    # The light stands 400 px in front of the scene (its layer is its z; at
    # 0 it would graze the pictures and light nothing) with a small ambient
    # share (A), so that its flicker shows.
    ("Light", "Light.png", (8, 8), 400, 512, 300, 603, 0, 0, 0, (255, 220, 160, 96), 0, None),
    ("Banner", "Banner.png", (64, 64), 4, 40, 56, 604, 0, 0, 0, (255, 255, 255, 255), 0,
     "content/" + EFFECTS + "Banner.xml"),
    ("Lantern", "Lantern.png", (64, 64), 4, 600, 560, 0, 1, 32, 0, (255, 255, 255, 255), 0, None),
    ("Hourglass", "Hourglass.png", (64, 64), 4, 400, 560, 605, 0, 0, 0, (255, 255, 255, 255), 0,
     "content/" + EFFECTS + "Hourglass.xml"),
    ("Orb", "Orb.png", (64, 64), 4, 200, 560, 606, 0, -1, -1, (255, 255, 255, 255), 0, None),
    ("Rune", "LightningRune.png", (48, 48), 4, 660, 330, 200, 0, 3, 9, (255, 255, 255, 255), 0, None),
    ("Rune", "LightningRune.png", (48, 48), 4, 720, 380, 200, 0, 3, 10, (255, 255, 255, 255), 0, None),
    ("Rune", "LightningRune.png", (48, 48), 4, 660, 430, 200, 0, 3, 11, (255, 255, 255, 255), 0, None),
    ("Rune", "VisionRune.png", (48, 48), 4, 520, 200, 200, 0, 2, 9, (255, 255, 255, 255), 0, None),
    ("Rune", "VisionRune.png", (48, 48), 4, 580, 250, 200, 0, 2, 10, (255, 255, 255, 255), 0, None),
    ("Rune", "VisionRune.png", (48, 48), 4, 520, 300, 200, 0, 2, 11, (255, 255, 255, 255), 0, None),
    ("Rune", "VisibilityRune.png", (48, 48), 4, 300, 470, 200, 0, 0, 9, (255, 255, 255, 255), 0, None),
    ("Rune", "VisibilityRune.png", (48, 48), 4, 360, 520, 200, 0, 0, 10, (255, 255, 255, 255), 0, None),
    ("Rune", "VisibilityRune.png", (48, 48), 4, 480, 470, 200, 0, 0, 11, (255, 255, 255, 255), 0, None),
    # With the scene's own drawn-spell rune (minor 0) these charge the drawn
    # spell's button.
    ("Rune", "DrawnRune.png", (48, 48), 4, 120, 400, 200, 0, 1, 9, (255, 255, 255, 255), 0, None),
    ("Rune", "DrawnRune.png", (48, 48), 4, 180, 460, 200, 0, 1, 10, (255, 255, 255, 255), 0, None),
    # The animated key item: hidden until the steps are done, then the last
    # click that finishes the scene (renderer 9, "AnimatedItem." keys).
    ("SIGIL", "Sigil.png", (64, 64), 5, 820, 300, SIGIL_TYPE, 0, 0, 0, (255, 255, 255, 255), 0, None),
]
COLOURS = {"Torch": "#a06030", "Firefly": "#f0f060", "Drop": "#d0d8ff", "Light": "#ffffff",
           "Banner": "#c03030", "Lantern": "#e0a020", "Hourglass": "#c0a070", "Orb": "#8040e0",
           "LightningRune": "#60e0ff", "VisionRune": "#f9d557",
           "VisibilityRune": "#a070f0", "DrawnRune": "#60d0a0", "Sigil": "#f0f0f0"}
SHAPES = {"Torch": "block", "Firefly": "disc", "Drop": "block", "Light": "disc", "Banner": "shield",
          "Lantern": "hexagon", "Hourglass": "diamond", "Orb": "disc", "LightningRune": "star",
          "VisionRune": "star", "VisibilityRune": "star", "DrawnRune": "star", "Sigil": "shield"}

# Spell animations (one 128 x 128 picture each, 800 ms, played once) and the
# clips of the effect items.
SPELL_CLIPS = [("animations/VisibilitySpell/SpellVisibility.xml", "#a070f0"),
               ("animations/DrawnSpell/SpellDrawn.xml", "#60d0a0"),
               ("animations/VisionSpell/SpellVision.xml", "#f9d557")]


def _tip(name):
    return "Scene%02d_%s" % (SHOWCASE + 1, name)


def extra_items(scene_id):
    """The Item elements appended to a scene's item file."""
    if scene_id != SHOWCASE:
        return []
    out = []
    for name, image, _, layer, x, y, type_id, kind, major, minor, (r, g, b, a), angle, tip in ITEMS:
        out.append(("Item", {
            "name": name, "image": image, "layer": layer, "majorGroupID": major, "minorGroupID": minor,
            "x": "%.1f" % x, "y": "%.1f" % y, "angle": "%.1f" % angle, "R": r, "G": g, "B": b, "A": a,
            "type": kind, "infoTip": tip or _tip(name), "typeId": type_id}))
    return out


def table_lines(prefix="content/"):
    folder = story.scene_folder(SHOWCASE)
    lines, seen = [], set()
    for _, image, size, *_ in ITEMS:
        if image in seen:
            continue
        seen.add(image)
        stem = image[:-4]
        lines.append((folder + image, size, "item",
                      {"color": COLOURS[stem], "shape": SHAPES[stem], "label": False}))
    for path, colour, size, loop in [(EFFECTS + "Banner.xml", "#c03030", 64, 1),
                                     (EFFECTS + "Hourglass.xml", "#f0e0a0", 64, 1)] + [
            (p, c, 128, 0) for p, c in SPELL_CLIPS]:
        base = path.rsplit("/", 1)[0] + "/"
        picture = path.rsplit("/", 1)[1][:-4] + ".png"
        lines.append((base + picture, (size, size), "item", {"color": colour, "shape": "star", "label": False}))
        clip = animations.fade(picture[:-4], picture, (size, size), 800, 200)
        clip["loop"] = loop
        lines.append((path, None, "xml", {"root": animations.root(clip)}))
    return lines


def _sprite_keys(prefix, tip):
    return [(prefix + tip + ".TextureFileName", SPARKLE_SHEET, "sprite sheet, without extension"),
            (prefix + tip + ".AnimWidth", 128, "frame width, px"),
            (prefix + tip + ".AnimHeight", 128, "frame height, px"),
            (prefix + tip + ".NumColumns", 8, "sheet columns"),
            (prefix + tip + ".NumRows", 5, "sheet rows"),
            (prefix + tip + ".NumFrames", 40, "frames"),
            (prefix + tip + ".FrameDuration", 60, "ms a frame")]


def _particle_keys(prefix, tip, life, vx, vy, colour, change):
    k = prefix + tip
    r, g, b = colour
    return [(k + ".TextureFilename", "content/images/effects/Particle", "particle picture, without extension"),
            (k + ".ParticleNumber", 40, "particles"), (k + ".ScaleFactor", 0.6, "particle scale"),
            (k + ".RandomFactorVX", 0.01, "random share of the x speed"),
            (k + ".RandomFactorVY", 0.01, "random share of the y speed"),
            (k + ".SpreadX", 6, "emission spread, px"), (k + ".SpreadY", 2, "emission spread, px"),
            (k + ".Red", r, "particle colour"), (k + ".Green", g, "particle colour"),
            (k + ".Blue", b, "particle colour"),
            (k + ".ColorToChange", change, "channel following the alpha: 0 red, 1 green, 2 blue"),
            (k + ".Life", life, "particle life, ms"), (k + ".vx", vx, "x speed, px per update"),
            (k + ".vy", vy, "y speed, px per update")]


def tuning():
    keys = []
    for scene_id in range(len(story.SCENES)):
        keys += _sprite_keys("KeyItem.", "Scene%02d_BrassKey" % (scene_id + 1))
    keys += _sprite_keys("SceneAnimation.", _tip("Orb"))
    sigil = "AnimatedItem." + _tip("SIGIL")
    keys += _sprite_keys("AnimatedItem.", _tip("SIGIL"))
    keys += [(sigil + ".AnimOffsetX", -32, "sprite left of the picture, px"),
             (sigil + ".AnimOffsetY", -32, "sprite above the picture, px"),
             (sigil + ".HasRotation", "true", "the picture spins"),
             (sigil + ".RotationSpeed", 45, "spin, degrees per second"),
             (sigil + ".HasScaling", "true", "the picture pulses"),
             (sigil + ".ScaleSpeed", 0.5, "pulse, scale units per second"),
             (sigil + ".HasLabel", "true", "its name (label SIGIL) under it")]
    keys += _particle_keys("SceneFlame.", _tip("Torch"), 900, 0.1, -0.8, (255, 200, 40), 1)
    keys += _particle_keys("ItemWithParticles.", _tip("Lantern"), 1200, 0.05, -0.4, (255, 240, 160), 2)
    tip = "SceneFlicker." + _tip("Light")
    keys += [(tip + ".MinIntensity", 0.3, "light intensity, lowest"),
             (tip + ".MaxIntensity", 1.0, "light intensity, highest"),
             (tip + ".FlickerSpeed", 2.0, "intensity change per second"),
             (tip + ".Randomness", 60, "0-100: how often the flicker turns")]
    keys += [("AnimatedStaff.RotationAngle", 12, "staff swing, degrees"),
             ("AnimatedStaff.Glow.FadeInDuration", 400, "staff glow fade-in, ms"),
             ("AnimatedStaff.Glow.FadeOutDuration", 600, "staff glow fade-out, ms"),
             ("AnimatedStaff.FadeIn.Duration", 1000, "staff appearance, ms")]
    return keys


# The spell buttons' tooltips read the spells' names the rune sheet shows
# ("SPELL_VISIBILITY" ...), written with the books' labels.
LABELS = [("SIGIL", "Sigil of Passage")]
