#!/usr/bin/python3
"""tools/check_content.py on a small content tree: a sound tree passes, and
each kind of missing or malformed file is named and fails the check; so is
content a player cannot solve or read (pieces that look alike, an unmarked
place, a label too long for its box, text on a panel too light for it).

Run from the repository root after scripts/gen-content.sh (a font and a music
track are copied from the generated content)."""

import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import wave
from pathlib import Path

from PIL import Image

ROOT = Path.cwd()
CHECKER = ROOT / "tools" / "check_content.py"
FONT = ROOT / "content" / "fonts" / "Arial12.fnt"
# The fonts of the chapter titles and of the quit question.
TITLE_FONTS = [ROOT / "content" / "fonts" / name for name in ("Times60_NE.fnt", "Times24NoEff.fnt")]
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
  <Label MESSAGE_QUIT="Do you really want to quit the game?" /></Strings>""",
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
