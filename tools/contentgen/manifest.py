"""The content manifest, tools/content_manifest.tsv.

One line per texture, font and music track that the game's content
registration tables bind to a resource id (the file's header describes the
columns).  Three programs read it: the placeholder generator (which makes the
files), tools/gen_content_tables.py (which writes the C++ tables) and
tools/check_content.py (which checks the generated content).

read() parses the file and refuses anything inconsistent; table_lines() turns
the entries into generator table lines; line_height_problems() compares the
written fonts with the line heights the manifest gives.  Nothing here needs
Pillow.
"""

import re
import xml.etree.ElementTree as ET
from pathlib import Path
from typing import NamedTuple, Optional, Tuple

PATH = Path(__file__).resolve().parent.parent / "content_manifest.tsv"
COLUMNS = ("table", "kind", "id", "path", "size", "mask", "style")
KINDS = ("texture", "font", "music")
PREFIX = "content/"

_TABLE = re.compile(r"^register[A-Z][A-Za-z]*Resources$")
_ID = re.compile(r"^[A-Z][A-Z0-9_]*$")
_SIZE = re.compile(r"^([1-9][0-9]*)x([1-9][0-9]*)$")
_EXTENSIONS = {"texture": (".jpg", ".jpeg"), "font": (".fnt",), "music": (".ogg",)}


class ManifestError(ValueError):
    pass


class Entry(NamedTuple):
    line: int                          # line number in the manifest
    table: str                         # registration operation
    kind: str                          # texture, font or music
    id: str
    path: str                          # from the working folder: "content/..."
    size: Optional[Tuple[int, int]]    # textures: (width, height)
    line_height: Optional[int]         # fonts
    mask: Optional[bool]               # textures: the JPEG has a mask
    style: dict                        # generator hints; {} = made by another table

    @property
    def rel(self):
        """The path under the content folder."""
        return self.path[len(PREFIX):]


def _style(text, where):
    if text == "-":
        return {}
    style = {}
    for token in text.split():
        key, sep, value = token.partition("=")
        if not sep or not key or not value:
            raise ManifestError("%s: style token %r is not key=value" % (where, token))
        if key in style:
            raise ManifestError("%s: style key %r given twice" % (where, key))
        style[key] = value
    return style


def _entry(number, cols, where):
    table, kind, ident, path, size, mask, style = cols
    if not _TABLE.match(table):
        raise ManifestError("%s: bad table name %r" % (where, table))
    if kind not in KINDS:
        raise ManifestError("%s: kind %r is not one of %s" % (where, kind, ", ".join(KINDS)))
    if not _ID.match(ident):
        raise ManifestError("%s: bad id %r (upper-case letters, digits, _)" % (where, ident))
    if (not path.startswith(PREFIX) or "\\" in path or "//" in path
            or any(part in (".", "..") for part in path.split("/"))):
        raise ManifestError("%s: path %r must be a plain path under %s" % (where, path, PREFIX))
    if not path.lower().endswith(_EXTENSIONS[kind]):
        raise ManifestError("%s: a %s must be a %s file" % (where, kind, "/".join(_EXTENSIONS[kind])))
    tex_size = line_height = has_mask = None
    if kind == "texture":
        m = _SIZE.match(size)
        if not m:
            raise ManifestError("%s: texture size %r is not WIDTHxHEIGHT" % (where, size))
        tex_size = (int(m.group(1)), int(m.group(2)))
        if mask not in ("y", "n"):
            raise ManifestError("%s: texture mask must be y or n, not %r" % (where, mask))
        has_mask = mask == "y"
    else:
        if kind == "font":
            if not size.isdigit() or int(size) <= 0:
                raise ManifestError("%s: font line height %r is not a positive number" % (where, size))
            line_height = int(size)
        elif size != "-":
            raise ManifestError("%s: music has no size (-), not %r" % (where, size))
        if mask != "-":
            raise ManifestError("%s: only textures have a mask column (-), not %r" % (where, mask))
    return Entry(number, table, kind, ident, path, tex_size, line_height, has_mask,
                 _style(style, where))


def read(path=PATH):
    """All entries in file order.  Raises ManifestError naming every line at
    fault: wrong columns, unknown kinds, bad ids or sizes, an id used twice,
    a table whose lines are not together, or one file listed with different
    kinds, sizes, masks or styles."""
    path = Path(path)
    try:
        text = path.read_text(encoding="ascii")
    except (OSError, UnicodeDecodeError) as err:
        raise ManifestError("%s: %s" % (path, err)) from None
    entries, errors = [], []
    header = False
    for number, raw in enumerate(text.split("\n"), 1):
        if not raw.strip() or raw.startswith("#"):
            continue
        where = "%s:%d" % (path.name, number)
        cols = raw.split("\t")
        if tuple(cols) == COLUMNS:
            header = True
            continue
        if len(cols) != len(COLUMNS):
            errors.append("%s: %d columns, expected %d" % (where, len(cols), len(COLUMNS)))
            continue
        try:
            entries.append(_entry(number, cols, where))
        except ManifestError as err:
            errors.append(str(err))
    if not header:
        errors.append("%s: no header line (%s)" % (path.name, " ".join(COLUMNS)))

    seen_ids, seen_files, finished, listed = {}, {}, set(), set()
    previous = None
    for e in entries:
        where = "%s:%d" % (path.name, e.line)
        if e.id in seen_ids:
            errors.append("%s: id %s already on line %d" % (where, e.id, seen_ids[e.id]))
        seen_ids.setdefault(e.id, e.line)
        if e.table != previous:
            if e.table in finished:
                errors.append("%s: the lines of %s are not together" % (where, e.table))
            if previous:
                finished.add(previous)
            previous = e.table
        first = seen_files.setdefault(e.path, e)
        if (first.kind, first.size, first.mask, first.style) != (e.kind, e.size, e.mask, e.style):
            errors.append("%s: %s differs from line %d in kind, size, mask or style"
                          % (where, e.path, first.line))
        if (e.table, e.path) in listed:
            errors.append("%s: %s is listed twice in %s" % (where, e.path, e.table))
        listed.add((e.table, e.path))
    if errors:
        raise ManifestError("\n".join(errors))
    return entries


def files(entries):
    """Each distinct file -> the entries that name it, in manifest order."""
    by_path = {}
    for e in entries:
        by_path.setdefault(e.path, []).append(e)
    return by_path


def tables(entries):
    """Each table -> its entries, tables in manifest order."""
    by_table = {}
    for e in entries:
        by_table.setdefault(e.table, []).append(e)
    return by_table


# --------------------------------------------------------------------------
# Music hints -> the generator's "music" kind (a loop of melody/bass steps)

_NOTE = re.compile(r"^([A-G])(#?)(-?[0-9])$")
_SEMITONES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
_NAMES = ("C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B")
_SCALES = {"major": (0, 2, 4, 5, 7, 9, 11), "minor": (0, 2, 3, 5, 7, 8, 10)}
# Twelve steps over the chords on degrees 1, 4 and 5: an arpeggio up each
# chord in the melody over the chord's root in the bass.
_MELODY = (0, 2, 4, 7, 3, 5, 7, 10, 4, 6, 8, 11)
_BASS = (0, 0, 0, 0, 3, 3, 3, 3, 4, 4, 4, 4)


def _note_name(midi):
    return "%s%d" % (_NAMES[midi % 12], midi // 12 - 1)


def music_steps(root, scale):
    """'D4', 'minor' -> twelve 'MELODY/BASS' note pairs; the bass lies two
    octaves below the melody."""
    m = _NOTE.match(root)
    if not m or scale not in _SCALES:
        raise ManifestError("bad music hints root=%s scale=%s" % (root, scale))
    base = 12 * (int(m.group(3)) + 1) + _SEMITONES[m.group(1)] + (1 if m.group(2) else 0)
    degrees = _SCALES[scale]

    def pitch(degree):
        return base + 12 * (degree // 7) + degrees[degree % 7]

    return ["%s/%s" % (_note_name(pitch(mel)), _note_name(pitch(bass) - 24))
            for mel, bass in zip(_MELODY, _BASS)]


# --------------------------------------------------------------------------
# Entries -> generator table lines

def table_lines(entries, elsewhere):
    """Generator table lines (path under the content folder, size, kind,
    style) for every file of the manifest that no other table makes.

    elsewhere maps the paths (under the content folder) that the other
    generator tables write to their picture size (None for other files).  A
    manifest file whose style is "-" must be one of them (with the manifest's
    size), and a file with hints must not be: each file has one maker."""
    lines, errors = [], []
    for index, (path, named) in enumerate(files(entries).items()):
        e = named[0]
        where = "%s:%d" % (PATH.name, e.line)
        if not e.style:
            if e.rel not in elsewhere:
                errors.append("%s: %s has no style hints and no other generator table "
                              "makes it" % (where, e.path))
            elif e.kind == "texture" and tuple(elsewhere[e.rel] or ()) != e.size:
                errors.append("%s: %s is made at %s elsewhere, the manifest says %dx%d"
                              % (where, e.path, elsewhere[e.rel], e.size[0], e.size[1]))
            continue
        if e.rel in elsewhere:
            errors.append("%s: %s is also made by another generator table; give it the "
                          "style -" % (where, e.path))
            continue
        if e.kind == "texture":
            style = dict(e.style, ids=[n.id for n in named], mask=e.mask, index=index,
                         label=False)
            lines.append((e.rel, e.size, "texture", style))
        elif e.kind == "music":
            try:
                steps = music_steps(e.style.get("root", ""), e.style.get("scale", ""))
                bpm = int(e.style["bpm"])
            except (KeyError, ValueError) as err:
                errors.append("%s: music hints need bpm=, root= and scale= (%s)" % (where, err))
                continue
            lines.append((e.rel, None, "music", {"bpm": bpm, "steps": steps}))
        else:
            errors.append("%s: fonts are made by the FONTS table; give %s the style -"
                          % (where, e.path))
    if errors:
        raise ManifestError("\n".join(errors))
    return lines


def font_line_height(path):
    """common@lineHeight of a .fnt descriptor, or None when unreadable."""
    try:
        common = ET.parse(str(path)).getroot().find("common")
        return int(common.get("lineHeight"))
    except (OSError, ET.ParseError, AttributeError, TypeError, ValueError):
        return None


def line_height_problems(entries, content_dir):
    """One text per manifest font whose descriptor under content_dir (the
    folder the manifest's "content/" stands for) has another line height."""
    problems = []
    for path, named in files(entries).items():
        e = named[0]
        if e.kind != "font":
            continue
        found = font_line_height(Path(content_dir) / e.rel)
        if found != e.line_height:
            problems.append("%s: line height %s, the manifest says %d"
                            % (e.path, found if found is not None else "unreadable",
                               e.line_height))
    return problems
