#!/usr/bin/python3
"""Checks that every content file the game names exists and decodes.

    /usr/bin/python3 tools/check_content.py [--root DIR] [--manifest FILE]

The files checked are those named by tools/content_manifest.tsv,
content/config/config.xml (label file, logo screens with their images, mouse
cursors), content/config/sfx.xml, content/config/scene/music.xml,
content/config/GameFlow.xml when it exists (scene and story files), and every
bitmap font: the manifest's and every .fnt under content/fonts/.

A file must exist with its name's exact letter case and decode: pictures with
Pillow, at the manifest's size for manifest textures; a JPEG's mask
"<stem>_<ext>" must have the picture's size, and must exist exactly where the
manifest says the picture has one; a .fnt must parse, list at least 95
glyphs and pages that exist and decode, and have the manifest's line height;
music and .ogg effects must be complete Ogg Vorbis streams; .wav effects must
be readable PCM WAV files; XML files must parse with the expected root.
Folder values that the game joins to file names must end in "/".
Then tools/playability.py checks what a player needs: puzzle pieces that
look different, places that are marked, labels that fit their boxes and
text that reads on its panel; and tools/screentext.py what the screens
show over the pictures: placeholder labels clear of the texts, text that
reads, controls that show their state, every minigame quest's tutorial.

Paths are taken from --root (default: the repository root), as the game takes
them from its working folder.  Prints one line per missing or malformed file
and exits with status 1 when there is any, 0 otherwise.
"""

import argparse
import os
import struct
import sys
import wave
import xml.etree.ElementTree as ET
from pathlib import Path

sys.dont_write_bytecode = True
TOOLS = Path(__file__).resolve().parent
sys.path.insert(0, str(TOOLS))

try:
    from PIL import Image
    from contentgen import manifest  # noqa: E402
    import playability  # noqa: E402
except ImportError as err:  # Pillow lives in Debian's python3-pil
    sys.exit("check_content: %s (run it with /usr/bin/python3, which has Pillow)" % err)

MIN_GLYPHS = 95


class Checker:
    def __init__(self, root):
        self.root = Path(root)
        self.problems = []
        self.checked = set()
        self._listings = {}

    def problem(self, path, text):
        self.problems.append("%s: %s" % (path, text))

    # ---------------------------------------------------------------------
    # Files

    def _listing(self, folder):
        if folder not in self._listings:
            try:
                self._listings[folder] = set(os.listdir(folder))
            except OSError:
                self._listings[folder] = None
        return self._listings[folder]

    def exists(self, path, report=True):
        """True when the path (relative to the root, "/"-separated) names an
        existing file with exactly that letter case.  Otherwise names the
        file as missing, with the case-insensitive match when there is one."""
        folder = self.root
        parts = path.split("/")
        for i, part in enumerate(parts):
            names = self._listing(folder)
            if names is not None and part in names:
                folder = folder / part
                continue
            if report:
                near = [n for n in (names or ()) if n.lower() == part.lower()]
                if near:
                    found = "/".join(parts[:i] + [near[0]] + parts[i + 1:])
                    self.problem(path, "missing (a file differs in letter case: %s)" % found)
                else:
                    self.problem(path, "missing")
            return False
        if not folder.is_file():
            if report:
                self.problem(path, "not a file")
            return False
        return True

    def _first_time(self, key):
        if key in self.checked:
            return False
        self.checked.add(key)
        return True

    # ---------------------------------------------------------------------
    # Kinds of file

    def _decode_image(self, path):
        """The decoded picture's size, or None after naming the fault."""
        try:
            with Image.open(self.root / path) as img:
                img.load()
                return img.size
        except Exception as err:  # Pillow raises many kinds on bad data
            self.problem(path, "does not decode as a picture (%s)" % err)
            return None

    def image(self, path, size=None, mask=None):
        """A picture; size (w, h) when known.  mask True: the JPEG must have
        its mask; False: it must not; None: a mask, when there, must fit."""
        if not self._first_time(("image", path)) or not self.exists(path):
            return
        got = self._decode_image(path)
        if got is None:
            return
        if size is not None and tuple(got) != tuple(size):
            self.problem(path, "is %dx%d, expected %dx%d" % (got + tuple(size)))
        stem, dot, ext = path.rpartition(".")
        if ext.lower() not in ("jpg", "jpeg"):
            return
        mask_path = "%s_.%s" % (stem, ext)
        has_mask = self.exists(mask_path, report=False)
        if mask is False and has_mask:
            self.problem(mask_path, "a mask beside a picture that has none")
        elif mask is True and not has_mask:
            self.exists(mask_path)
        if has_mask:
            mask_size = self._decode_image(mask_path)
            if mask_size is not None and mask_size != got:
                self.problem(mask_path, "mask is %dx%d, its picture %dx%d" % (mask_size + got))

    def xml(self, path, root_tag=None):
        """The parsed root element, or None after naming the fault."""
        if not self.exists(path):
            return None
        try:
            root = ET.parse(str(self.root / path)).getroot()
        except ET.ParseError as err:
            self.problem(path, "does not parse as XML (%s)" % err)
            return None
        if root_tag and root.tag != root_tag:
            self.problem(path, "root element <%s>, expected <%s>" % (root.tag, root_tag))
            return None
        return root

    def font(self, path, line_height=None):
        if not self._first_time(("font", path)):
            return
        root = self.xml(path, "font")
        if root is None:
            return
        common = root.find("common")
        try:
            found = int(common.get("lineHeight"))
        except (AttributeError, TypeError, ValueError):
            self.problem(path, "no common/@lineHeight")
            found = None
        if found is not None and line_height is not None and found != line_height:
            self.problem(path, "line height %d, expected %d" % (found, line_height))
        glyphs = root.findall("chars/char")
        if len(glyphs) < MIN_GLYPHS:
            self.problem(path, "%d glyphs, expected at least %d" % (len(glyphs), MIN_GLYPHS))
        folder = path.rpartition("/")[0]
        pages = {}
        for page in root.findall("pages/page"):
            name = page.get("file")
            if not name:
                self.problem(path, "a page without a file")
                continue
            pages[page.get("id")] = name
            self.image((folder + "/" if folder else "") + name)
        if not pages:
            self.problem(path, "no pages")
        used = {g.get("page", "0") for g in glyphs}
        for page_id in sorted(used - set(pages)):
            self.problem(path, "glyphs on page %s, which is not listed" % page_id)

    def ogg_vorbis(self, path):
        """A complete Ogg stream whose first packet is a Vorbis header."""
        if not self._first_time(("ogg", path)) or not self.exists(path):
            return
        data = (self.root / path).read_bytes()
        pos, pages, last_flags, first_packet = 0, 0, 0, b""
        while pos < len(data):
            if data[pos:pos + 4] != b"OggS" or len(data) < pos + 27:
                self.problem(path, "not an Ogg stream (bad page at byte %d)" % pos)
                return
            flags, count = data[pos + 5], data[pos + 26]
            lacing = data[pos + 27:pos + 27 + count]
            body = pos + 27 + count
            end = body + sum(lacing)
            if len(lacing) < count or end > len(data):
                self.problem(path, "truncated Ogg page at byte %d" % pos)
                return
            if pages == 0:
                first_packet = data[body:end]
                if not flags & 0x02:
                    self.problem(path, "the first Ogg page does not begin the stream")
                    return
            pages += 1
            last_flags = flags
            pos = end
        if not first_packet.startswith(b"\x01vorbis"):
            self.problem(path, "not Ogg Vorbis")
        elif not last_flags & 0x04:
            self.problem(path, "the Ogg stream does not end (truncated)")

    def wav(self, path):
        if not self._first_time(("wav", path)) or not self.exists(path):
            return
        try:
            with wave.open(str(self.root / path), "rb") as w:
                frames = w.getnframes()
                data = w.readframes(frames)
                if frames <= 0:
                    self.problem(path, "a WAV file without samples")
                elif len(data) < frames * w.getnchannels() * w.getsampwidth():
                    self.problem(path, "truncated WAV data")
        except (wave.Error, EOFError, struct.error) as err:
            self.problem(path, "does not read as a PCM WAV file (%s)" % err)

    def sound(self, path):
        ext = path.rpartition(".")[2].lower()
        if ext == "ogg":
            self.ogg_vorbis(path)
        elif ext == "wav":
            self.wav(path)
        elif self.exists(path):
            self.problem(path, "neither .ogg nor .wav")

    def folder_value(self, where, value):
        """A folder the game joins to file names with nothing in between."""
        if value and not value.endswith("/"):
            self.problem(where, "folder %r does not end in /" % value)

    # ---------------------------------------------------------------------
    # The game's lists of files

    def manifest_files(self, entries):
        for path, named in manifest.files(entries).items():
            e = named[0]
            if e.kind == "texture":
                self.image(path, e.size, e.mask)
            elif e.kind == "font":
                self.font(path, e.line_height)
            else:
                self.ogg_vorbis(path)

    def config(self, path="content/config/config.xml"):
        root = self.xml(path, "Config")
        if root is None:
            return
        language = root.find("Language")
        if language is not None and language.get("labels"):
            self.xml(language.get("labels"), "Strings")
        for screen in root.findall("LogoScreens/Screen"):
            folder, name = screen.get("folder", ""), screen.get("filename", "")
            self.folder_value(path, folder)
            if screen.get("type") == "ANIMATION":
                self.animation(folder + name)
            else:
                self.image(folder + name)
        cursors = root.find("MouseCursors")
        if cursors is not None:
            folder = cursors.get("folder", "")
            self.folder_value(path, folder)
            for cursor in cursors.findall("Cursor"):
                self.image(folder + cursor.get("imageFile", ""))

    def animation(self, path):
        root = self.xml(path, "Scene")
        if root is None:
            return
        folder = path.rpartition("/")[0]
        for obj in root.findall("Object"):
            if obj.get("type", "0") == "0" and obj.get("file"):
                self.image((folder + "/" if folder else "") + obj.get("file"))

    def sfx(self, path="content/config/sfx.xml"):
        root = self.xml(path, "SFX")
        if root is None:
            return
        folder = root.get("defaultPath", "")
        self.folder_value(path, folder)
        for sound in root.findall("Sound") + root.findall("RandomSound/Sound"):
            if sound.get("path"):
                self.sound(folder + sound.get("path"))

    def scene_music(self, path="content/config/scene/music.xml"):
        root = self.xml(path, "SceneMusic")
        if root is None:
            return
        folder = root.get("path", "")
        self.folder_value(path, folder)
        for music in root.findall("Scene/Music"):
            if music.get("file"):
                self.ogg_vorbis(folder + music.get("file"))

    def game_flow(self, path="content/config/GameFlow.xml"):
        if not self.exists(path, report=False):
            return
        root = self.xml(path, "GameFlow")
        if root is None:
            return
        for screen in root.findall("Screen"):
            kind = screen.get("type")
            if kind == "scene":
                folder = screen.get("configPath", "")
                self.folder_value(path, folder)
                for key in ("itemRendererConf", "mechanicsConf", "itemGroupConf"):
                    if screen.get(key):
                        self.xml(folder + screen.get(key))
            elif kind == "StoryDialog" and screen.get("fileName"):
                self.xml(screen.get("fileName"))

    def all_fonts(self, folder="content/fonts"):
        names = self._listing(self.root / folder) or ()
        for name in sorted(names):
            if name.endswith(".fnt"):
                self.font(folder + "/" + name)


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--root", default=str(TOOLS.parent),
                    help="folder the content paths start from (default: the repository root)")
    ap.add_argument("--manifest", default=str(manifest.PATH),
                    help="content manifest (default: tools/content_manifest.tsv)")
    args = ap.parse_args()

    checker = Checker(args.root)
    try:
        entries = manifest.read(args.manifest)
    except manifest.ManifestError as err:
        checker.problem(args.manifest, "malformed manifest:\n  %s" % str(err).replace("\n", "\n  "))
        entries = []
    checker.manifest_files(entries)
    checker.config()
    checker.sfx()
    checker.scene_music()
    checker.game_flow()
    checker.all_fonts()
    playability.check(checker)

    for line in checker.problems:
        print("check_content: %s" % line)
    files = len({key[1] for key in checker.checked})
    if checker.problems:
        print("check_content: %d problem(s) in %d files checked" % (len(checker.problems), files))
        sys.exit(1)
    print("check_content: %d files checked, all present and readable" % files)


if __name__ == "__main__":
    main()
