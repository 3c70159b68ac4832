"""Placeholder pictures drawn with Pillow.

Every picture is drawn as an RGBA image by one of the KINDS below and then
saved by its file extension:

- .png: RGBA PNG as drawn.
- .jpg / .jpeg (any letter case): the colour channels go into the JPEG and the
  alpha channel into the companion mask "<stem>_<ext>" beside it (pic.jpg ->
  pic_.jpg, room.JPEG -> room_.JPEG), a greyscale JPEG of the same size where
  white is opaque.  The game reads a JPEG's transparency from that mask.

Style keys understood by every kind (all optional):
  label    text printed on the picture (the runner passes the file's path);
           False prints nothing
  quality  JPEG quality of the picture (default 92)
  exact    after saving, decode the files again and fail unless every pixel
           comes back exactly as drawn (for test fixtures)
  mask     an RGB colour: the mask is that uniform colour instead of the
           alpha channel, stored in RGB colour space so that it decodes to
           exactly that colour
  mask_size (w, h): the mask gets this size instead of the picture's (only
           for fixtures that need a mismatched mask)

Files for loader tests, beside the kinds: truncated_png (a PNG cut short),
cmyk_jpeg (picture and mask converted to CMYK by ImageMagick), bilevel_png (a
tiny file of a huge picture), jpeg_claiming (a frame header claiming another
size than the data holds).

Output bytes depend only on the inputs: Pillow writes no time stamps into
PNG or JPEG files, ImageMagick is run with -strip, and nothing random is
drawn.
"""

import functools
import io
import struct
import subprocess
import tempfile
import zlib
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter, ImageFont

FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
MIN_FONT = 7
JPEG_QUALITY = 92
MASK_QUALITY = 100


# --------------------------------------------------------------------------
# Colours and text

def rgba(colour):
    """'#rrggbb', '#rrggbbaa' or a 3/4-tuple -> (r, g, b, a)."""
    if isinstance(colour, str):
        h = colour.lstrip("#")
        vals = [int(h[i:i + 2], 16) for i in range(0, len(h), 2)]
    else:
        vals = list(colour)
    if len(vals) == 3:
        vals.append(255)
    if len(vals) != 4:
        raise ValueError("bad colour %r" % (colour,))
    return tuple(vals)


def shade(colour, factor):
    """Darker (factor < 1) or lighter (factor > 1) version of a colour."""
    r, g, b, a = rgba(colour)
    if factor <= 1:
        return (int(r * factor), int(g * factor), int(b * factor), a)
    t = factor - 1
    return (int(r + (255 - r) * t), int(g + (255 - g) * t), int(b + (255 - b) * t), a)


@functools.lru_cache(maxsize=None)
def font(size):
    return ImageFont.truetype(FONT_FILE, size, layout_engine=ImageFont.Layout.BASIC)


def _stroke(size):
    return max(1, size // 12)


def _block_size(lines, size):
    f = font(size)
    sw = _stroke(size)
    ascent, descent = f.getmetrics()
    line_h = ascent + descent + 2 * sw
    width = max(f.getbbox(line, stroke_width=sw)[2] for line in lines)
    return width, line_h * len(lines), line_h


def _best_size(lines, box, max_size):
    bw, bh = box[2] - box[0], box[3] - box[1]
    for size in range(max(max_size, MIN_FONT), MIN_FONT - 1, -1):
        w, h, _ = _block_size(lines, size)
        if w <= bw and h <= bh:
            return size
    return 0


def draw_text_block(img, lines_options, box, max_size, readable=14,
                    fill=(255, 255, 255, 255), stroke=(0, 0, 0, 255)):
    """Draw one of several line layouts centred in box (x0, y0, x1, y1).

    lines_options runs from the most to the least informative layout.  The
    first layout that fits at `readable` px (or at the size the last layout
    reaches, when that is smaller) wins, at the largest size that fits.
    When nothing fits, the last layout is drawn clipped at the smallest size.
    """
    sizes = [_best_size(lines, box, max_size) for lines in lines_options]
    target = max(1, min(readable, sizes[-1]))
    lines, size = lines_options[-1], sizes[-1] or MIN_FONT
    for option, best in zip(lines_options, sizes):
        if best >= target:
            lines, size = option, best
            break
    _, h, line_h = _block_size(lines, size)
    draw = ImageDraw.Draw(img)
    x0, y0, x1, y1 = box
    cx = (x0 + x1) // 2
    y = (y0 + y1) // 2 - h // 2
    for line in lines:
        draw.text((cx, y), line, font=font(size), fill=fill, anchor="ma",
                  stroke_width=_stroke(size), stroke_fill=stroke)
        y += line_h


# Name labels: a picture's name, small and faint along one of its edges, so
# that a maintainer tells the pictures apart in a screenshot while no text
# the game draws over a picture meets it (tools/screentext.py checks the
# places whose texts are known).
LABEL_FONT = 9
LABEL_ALPHA = 160
LABEL_LINE = 12
# Where a label may sit: (corner, text alignment in its band).
LABEL_PLACES = ("top-left", "top", "top-right", "bottom-left", "bottom", "bottom-right", "left", "right")


def label_box(size, where, inset=(3, 2)):
    """The band (x0, y0, x1, y1) and the alignment of a name label at one
    edge of a picture of `size`, `inset` pixels in from the picture's sides
    and from the edge; "left" and "right" are the middle of that side."""
    w, h = size
    ix, iy = inset
    if where not in LABEL_PLACES:
        raise ValueError("label place %r is not one of %s" % (where, ", ".join(LABEL_PLACES)))
    if where in ("left", "right"):
        y0 = (h - LABEL_LINE) // 2
        band = (ix, y0, w // 2, y0 + LABEL_LINE) if where == "left" else (w // 2, y0, w - ix, y0 + LABEL_LINE)
        return band, where
    vertical, _, side = where.partition("-")
    if vertical == "top":
        y0, y1 = iy, iy + LABEL_LINE
    else:
        y0, y1 = h - iy - LABEL_LINE, h - iy
    return (ix, y0, w - ix, y1), side or "centre"


def draw_name(img, lines_options, where, inset=(3, 2)):
    """Draws the first of several one-line texts that fits its band at
    LABEL_FONT down to MIN_FONT px, light with a dark rim at LABEL_ALPHA
    over the picture.  When none fits, nothing is drawn: a picture too
    small for its name carries none (a cut name reads as a stray mark)."""
    (x0, y0, x1, y1), align = label_box(img.size, where, inset)
    bw, bh = x1 - x0, y1 - y0
    if bw <= 0 or bh <= 0:
        return
    choice = None
    for text in lines_options:
        for size in range(LABEL_FONT, MIN_FONT - 1, -1):
            w, h, _ = _block_size([text], size)
            if w <= bw and h <= bh:
                choice = (text, size)
                break
        if choice:
            break
    if choice is None:
        return
    text, size = choice
    w, h, _ = _block_size([text], size)
    layer = Image.new("RGBA", (bw, bh), (0, 0, 0, 0))
    x = {"left": 0, "right": bw - w}.get(align, (bw - w) // 2)
    ImageDraw.Draw(layer).text((x, (bh - h) // 2), text, font=font(size), fill=(255, 255, 255, LABEL_ALPHA),
                               stroke_width=_stroke(size), stroke_fill=(0, 0, 0, LABEL_ALPHA))
    img.alpha_composite(layer, (x0, y0))


def draw_label(img, text, where="top-right", inset=(3, 2)):
    """Print a file's label (with the picture size when room allows) as a
    name label (draw_name)."""
    w, h = img.size
    dims = "%dx%d" % (w, h)
    options = [text + "  " + dims]
    if "/" in text:
        base = text.rsplit("/", 1)[1]
        options += [base + "  " + dims, base]
    draw_name(img, options, where, inset)


# --------------------------------------------------------------------------
# Kinds: each returns an RGBA image of the given size

def _gradient(size, top, bottom):
    w, h = size
    ramp = Image.linear_gradient("L").resize((w, h), Image.BILINEAR)
    return Image.composite(Image.new("RGBA", size, rgba(bottom)),
                           Image.new("RGBA", size, rgba(top)), ramp)


def kind_backdrop(size, style):
    """Full-frame background: vertical gradient, 64 px grid, coloured corner
    markers (top-left red, top-right green, bottom-left blue, bottom-right
    yellow, so flips show in screenshots), optional title, label."""
    w, h = size
    top, bottom = style.get("colors", ("#2a3f5a", "#7d9fb8"))
    img = _gradient(size, top, bottom)
    if style.get("grid", True) and w >= 128 and h >= 128:
        grid = Image.new("RGBA", size, (0, 0, 0, 0))
        d = ImageDraw.Draw(grid)
        for x in range(0, w, 64):
            d.line([(x, 0), (x, h)], fill=(255, 255, 255, 80 if x % 256 == 0 else 32))
        for y in range(0, h, 64):
            d.line([(0, y), (w, y)], fill=(255, 255, 255, 80 if y % 256 == 0 else 32))
        img = Image.alpha_composite(img, grid)
    if w >= 64 and h >= 64:
        m = max(8, min(w, h) // 32)
        d = ImageDraw.Draw(img)
        d.rectangle([0, 0, m - 1, m - 1], fill=(230, 40, 40, 255))
        d.rectangle([w - m, 0, w - 1, m - 1], fill=(40, 200, 60, 255))
        d.rectangle([0, h - m, m - 1, h - 1], fill=(50, 90, 240, 255))
        d.rectangle([w - m, h - m, w - 1, h - 1], fill=(240, 220, 40, 255))
    title = style.get("title")
    if title:
        draw_text_block(img, [[title]], (w // 16, h // 8, w - w // 16, h // 2), h // 6)
    if style.get("label"):
        # Beside the top-right corner mark.
        m = max(8, min(w, h) // 32) if w >= 64 and h >= 64 else 0
        draw_label(img, style["label"], "top-right", (m + 4, 3))
    return img


def panel_label_inset(size):
    """Where a panel's name label keeps clear of its rounded corners and
    border: (x, y) in from the sides and the top."""
    w, h = size
    return max(4, min(w, h) // 8), max(2, min(w, h) // 32) + 2


def kind_panel(size, style):
    """Rounded rectangle with a darker border; transparent corners.
    title: a text of its own, large in the middle (a logo)."""
    w, h = size
    colour = rgba(style.get("color", "#d8c9a3"))
    border = max(2, min(w, h) // 32)
    img = Image.new("RGBA", size, colour[:3] + (0,))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([0, 0, w - 1, h - 1], radius=max(4, min(w, h) // 8),
                        fill=colour, outline=shade(colour, 0.55), width=border)
    if style.get("title"):
        pad = w // 12
        draw_text_block(img, [[style["title"]]], (pad, h // 6, w - pad, h - h // 6), h // 3)
    if style.get("label"):
        draw_label(img, style["label"], "top-right", panel_label_inset(size))
    return img


def kind_sprite(size, style):
    """Round blob with a highlight and a soft alpha edge."""
    w, h = size
    colour = rgba(style.get("color", "#e0703a"))
    img = Image.new("RGBA", size, colour)
    light = Image.new("L", size, 0)
    ImageDraw.Draw(light).ellipse([w * 0.2, h * 0.15, w * 0.6, h * 0.5], fill=150)
    light = light.filter(ImageFilter.GaussianBlur(min(w, h) / 10))
    img = Image.composite(Image.new("RGBA", size, shade(colour, 1.6)), img, light)
    alpha = Image.new("L", size, 0)
    m = min(w, h) / 16
    ImageDraw.Draw(alpha).ellipse([m, m, w - 1 - m, h - 1 - m], fill=255)
    alpha = alpha.filter(ImageFilter.GaussianBlur(min(w, h) / 40))
    img.putalpha(alpha)
    if style.get("label"):
        draw_label(img, style["label"], "top", sprite_label_inset(size))
    return img


def sprite_label_inset(size):
    """Where a sprite's name label sits inside the top of its blob."""
    w, h = size
    return w // 4, int(h / 16 + h / 40) + 2


# Arrow outline on a 32 x 32 grid; the tip (hot spot) is the top-left pixel.
_ARROW = [(0, 0), (0, 23), (6, 18), (10, 27), (14, 25), (10, 16), (17, 16)]


def kind_cursor(size, style):
    """Mouse pointer: an arrow whose tip is at 0,0, transparent around it."""
    w, h = size
    colour = rgba(style.get("color", "#f4f0e0"))
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    pts = [(x * w / 32, y * h / 32) for x, y in _ARROW]
    ImageDraw.Draw(img).polygon(pts, fill=colour, outline=(0, 0, 0, 255))
    return img


def kind_icon(size, style):
    """Window icon: a rounded square with one letter."""
    w, h = size
    colour = rgba(style.get("color", "#3d6b8e"))
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    ImageDraw.Draw(img).rounded_rectangle([0, 0, w - 1, h - 1], radius=max(2, w // 6),
                                          fill=colour, outline=shade(colour, 0.5))
    draw_text_block(img, [[style.get("letter", "Q")]], (0, 0, w, h), h)
    return img


def kind_solid(size, style):
    """One colour everywhere.  alpha: 'right_half' makes the left half fully
    transparent and the right half opaque."""
    w, h = size
    img = Image.new("RGBA", size, rgba(style.get("color", "#ffffff")))
    pattern = style.get("alpha")
    if pattern == "right_half":
        a = Image.new("L", size, 0)
        ImageDraw.Draw(a).rectangle([w // 2, 0, w - 1, h - 1], fill=255)
        img.putalpha(a)
    elif pattern is not None:
        raise ValueError("unknown alpha pattern %r" % (pattern,))
    if style.get("label"):
        draw_label(img, style["label"], "top-left")
    return img


def kind_cells(size, style):
    """Sprite-sheet test pattern: columns x rows solid cells, row-major."""
    cols, rows = style["columns"], style["rows"]
    cw, ch = style["cell"]
    if size != (cols * cw, rows * ch):
        raise ValueError("cells: size %r does not match the grid" % (size,))
    img = Image.new("RGBA", size)
    d = ImageDraw.Draw(img)
    for i, colour in enumerate(style["colors"]):
        x, y = (i % cols) * cw, (i // cols) * ch
        d.rectangle([x, y, x + cw - 1, y + ch - 1], fill=rgba(colour))
    return img


def kind_button(size, style):
    """Push button: a rounded rectangle with a vertical gradient (lighter at
    the top, or at the bottom with pressed=True), a darker border and a light
    inner edge.  text: a caption baked into the picture, centred.  The label
    is the file's stem as a name label in the bottom-right corner, so the
    look shows in screenshots without hiding a caption drawn over it."""
    w, h = size
    colour = rgba(style.get("color", "#8a6a3a"))
    top, bottom = shade(colour, 1.35), shade(colour, 0.75)
    if style.get("pressed"):
        top, bottom = bottom, top
    radius = max(3, min(w, h) // 4)
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius=radius, fill=255)
    img = Image.composite(_gradient(size, top, bottom), Image.new("RGBA", size, colour[:3] + (0,)), mask)
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([0, 0, w - 1, h - 1], radius=radius, outline=shade(colour, 0.45), width=2)
    d.rounded_rectangle([2, 2, w - 3, h - 3], radius=max(2, radius - 2), outline=shade(colour, 1.6), width=1)
    if style.get("text"):
        draw_text_block(img, [[style["text"]]], (4, 2, w - 4, h - 9), h // 2)
    label = style.get("label")
    if label and h >= 24:
        draw_name(img, [Path(label).stem], "bottom-right", (radius, 2))
    return img


def kind_checkmark(size, style):
    """A check mark on a transparent ground, drawn as a thick stroke in the
    colour with a dark rim."""
    w, h = size
    colour = rgba(style.get("color", "#2f8a2f"))
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    pts = [(w * 0.18, h * 0.52), (w * 0.42, h * 0.78), (w * 0.84, h * 0.2)]
    d = ImageDraw.Draw(img)
    width = max(3, min(w, h) // 6)
    d.line(pts, fill=(20, 30, 20, 255), width=width + 2, joint="curve")
    d.line(pts, fill=colour, width=width, joint="curve")
    return img


KINDS = {
    "button": kind_button,
    "checkmark": kind_checkmark,
    "backdrop": kind_backdrop,
    "panel": kind_panel,
    "sprite": kind_sprite,
    "cursor": kind_cursor,
    "icon": kind_icon,
    "solid": kind_solid,
    "cells": kind_cells,
}


# --------------------------------------------------------------------------
# Saving

def mask_path(path):
    """pic.jpg -> pic_.jpg (the extension keeps its letter case)."""
    path = Path(path)
    return path.with_name(path.stem + "_" + path.suffix)


def save_png(img, path):
    img.save(path, "PNG", compress_level=6)


def save_jpeg(img, path, quality):
    """Ordinary JFIF JPEG (YCbCr, no chroma subsampling)."""
    if img.mode not in ("L", "RGB"):
        img = img.convert("RGB")
    opts = {"quality": quality}
    if img.mode == "RGB":
        opts["subsampling"] = 0
    img.save(path, "JPEG", **opts)


def jpeg_rgb_bytes(img, quality=100):
    """JPEG whose components are R, G, B themselves (no YCbCr transform).

    Some colours cannot survive the YCbCr round trip exactly (30, 60, 91
    comes back as 30, 61, 92).  Pillow stores a "YCbCr" image without
    converting it, so we hand it the RGB planes as if they were Y, Cb, Cr and
    swap the JFIF header for an Adobe APP14 segment with transform 0, which
    tells every libjpeg-based decoder that the components are RGB.
    """
    r, g, b = img.convert("RGB").split()
    buf = io.BytesIO()
    Image.merge("YCbCr", (r, g, b)).save(buf, "JPEG", quality=quality, subsampling=0)
    data = buf.getvalue()
    if data[2:4] != b"\xff\xe0":
        raise RuntimeError("expected a JFIF APP0 segment after SOI")
    app0_len = struct.unpack(">H", data[4:6])[0]
    adobe = b"Adobe" + struct.pack(">HHHB", 100, 0, 0, 0)
    app14 = b"\xff\xee" + struct.pack(">H", len(adobe) + 2) + adobe
    return data[:2] + app14 + data[4 + app0_len:]


def _check_exact(path, expected):
    got = Image.open(path)
    got = got.convert(expected.mode) if got.mode != expected.mode else got
    if got.size != expected.size or got.tobytes() != expected.tobytes():
        raise RuntimeError("%s does not decode to exactly the pixels drawn" % path)


def save_image(img, path, style):
    """Save by extension; JPEGs get their mask.  Returns the files written."""
    path = Path(path)
    ext = path.suffix[1:].upper()
    exact = style.get("exact", False)
    if ext == "PNG":
        save_png(img, path)
        if exact:
            _check_exact(path, img)
        return [path]
    if ext not in ("JPG", "JPEG"):
        raise ValueError("%s: only .png, .jpg and .jpeg pictures are made" % path)
    picture = img.convert("RGB")
    save_jpeg(picture, path, style.get("quality", JPEG_QUALITY))
    mpath = mask_path(path)
    msize = tuple(style.get("mask_size", img.size))
    if style.get("mask") is not None:
        mask = Image.new("RGB", msize, rgba(style["mask"])[:3])
        mpath.write_bytes(jpeg_rgb_bytes(mask, MASK_QUALITY))
    else:
        mask = img.getchannel("A")
        if mask.size != msize:
            mask = mask.resize(msize, Image.NEAREST)
        save_jpeg(mask, mpath, MASK_QUALITY)
    if exact:
        _check_exact(path, picture)
        _check_exact(mpath, mask)
    return [path, mpath]


def write_image(path, size, kind, style):
    try:
        draw = KINDS[kind]
    except KeyError:
        raise ValueError("%s: unknown picture kind %r" % (path, kind)) from None
    return save_image(draw(tuple(size), style), path, style)


def write_truncated_png(path, size, kind, style):
    """A valid PNG of the 'of' kind (default backdrop), cut to its first
    'keep' fraction of bytes (default half): a broken file for loader tests."""
    img = KINDS[style.get("of", "backdrop")](tuple(size), style)
    buf = io.BytesIO()
    img.save(buf, "PNG", compress_level=6)
    data = buf.getvalue()
    Path(path).write_bytes(data[:int(len(data) * style.get("keep", 0.5))])
    return [Path(path)]


def write_cmyk_jpeg(path, size, kind, style):
    """Picture and mask as other tools write CMYK JPEGs: drawn by the 'of'
    kind (default solid), then converted by ImageMagick (four components,
    Adobe marker).  The mask is the alpha channel as grey, white = opaque."""
    img = KINDS[style.get("of", "solid")](tuple(size), style)
    written = []
    with tempfile.TemporaryDirectory() as tmp:
        for layer, target in ((img.convert("RGB"), Path(path)), (img.getchannel("A"), mask_path(path))):
            source = Path(tmp) / "layer.png"
            layer.convert("RGB").save(source, "PNG")
            _run(["convert", str(source), "-strip", "-colorspace", "CMYK", "-quality", "100", str(target)])
            written.append(target)
    return written


def write_bilevel_png(path, size, kind, style):
    """A valid all-black 1-bit greyscale PNG of any size: a few kilobytes
    that decode to width x height bytes (a picture too large to load)."""
    w, h = size
    row = b"\0" * (1 + (w + 7) // 8)  # filter byte + packed pixels
    packer = zlib.compressobj(9)
    data = b"".join(packer.compress(row) for _ in range(h)) + packer.flush()

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))

    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 1, 0, 0, 0, 0))
           + chunk(b"IDAT", data) + chunk(b"IEND", b""))
    Path(path).write_bytes(png)
    return [Path(path)]


def write_jpeg_claiming(path, size, kind, style):
    """A small real JPEG (style 'real': its size) whose frame header claims
    `size` instead: a file that would make a decoder allocate the claimed
    picture before it finds the data too short."""
    buf = io.BytesIO()
    Image.new("RGB", tuple(style["real"]), (90, 90, 90)).save(buf, "JPEG", quality=90)
    data = bytearray(buf.getvalue())
    at = data.find(b"\xff\xc0")
    if at < 0:
        raise RuntimeError("%s: no baseline frame header to patch" % path)
    data[at + 5:at + 9] = struct.pack(">HH", size[1], size[0])
    Path(path).write_bytes(bytes(data))
    return [Path(path)]


def _run(cmd):
    res = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if res.returncode != 0:
        raise RuntimeError("%s failed:\n%s" % (" ".join(cmd), res.stderr))


WRITERS = dict({k: write_image for k in KINDS}, truncated_png=write_truncated_png, cmyk_jpeg=write_cmyk_jpeg,
               bilevel_png=write_bilevel_png, jpeg_claiming=write_jpeg_claiming)
