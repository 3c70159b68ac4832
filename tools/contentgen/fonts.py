"""Bitmap fonts: a BMFont-style XML descriptor (.fnt) plus its page images.

Descriptor layout (every number an integer attribute):
  <font>
    <info face size outline />
    <common lineHeight base scaleW scaleH pages />
    <pages><page id file /> ...</pages>           file relative to the .fnt
    <chars count><char id x y width height xoffset yoffset xadvance page /> ...
    <kernings count><kerning first second amount /> ...    (only when any)
  </font>
Pages are named <stem>_<n>.png beside the descriptor.

Kinds:
  font     a DejaVu TrueType face rendered with Pillow.  Style:
             ttf      file name in FONT_DIR (e.g. "DejaVuSerif.ttf")
             px       em size in pixels
             outline  bake a 1 px black outline around the white glyphs
                      (default False)
             codes    character codes (default 32-126 and 160-255, Latin-1)
           Pages are 32-bit RGBA PNGs, white glyphs whose alpha is the
           coverage, packed into the smallest power-of-two page up to
           MAX_PAGE x MAX_PAGE that holds them all, or several pages of that
           size.  lineHeight = ascent + descent of the face.  Kerning pairs of
           printable ASCII come from the face's own pair adjustments (Pillow's
           Raqm layout; none when Raqm is missing), rounded to whole pixels.
  boxfont  a hand-made test font: every glyph a solid rectangle.  Style:
             line_height  the common lineHeight
             pages        list of {"size": (w, h), "mode": "RGBA" or "L"};
                          "L" writes an 8-bit greyscale PNG
             glyphs       (id, page, x, y, w, h, xoffset, yoffset, xadvance,
                          colour): colour an (r, g, b, a) tuple for RGBA
                          pages, a grey level for "L" pages
             kernings     (first, second, amount) triples (may be empty)
           Numbers other than ids, page numbers and rectangles may be
           fractional (written as given), as some tools write them.  For
           files made by other tools, also:
             page_order     page numbers in the order the <pages> list gives
                            them (each entry keeps its own id)
             declared_size  (scaleW, scaleH) written into <common> instead
                            of the first page's real size
             extra          further children of <font>, e.g.
                            ("distanceField", {"fieldType": "msdf"})
           A glyph may name a page that is not listed; it is not drawn.

The engine draws a glyph at the pen position itself and then advances by
xadvance - xoffset, so the rendered fonts keep xoffset 0: each glyph cell
starts at the pen (its left bearing lies inside the cell) and xadvance is the
face's advance.  A glyph reaching left of the pen is moved right by that
overhang instead.

Output bytes depend only on the inputs and the installed face and Pillow.
"""

from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter, ImageFont, features

from . import docs

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
DEFAULT_CODES = tuple(range(32, 127)) + tuple(range(160, 256))
KERNING_CODES = tuple(range(33, 127))
MAX_PAGE = 512
PAGE_SIZES = [(w, h) for w, h in ((64, 64), (128, 64), (128, 128), (256, 128), (256, 256),
                                  (512, 256), (512, 512)) if w <= MAX_PAGE and h <= MAX_PAGE]
GAP = 1  # empty pixels between glyph cells, so scaled text does not bleed


# --------------------------------------------------------------------------
# Descriptor

def _descriptor(face, size, outline, line_height, base, page_files, page_size, glyphs, kernings,
                page_order=None, extra=()):
    """glyphs: dicts with id x y width height xoffset yoffset xadvance page."""
    order = range(len(page_files)) if page_order is None else page_order
    keys = ("id", "x", "y", "width", "height", "xoffset", "yoffset", "xadvance", "page")
    children = [
        ("info", {"face": face, "size": size, "outline": outline}),
        ("common", {"lineHeight": line_height, "base": base, "scaleW": page_size[0],
                    "scaleH": page_size[1], "pages": len(page_files)}),
        ("pages", {}, [("page", {"id": i, "file": page_files[i]}) for i in order]),
        ("chars", {"count": len(glyphs)},
         [("char", {k: g[k] for k in keys}) for g in sorted(glyphs, key=lambda g: g["id"])]),
    ]
    if kernings:
        children.append(("kernings", {"count": len(kernings)},
                         [("kerning", {"first": a, "second": b, "amount": n})
                          for a, b, n in sorted(kernings)]))
    children.extend(extra)
    return docs.xml_text(("font", {}, children))


def _page_names(path, count):
    return ["%s_%d.png" % (Path(path).stem, i) for i in range(count)]


# --------------------------------------------------------------------------
# Packing

def _shelf_pack(cells, size):
    """cells: list of (key, w, h) in packing order.  Places what fits into
    one page of `size` by rows; returns ({key: (x, y)}, cells left over)."""
    width, height = size
    placed, left = {}, []
    x = y = row = 0
    for key, w, h in cells:
        if w > width or h > height:
            raise ValueError("glyph %r (%dx%d) is larger than a %dx%d page" % (key, w, h, width, height))
        if x + w > width:
            x, y, row = 0, y + row + GAP, 0
        if y + h > height:
            left.append((key, w, h))
            continue
        placed[key] = (x, y)
        x += w + GAP
        row = max(row, h)
    return placed, left


def _pack(cells):
    """-> (page size, [ {key: (x, y)} per page ]).  The smallest page that
    holds every cell, else as many MAX_PAGE pages as needed."""
    cells = sorted(cells, key=lambda c: (-c[2], -c[1], c[0]))
    for size in PAGE_SIZES:
        placed, left = _shelf_pack(cells, size)
        if not left:
            return size, [placed]
    size = PAGE_SIZES[-1]
    pages = []
    while cells:
        placed, cells = _shelf_pack(cells, size)
        pages.append(placed)
    return size, pages


# --------------------------------------------------------------------------
# Rendered fonts

def _glyph_cell(font, ch, outline):
    """-> (RGBA image or None, yoffset, xadvance) for one character."""
    pad = 1 if outline else 0
    advance = int(round(font.getlength(ch))) + pad
    left, top, right, bottom = font.getbbox(ch)
    if right <= left or bottom <= top:
        return None, 0, advance
    shift = max(0, -left)
    w, h = right + shift + 2 * pad, bottom - top + 2 * pad
    coverage = Image.new("L", (w, h), 0)
    ImageDraw.Draw(coverage).text((shift + pad, pad - top), ch, font=font, fill=255)
    if coverage.getbbox() is None:
        return None, 0, advance
    white = Image.new("L", (w, h), 255)
    cell = Image.merge("RGBA", (white, white, white, coverage))
    if outline:
        ring = coverage.filter(ImageFilter.MaxFilter(3))
        black = Image.new("L", (w, h), 0)
        cell = Image.alpha_composite(Image.merge("RGBA", (black, black, black, ring)), cell)
    return cell, top - pad, advance


def _kernings(ttf, px, codes):
    """Pair adjustments of the face for printable ASCII, whole pixels."""
    if not features.check("raqm"):
        return []
    font = ImageFont.truetype(ttf, px, layout_engine=ImageFont.Layout.RAQM)
    chars = [chr(c) for c in KERNING_CODES if c in codes]
    single = {c: font.getlength(c) for c in chars}
    pairs = []
    for a in chars:
        for b in chars:
            amount = int(round(font.getlength(a + b) - single[a] - single[b]))
            if amount:
                pairs.append((ord(a), ord(b), amount))
    return pairs


def write_font(path, size, kind, style):
    ttf = FONT_DIR + style["ttf"]
    px = style["px"]
    outline = bool(style.get("outline", False))
    codes = tuple(style.get("codes", DEFAULT_CODES))
    font = ImageFont.truetype(ttf, px, layout_engine=ImageFont.Layout.BASIC)
    ascent, descent = font.getmetrics()
    pad = 1 if outline else 0

    cells, glyphs = {}, {}
    for code in codes:
        cell, yoffset, advance = _glyph_cell(font, chr(code), outline)
        cells[code] = cell
        glyphs[code] = {"id": code, "x": 0, "y": 0, "width": cell.width if cell else 0,
                        "height": cell.height if cell else 0, "xoffset": 0, "yoffset": yoffset,
                        "xadvance": advance, "page": 0}
    page_size, layout = _pack([(c, im.width, im.height) for c, im in cells.items() if im])
    names = _page_names(path, len(layout))
    folder = Path(path).parent
    written = []
    for number, placed in enumerate(layout):
        page = Image.new("RGBA", page_size, (0, 0, 0, 0))
        for code, (x, y) in placed.items():
            page.paste(cells[code], (x, y))
            glyphs[code].update(x=x, y=y, page=number)
        page.save(folder / names[number], optimize=False)
        written.append(folder / names[number])

    face = font.getname()[0] + ("" if font.getname()[1] == "Book" else " " + font.getname()[1])
    text = _descriptor(face, px, pad, ascent + descent + 2 * pad, ascent + pad, names, page_size,
                       list(glyphs.values()), _kernings(ttf, px, codes))
    Path(path).write_bytes(text.encode("ascii"))
    return [Path(path)] + written


# --------------------------------------------------------------------------
# Hand-made test fonts

def write_box_font(path, size, kind, style):
    pages = style["pages"]
    names = _page_names(path, len(pages))
    images = []
    for layout in pages:
        mode = layout.get("mode", "RGBA")
        images.append(Image.new(mode, tuple(layout["size"]), 0 if mode == "L" else (0, 0, 0, 0)))
    glyphs = []
    for gid, page, x, y, w, h, xoffset, yoffset, xadvance, colour in style["glyphs"]:
        if w and h and page < len(images):
            target = images[page]
            fill = colour if target.mode == "L" else tuple(colour)
            ImageDraw.Draw(target).rectangle((x, y, x + w - 1, y + h - 1), fill=fill)
        glyphs.append({"id": gid, "x": x, "y": y, "width": w, "height": h, "xoffset": xoffset,
                       "yoffset": yoffset, "xadvance": xadvance, "page": page})
    folder = Path(path).parent
    written = []
    for name, image in zip(names, images):
        image.save(folder / name, optimize=False)
        written.append(folder / name)
    line_height = style["line_height"]
    declared = tuple(style.get("declared_size", pages[0]["size"]))
    text = _descriptor("box", line_height, 0, line_height, line_height, names, declared, glyphs,
                       list(style.get("kernings", ())), style.get("page_order"),
                       list(style.get("extra", ())))
    Path(path).write_bytes(text.encode("ascii"))
    return [Path(path)] + written


WRITERS = {"font": write_font, "boxfont": write_box_font}
