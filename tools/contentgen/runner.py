"""Runs file tables and writes the generator stamp.

A table line is (path, size, kind, style):
  path   relative to the output folder, "/" separated
  size   (width, height) for pictures, None otherwise
  kind   a key of WRITERS
  style  dict of kind-specific settings (see the kind's module)

Lines are independent, so they run in parallel worker processes; each line
writes only its own files, so the result does not depend on the order in
which they finish.
"""

import hashlib
import os
from concurrent.futures import ProcessPoolExecutor
from pathlib import Path

from . import docs, fonts, images, itemart, minigames, minigames_necklace_stars, sound, textures
from . import minigames_mechanisms, minigames_six

WRITERS = {}
for _module in (images, itemart, sound, docs, fonts, textures, minigames, minigames_necklace_stars, minigames_six,
                minigames_mechanisms):
    for _kind, _fn in _module.WRITERS.items():
        if _kind in WRITERS:
            raise RuntimeError("kind %r defined twice" % _kind)
        WRITERS[_kind] = _fn

STAMP = ".generated"


def _run_line(job):
    out_path, size, kind, style = job
    out_path.parent.mkdir(parents=True, exist_ok=True)
    return [str(p) for p in WRITERS[kind](out_path, size, kind, style)]


def prepare(folder, table, label_prefix=""):
    """Table lines -> jobs with absolute paths.  Pictures are labelled with
    label_prefix + path unless the style sets 'label' itself."""
    jobs = []
    for path, size, kind, style in table:
        if kind not in WRITERS:
            raise ValueError("%s: unknown kind %r" % (path, kind))
        style = dict(style)
        if size is not None:
            style.setdefault("label", label_prefix + path)
        jobs.append((Path(folder) / path, size, kind, style))
    return jobs


def run(jobs, workers=None):
    """Runs every job; returns the sorted list of files written.  Fails when
    two lines write the same file."""
    workers = workers or min(len(jobs), os.cpu_count() or 1) or 1
    written = []
    with ProcessPoolExecutor(max_workers=workers) as pool:
        for files in pool.map(_run_line, jobs):
            written.extend(files)
    seen = set()
    for f in written:
        if f in seen:
            raise RuntimeError("two table lines write %s" % f)
        seen.add(f)
    return sorted(written)


def source_hash(tools_dir):
    """SHA-256 of gen_content.py, then contentgen/*.py in byte order of their
    names, then the content manifest: the same as
    `cat tools/gen_content.py tools/contentgen/*.py tools/content_manifest.tsv
    | sha256sum` in the C locale, so shell scripts can compute the stamp
    without Python."""
    tools_dir = Path(tools_dir)
    files = [tools_dir / "gen_content.py"]
    files += sorted((tools_dir / "contentgen").glob("*.py"), key=lambda p: p.name.encode())
    files.append(tools_dir / "content_manifest.tsv")
    h = hashlib.sha256()
    for p in files:
        h.update(p.read_bytes())
    return h.hexdigest()


def clear_stamp(folder):
    (Path(folder) / STAMP).unlink(missing_ok=True)


def write_stamp(folder, digest):
    Path(folder).mkdir(parents=True, exist_ok=True)
    (Path(folder) / STAMP).write_text(digest + "\n")
