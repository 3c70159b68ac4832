#!/usr/bin/python3
"""tools/check_content.py on a small content tree: a sound tree passes, and
each kind of missing or malformed file is named and fails the check; so is
content a player cannot solve or read (pieces that look alike, an unmarked
place, a label too long for its box, text on a panel too light for it, a
picture's label under a text, a slider fill as wide as its track, aiming bars
off the screen, a minigame quest without its tutorial).

Run from the repository root after scripts/gen-content.sh (a font and a music
track are copied from the generated content)."""

import re
import shutil
import sys as _sys
import subprocess
import sys
import tempfile
import unittest
import wave
from pathlib import Path

from PIL import Image

ROOT = Path.cwd()
_sys.path.insert(0, str(ROOT / "tools"))
from contentgen import images as gen_images  # noqa: E402  (the generator's name labels)
CHECKER = ROOT / "tools" / "check_content.py"
FONT = ROOT / "content" / "fonts" / "Arial12.fnt"
# The fonts of the chapter titles, the quit question, the shot counter, the
# memory match's verdicts and the buttons' captions.
TITLE_FONTS = [ROOT / "content" / "fonts" / name
               for name in ("Times60_NE.fnt", "Times24NoEff.fnt", "Times24.fnt", "Times24White.fnt", "Times16.fnt")]
MUSIC = ROOT / "content" / "music" / "MainTheme.ogg"

MANIFEST = """# test manifest
table\tkind\tid\tpath\tsize\tmask\tstyle
registerTestResources\ttexture\tTEX_A\tcontent/images/a.jpg\t40x30\ty\tlook=panel
registerTestResources\ttexture\tTEX_B\tcontent/images/b.jpg\t20x10\tn\tlook=panel
registerTestResources\tfont\tFONT_A\tcontent/fonts/Arial12.fnt\t{line_height}\t-\t-
registerTestResources\tmusic\tMUSIC_A\tcontent/music/MainTheme.ogg\t-\t-\t-
"""

FILES = {
    "content/config/config.xml": """<Config>
  <Language active="EN" labels="content/config/labels/L.xml" />
  <LogoScreens><Screen type="ANIMATION" folder="content/anim/" filename="Logo.xml" /></LogoScreens>
  <MouseCursors folder="content/cursors/"><Cursor id="0" imageFile="c.png" /></MouseCursors>
</Config>""",
    "content/config/labels/L.xml": """<Strings><Label PAUSE="Paused" />
  <Label CHAPTER_ENTRY_1="Chapter One: Carvenholt" />
  <Label MESSAGE_QUIT="Do you really want to quit the game?" />
  <Label TUTORIAL_Quest4="Put the picture together." /><Label TUTORIAL_Quest7="Catch the squirrels." />
  <Label OK="OK" /><Label CORRECT="Correct!" /><Label NOT_CORRECT="Not correct" /></Strings>""",
    "content/anim/Logo.xml": "<Scene name=\"Logo\"><Object file=\"logo.jpg\" type=\"0\" /></Scene>",
    "content/config/sfx.xml": """<SFX defaultPath="content/sounds/">
  <Sound name="X" path="x.wav" />
  <RandomSound name="Y"><Sound path="y.ogg" /></RandomSound>
</SFX>""",
    "content/config/scene/music.xml": """<SceneMusic path="content/music/">
  <Scene index="0"><Music file="MainTheme.ogg" /></Scene>
</SceneMusic>""",
    "content/config/GameFlow.xml": """<GameFlow>
  <Screen type="scene" sceneId="0" configPath="content/scene/" itemRendererConf="r.xml"
          mechanicsConf="m.xml" itemGroupConf="g.xml" />
  <Screen type="StoryDialog" fileName="content/story/d.xml" />
  <Screen type="mainmenu" />
</GameFlow>""",
    "content/scene/r.xml": "<Rules />",
    "content/scene/m.xml": """<SceneMechanics><Step><Screen type="MgImagePuzzle" questId="4" /></Step>
  <Step><Screen type="MgWhackAMole" questId="7" /></Step></SceneMechanics>""",
    # A jigsaw of two pieces, and a necklace of two pieces (at 110, 110 and
    # 150, 110) on a chain at 100, 100.
    "content/config/GameParameters.cfg": """Game.Images.Extension = .jpg
MgImagePuzzle.HorizontalCount = 2
MgImagePuzzle.VerticalCount = 1
MgMatchElements.NumberOfPieces = 2
MgMatchElements.ChainX = 100
MgMatchElements.ChainY = 100
MgMatchElements.Piece0X = 110
MgMatchElements.Piece0Y = 110
MgMatchElements.Piece1X = 150
MgMatchElements.Piece1Y = 110
EndConfigFile
""",
    "content/scene/g.xml": "<Groups />",
    "content/story/d.xml": "<Dialog />",
}


def line_height():
    text = FONT.read_text()
    at = text.index('lineHeight="') + len('lineHeight="')
    return int(text[at:text.index('"', at)])


def build_tree(root):
    root = Path(root)
    for rel, text in FILES.items():
        (root / rel).parent.mkdir(parents=True, exist_ok=True)
        (root / rel).write_text(text)
    (root / "manifest.tsv").write_text(MANIFEST.format(line_height=line_height()))
    images = root / "content/images"
    images.mkdir(parents=True)
    Image.new("RGB", (40, 30), (200, 80, 40)).save(images / "a.jpg")
    Image.new("L", (40, 30), 255).save(images / "a_.jpg")
    Image.new("RGB", (20, 10), (40, 80, 200)).save(images / "b.jpg")
    Image.new("RGB", (64, 48), (10, 10, 10)).save(root / "content/anim/logo.jpg")
    (root / "content/cursors").mkdir(parents=True)
    Image.new("RGBA", (32, 32), (255, 255, 255, 255)).save(root / "content/cursors/c.png")
    fonts = root / "content/fonts"
    fonts.mkdir(parents=True)
    shutil.copy(FONT, fonts)
    for page in FONT.parent.glob("Arial12_*.png"):
        shutil.copy(page, fonts)
    for font in TITLE_FONTS:
        shutil.copy(font, fonts)
        for page in font.parent.glob(font.stem + "_*.png"):
            shutil.copy(page, fonts)
    puzzle = root / "content/images/minigames/02_imgpuzz"
    puzzle.mkdir(parents=True)
    piece(puzzle / "0x0.jpg", (40, 40), (90, 150, 220), (250, 250, 250))
    piece(puzzle / "0x1.jpg", (40, 40), (90, 150, 220), (200, 50, 50))
    necklace = root / "content/images/minigames/MatchElements"
    necklace.mkdir(parents=True)
    Image.new("RGB", (20, 20), RED).save(necklace / "1N.jpg", quality=95)
    Image.new("RGB", (20, 20), BLUE).save(necklace / "2N.jpg", quality=95)
    chain(necklace, marked=True)
    panel = root / "content/animations/UniversalDialog"
    panel.mkdir(parents=True)
    Image.new("RGBA", (512, 256), (74, 56, 40, 255)).save(panel / "MessageDialogPanel.png")
    screens(root)
    (root / "content/music").mkdir(parents=True)
    shutil.copy(MUSIC, root / "content/music")
    sounds = root / "content/sounds"
    sounds.mkdir(parents=True)
    shutil.copy(MUSIC, sounds / "y.ogg")
    with wave.open(str(sounds / "x.wav"), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(22050)
        w.writeframes(b"\0\1" * 2205)


RED, BLUE = (200, 30, 50), (40, 80, 210)
DARK, LIGHT = (40, 34, 60), (226, 211, 172)
INTRO = "content/images/menus/"
MEMORY = "content/images/minigames/01_memmatch/"
SHOOTING = "content/images/minigames/08_shooting/"


def jpeg(root, rel, img):
    """A picture as the game reads it: the JPEG and, when it has alpha,
    its mask."""
    path = Path(root) / rel
    path.parent.mkdir(parents=True, exist_ok=True)
    img.convert("RGB").save(path, quality=95)
    if img.mode == "RGBA":
        img.getchannel("A").save(path.with_name(path.stem + "_" + path.suffix), quality=95)


def cloud(colour=DARK, label_at=None):
    """The prologue's cloud bank: opaque below its top third; with label_at
    (a generator label place), a name label there."""
    img = Image.new("RGBA", (1024, 326), colour + (255,))
    img.paste(Image.new("RGBA", (1024, 100), (0, 0, 0, 0)), (0, 0))
    if label_at:
        gen_images.draw_name(img, ["INTRO_CLOUD  1024x326"], label_at[0], label_at[1])
    return img


def button(label_at):
    img = Image.new("RGBA", (170, 40), (200, 120, 200, 255))
    gen_images.draw_name(img, ["SmlBtnN"], label_at, (5, 2))
    return img


def screens(root):
    """The pictures under the screens' texts, as the generator makes them:
    the prologue's map and cloud bank, the memory match's paper with its
    dark plaque under the verdicts, the options' slider, the shooting
    range's bars and a small button labelled clear of its captions."""
    jpeg(root, INTRO + "map/BgMap.jpg", Image.new("RGB", (1024, 768), (60, 40, 90)))
    jpeg(root, INTRO + "IntroCloud.jpg", cloud(label_at=("bottom-right", (8, 1))))
    paper = Image.new("RGBA", (1024, 768), LIGHT + (255,))
    paper.paste(Image.new("RGBA", (272, 40), (44, 30, 18, 255)), (376, 148))
    jpeg(root, MEMORY + "Paper.jpg", paper)
    jpeg(root, MEMORY + "PaperPatch.jpg", Image.new("RGB", (368, 360), (60, 50, 40)))
    jpeg(root, MEMORY + "Quest3/bg.jpg", Image.new("RGB", (1024, 768), (90, 70, 50)))
    jpeg(root, INTRO + "options/SliderRail.jpg", Image.new("RGB", (242, 28), (200, 80, 120)))
    jpeg(root, INTRO + "options/ThumbN.jpg", Image.new("RGB", (24, 28), (80, 140, 200)))
    jpeg(root, INTRO + "options/SliderFill.jpg", Image.new("RGB", (6, 18), (216, 176, 74)))
    jpeg(root, SHOOTING + "bar.jpg", Image.new("RGB", (200, 24), (200, 120, 50)))
    jpeg(root, SHOOTING + "Dot.jpg", Image.new("RGBA", (24, 24), (250, 250, 250, 255)))
    jpeg(root, INTRO + "SmlBtnN.jpg", button("left"))
    # The chapter transition's clip and a conversation of one character
    # whose portrait (at 40, 180) carries its label at its top.
    chapter = Path(root) / "content/animations/ChapterTransition"
    chapter.mkdir(parents=True)
    (chapter / "Transition.xml").write_text(CLIP % "Backdrop.png")
    Image.new("RGBA", (1024, 768), (20, 20, 40, 255)).save(chapter / "Backdrop.png")
    portrait = Path(root) / "content/animations/Characters/V"
    portrait.mkdir(parents=True)
    (portrait / "Entry.xml").write_text(CLIP % "Portrait.png")
    face = Image.new("RGBA", (256, 384), (106, 76, 147, 255))
    gen_images.draw_name(face, ["Velmor  256x384"], "top-right", (32, 6))
    face.save(portrait / "Portrait.png")
    (Path(root) / "content/story/dialogs").mkdir(parents=True)
    (Path(root) / "content/story/dialogs/Characters.xml").write_text(CHARACTERS % (220, 420))
    (Path(root) / "content/story/dialogs/D.xml").write_text(
        '<Dialog><Reposition><Character id="0" x="40" y="180" /></Reposition>'
        '<Sequence><Talk character="0" continue="click" textLabel="PAUSE" /></Sequence></Dialog>')


CLIP = """<Scene name="Clip" loop="0" length="400"><Object file="%s" type="0">
  <KeyFrame TimeStamp="0" x="0" y="0" /></Object></Scene>"""
# Character 0 with its text box at the given place (relative to where the
# conversation stands it) and its name box at 220, 385.
CHARACTERS = """<Characters><Defaults path="content/animations/Characters/" />
  <Character id="0" name="V"><TextBox x="%d" y="%d" w="560" h="110" /><NameBox x="220" y="385" w="300" h="30" />
  <EntryAnimation file="V/Entry.xml" /></Character></Characters>"""


def piece(path, size, ground, feature, quality=95):
    """A jigsaw piece: sky, with a feature of its own in the middle."""
    img = Image.new("RGB", size, ground)
    w, h = size
    img.paste(Image.new("RGB", (w // 2, h // 2), feature), (w // 4, h // 4))
    img.save(path, quality=quality)


def chain(folder, marked):
    """The chain: a bronze line; with marked, a ring of each piece's colour
    round its home (piece 1 at 10, 10, piece 2 at 50, 10)."""
    img = Image.new("RGBA", (80, 40), (0, 0, 0, 0))
    img.paste(Image.new("RGBA", (80, 3), (150, 104, 58, 255)), (0, 5))
    for (x, y), colour in (((10, 10), RED), ((50, 10), BLUE)):
        ring = Image.new("RGBA", (20, 20), (colour if marked else (150, 104, 58)) + (255,))
        ring.paste(Image.new("RGBA", (14, 14), (0, 0, 0, 0)), (3, 3))
        img.paste(ring, (x, y))
    img.convert("RGB").save(folder / "Chain.jpg", quality=95)
    img.getchannel("A").save(folder / "Chain_.jpg", quality=95)


def run_checker(root):
    res = subprocess.run([sys.executable, str(CHECKER), "--root", str(root),
                          "--manifest", str(Path(root) / "manifest.tsv")],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return res.returncode, res.stdout


def edit(rel, old, new):
    def change(root):
        path = Path(root) / rel
        text = path.read_text()
        assert old in text, (rel, old)
        path.write_text(text.replace(old, new, 1))
    return change


def remove(rel):
    return lambda root: (Path(root) / rel).unlink()


def truncate(rel):
    def change(root):
        path = Path(root) / rel
        data = path.read_bytes()
        path.write_bytes(data[:len(data) // 2])
    return change


def picture(rel, size, mode="RGB"):
    return lambda root: Image.new(mode, size, 128).save(Path(root) / rel)


def rename(rel, new_name):
    return lambda root: (Path(root) / rel).rename((Path(root) / rel).with_name(new_name))


class CheckContentTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not FONT.exists() or not MUSIC.exists() or not all(f.exists() for f in TITLE_FONTS):
            raise unittest.SkipTest("generated content missing: run scripts/gen-content.sh")

    def check(self, change=None):
        with tempfile.TemporaryDirectory() as tmp:
            build_tree(tmp)
            if change:
                change(tmp)
            return run_checker(tmp)

    def test_complete_tree_passes(self):
        code, out = self.check()
        self.assertEqual(code, 0, out)
        self.assertIn("all present and readable", out)

    def test_game_flow_is_optional(self):
        code, out = self.check(remove("content/config/GameFlow.xml"))
        self.assertEqual(code, 0, out)

    def test_each_fault_is_named(self):
        cases = [
            ("missing picture", remove("content/images/a.jpg"), "content/images/a.jpg: missing"),
            ("letter case", rename("content/images/b.jpg", "B.jpg"),
             "content/images/b.jpg: missing (a file differs in letter case: content/images/B.jpg)"),
            ("truncated picture", truncate("content/images/a.jpg"),
             "content/images/a.jpg: does not decode"),
            ("wrong size", picture("content/images/b.jpg", (21, 10)),
             "content/images/b.jpg: is 21x10, expected 20x10"),
            ("missing mask", remove("content/images/a_.jpg"), "content/images/a_.jpg: missing"),
            ("stray mask", picture("content/images/b_.jpg", (20, 10), "L"),
             "content/images/b_.jpg: a mask beside a picture that has none"),
            ("mask size", picture("content/images/a_.jpg", (10, 10), "L"),
             "content/images/a_.jpg: mask is 10x10, its picture 40x30"),
            ("font page", remove("content/fonts/Arial12_0.png"),
             "content/fonts/Arial12_0.png: missing"),
            ("font glyphs", self.cut_glyphs, "content/fonts/Arial12.fnt: 50 glyphs"),
            ("font line height", self.shift_line_height, "content/fonts/Arial12.fnt: line height"),
            ("font XML", truncate("content/fonts/Arial12.fnt"),
             "content/fonts/Arial12.fnt: does not parse as XML"),
            ("music not Ogg", lambda r: shutil.copy(Path(r) / "content/sounds/x.wav",
                                                    Path(r) / "content/music/MainTheme.ogg"),
             "content/music/MainTheme.ogg: not an Ogg stream"),
            ("music truncated", truncate("content/music/MainTheme.ogg"),
             "content/music/MainTheme.ogg: truncated"),
            ("sound effect", remove("content/sounds/x.wav"), "content/sounds/x.wav: missing"),
            ("random variant", truncate("content/sounds/y.ogg"), "content/sounds/y.ogg: truncated"),
            ("bad WAV", truncate("content/sounds/x.wav"), "content/sounds/x.wav: truncated"),
            ("scene script", remove("content/scene/m.xml"), "content/scene/m.xml: missing"),
            ("story file", remove("content/story/d.xml"), "content/story/d.xml: missing"),
            ("folder without slash", edit("content/config/scene/music.xml", 'path="content/music/"',
                                          'path="content/music"'),
             "content/config/scene/music.xml: folder 'content/music' does not end in /"),
            ("label file", edit("content/config/labels/L.xml", "</Strings>", ""),
             "content/config/labels/L.xml: does not parse as XML"),
            ("logo image", remove("content/anim/logo.jpg"), "content/anim/logo.jpg: missing"),
            ("cursor", remove("content/cursors/c.png"), "content/cursors/c.png: missing"),
            ("sfx root", lambda r: (edit("content/config/sfx.xml", "<SFX", "<Sfx")(r),
                                    edit("content/config/sfx.xml", "</SFX>", "</Sfx>")(r)),
             "content/config/sfx.xml: root element <Sfx>, expected <SFX>"),
            ("missing config", remove("content/config/config.xml"),
             "content/config/config.xml: missing"),
            ("manifest", edit("manifest.tsv", "TEX_B", "TEX_A"),
             "manifest.tsv: malformed manifest:\n  manifest.tsv:4: id TEX_A already on line 3"),
        ]
        for name, change, expected in cases:
            with self.subTest(name):
                code, out = self.check(change)
                self.assertEqual(code, 1, out)
                self.assertRegex(out, r"(?m)^check_content: .*" + re.escape(expected))

    def test_content_a_player_cannot_solve_or_read_is_named(self):
        puzzle = "content/images/minigames/02_imgpuzz/"
        necklace = "content/images/minigames/MatchElements/"
        cases = [
            ("identical pieces", lambda r: shutil.copy(Path(r) / puzzle / "0x0.jpg", Path(r) / puzzle / "0x1.jpg"),
             puzzle + "0x1.jpg: looks like 0x0 (0.0% of the pixels differ"),
            # Other bytes, the same look: judged by the pixels.
            ("near-identical pieces", lambda r: piece(Path(r) / puzzle / "0x1.jpg", (40, 40), (92, 150, 218),
                                                     (246, 250, 250), quality=60),
             puzzle + "0x1.jpg: looks like 0x0"),
            ("unmarked homes", lambda r: chain(Path(r) / necklace, marked=False),
             necklace + "Chain.jpg: the home of piece 1 (1N.jpg) at 110, 110 does not show the piece's colour"),
            ("too-long title", edit("content/config/labels/L.xml", "Chapter One: Carvenholt",
                                    "Chapter One: The Long Road to Carvenholt"),
             "content/config/labels/L.xml: CHAPTER_ENTRY_1 'Chapter One: The Long Road to Carvenholt' is "),
            ("question too long for its box", edit("content/config/labels/L.xml", "quit the game?",
                                                   "quit the game? " * 8),
             "content/config/labels/L.xml: MESSAGE_QUIT 'Do you really want to quit the game? "),
            ("light panel", lambda r: Image.new("RGBA", (512, 256), (216, 201, 163, 255)).save(
                Path(r) / "content/animations/UniversalDialog/MessageDialogPanel.png"),
             "content/animations/UniversalDialog/MessageDialogPanel.png: text in white of the quit, delete and "
             "minigame questions at 46, 71 (404 x 133) has a contrast of 1.6:1 against the panel, less than 4.5:1"),
            ("missing piece", remove(puzzle + "0x1.jpg"), puzzle + "0x1.jpg: missing"),
        ]
        for name, change, expected in cases:
            with self.subTest(name):
                code, out = self.check(change)
                self.assertEqual(code, 1, out)
                self.assertRegex(out, r"(?m)^check_content: .*" + re.escape(expected))

    def test_labels_under_texts_are_named(self):
        panel = "content/animations/UniversalDialog/MessageDialogPanel.png"

        def labelled_panel(root):
            img = Image.new("RGBA", (512, 256), (74, 56, 40, 255))
            gen_images.draw_name(img, ["MessageDialogPanel  512x256"], "left", (60, 2))
            img.save(Path(root) / panel)

        def labelled_backdrop(root):
            img = Image.new("RGBA", (1024, 768), (20, 20, 40, 255))
            gen_images.draw_name(img, ["Backdrop.png  1024x768"], "left", (200, 0))
            img.save(Path(root) / "content/animations/ChapterTransition/Backdrop.png")

        cases = [
            # A label in the middle of the cloud, where the story crawls.
            ("label in the story band", lambda r: jpeg(r, INTRO + "IntroCloud.jpg", cloud(label_at=("left", (300, 0)))),
             INTRO + "IntroCloud.jpg: a label (", "under the prologue's story band and heading at 54, 581 (916 x 174)"),
            ("label in the dialog text", labelled_panel,
             panel + ": a label (", "under the message dialogs' title and text at 46, 71 (404 x 133)"),
            # The small buttons' old place: along the bottom, under the
            # message dialogs' OK.
            ("label under a caption", lambda r: jpeg(r, INTRO + "SmlBtnN.jpg", button("bottom")),
             INTRO + "SmlBtnN.jpg: a label (", "under the caption of a message dialog's button at 71, 5 (28 x 22)"),
            ("label on the chapter title line", labelled_backdrop,
             "content/animations/ChapterTransition/Backdrop.png: a label (", "under the chapter title line at 16, 348"),
            # The text box moved up over the portrait's top, where its label is.
            ("label under a conversation's text",
             lambda r: (Path(r) / "content/story/dialogs/Characters.xml").write_text(CHARACTERS % (0, 0)),
             "content/animations/Characters/V/Portrait.png: a label (",
             "under the conversation D.xml's texts at 40, 180 (560 x 110)"),
        ]
        for name, change, head, tail in cases:
            with self.subTest(name):
                code, out = self.check(change)
                self.assertEqual(code, 1, out)
                self.assertRegex(out, r"(?m)^check_content: " + re.escape(head) + r"[0-9]+ pixels of letters\) lies "
                                 + re.escape(tail))

    def test_label_hidden_under_an_opaque_picture_is_not_named(self):
        # The map's label in the story band, where the opaque cloud bank
        # covers it on the screen.
        def hidden(root):
            img = Image.new("RGBA", (1024, 768), (60, 40, 90, 255))
            gen_images.draw_name(img, ["MAP_BG INTRO_BG  1024x768"], "bottom", (300, 60))
            jpeg(root, INTRO + "map/BgMap.jpg", img)

        code, out = self.check(hidden)
        self.assertEqual(code, 0, out)

    def test_text_without_contrast_and_controls_without_state_are_named(self):
        cases = [
            ("light paper under the verdicts", lambda r: jpeg(r, MEMORY + "Paper.jpg", Image.new("RGB", (1024, 768), LIGHT)),
             MEMORY + "Paper.jpg: text in green of the memory match's verdict CORRECT at "),
            ("light paper under the red verdict",
             lambda r: jpeg(r, MEMORY + "Paper.jpg", Image.new("RGB", (1024, 768), LIGHT)),
             MEMORY + "Paper.jpg: text in red of the memory match's verdict NOT_CORRECT at "),
            ("light cloud under the story", lambda r: jpeg(r, INTRO + "IntroCloud.jpg", cloud((200, 90, 200))),
             INTRO + "IntroCloud.jpg: text in white of the prologue's and epilogue's story at 54, 581 (916 x 174) "
             "has a contrast of "),
            ("fill as wide as the track",
             lambda r: jpeg(r, INTRO + "options/SliderFill.jpg", Image.new("RGB", (202, 18), (216, 176, 74))),
             INTRO + "options/SliderFill.jpg: the slider fill is a 202 px tile, more than 12 px"),
            ("bar running off the screen",
             lambda r: jpeg(r, SHOOTING + "bar.jpg", Image.new("RGB", (400, 24), (200, 120, 50))),
             SHOOTING + "bar.jpg: the upright bar with its dot spans 500, -50 to 524, 350: it leaves the 1024 x 768 "
             "screen"),
            ("bar crossing the counter",
             lambda r: jpeg(r, SHOOTING + "bar.jpg", Image.new("RGB", (400, 24), (200, 120, 50))),
             SHOOTING + "bar.jpg: the upright bar with its dot spans 500, -50 to 524, 350 and crosses the shot "
             "counter's line at 412, 4 (200 x 31)"),
            # The tile-swap base's settings for quest 1 make quest 1 one a
            # minigame is opened for.
            ("quest without a tutorial",
             edit("content/config/GameParameters.cfg", "EndConfigFile", "MgRearangeElements.Quest1.NumberOfElements = 0\n"
                  "EndConfigFile"),
             "content/config/labels/L.xml: no TUTORIAL_Quest1: the tutorial of a minigame opened for quest 1"),
        ]
        for name, change, expected in cases:
            with self.subTest(name):
                code, out = self.check(change)
                self.assertEqual(code, 1, out)
                self.assertRegex(out, r"(?m)^check_content: .*" + re.escape(expected))

    @staticmethod
    def cut_glyphs(root):
        path = Path(root) / "content/fonts/Arial12.fnt"
        lines = path.read_text().split("\n")
        chars = [i for i, line in enumerate(lines) if "<char " in line]
        path.write_text("\n".join(l for i, l in enumerate(lines) if i not in chars[50:]))

    @staticmethod
    def shift_line_height(root):
        path = Path(root) / "manifest.tsv"
        h = line_height()
        path.write_text(path.read_text().replace("\t%d\t-\t-" % h, "\t%d\t-\t-" % (h + 1)))


if __name__ == "__main__":
    unittest.main()
