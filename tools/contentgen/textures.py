"""Labelled placeholder textures of the content manifest (kind "texture").

Each picture has its own colour (picked by its place in the manifest, so
neighbours differ) and shows the resource ids it is registered under, small
and faint at one of its edges, so screenshots tell which texture was drawn
while the texts the game draws over it stay clear of the label.  Only JPEG
files are made: with mask=True the alpha of the drawing goes into the
companion mask "<stem>_<ext>" (white = opaque), as images.py does; with
mask=False no mask is written and the picture is flattened onto a dark shade
of its colour.

Style (manifest.table_lines fills it from the manifest's hints):
  look   one of LOOKS:
           backdrop  gradient, 64 px grid, coloured corners (top-left red,
                     top-right green, bottom-left blue, bottom-right yellow)
           panel     rounded rectangle with a border
           button    push button (images.py's look); labelled with its file
                     name (one picture serves many buttons), along the
                     bottom edge below the caption line, or at label_at
           sprite    round blob with a soft edge
           glyph     rounded tile with big text (a digit, a rune number)
           frame     rounded border around a transparent inside; no label
           frames    a sprite sheet: grid=COLSxROWS cells, each numbered
           fade      opaque at side=left|right, fading to transparent
           glow      a soft glow in the middle, transparent elsewhere
           rings     a round target of rings, transparent around it
           solid     one colour, no label (for pictures too small to read)
           bank      a bank of cloud: opaque below row top=N (default a
                     third of the height) under a soft edge of puffs; the
                     label in the bottom-right corner
           hole      opaque, with a clear disc in the middle fading into it
           checkbox  a check box widget: a dark strip (its caption is drawn
                     over the left part) and the box itself, ticked with
                     checked=1, inside box=X,Y,W,H (where a click toggles
                     it); no label
  text   text of a glyph or caption of a button (ASCII)
  pressed "1": a pressed button (lighter at the bottom)
  box    "x,y,w,h": where a checkbox look draws its box
  checked "1": a checkbox look draws its tick
  holes  "x,y,w,h[;x,y,w,h...]": transparent windows (with mask=True)
  clear_top  number of transparent rows at the top (with mask=True)
  ids    the resource ids: the label (small and faint at one edge of the
         picture: images.draw_name)
  label_at  where the label goes instead of the look's own place (one of
         images.LABEL_PLACES): clear of the texts the game draws there
  mask   write the mask
  index  the file's place in the manifest
  color  a colour of its own instead of the one picked by index
"""

import colorsys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter

from . import images

GOLDEN = 0.6180339887498949
MIN_LABEL_SIDE = 12


def colour_of(index):
    """Well-spread hues: neighbours in the manifest get different colours."""
    h = (index * GOLDEN) % 1.0
    r, g, b = colorsys.hsv_to_rgb(h, 0.55, 0.78)
    return (int(r * 255), int(g * 255), int(b * 255), 255)


def label_options(ids, size):
    """One-line layouts of the label, most informative first: every id and
    the size, every id, the first id with the number of others and the
    size, the first id with the number of others, the first id."""
    ids = list(ids)
    dims = "%dx%d" % size
    options = [" ".join(ids) + "  " + dims, " ".join(ids)]
    if len(ids) > 1:
        options += ["%s +%d  %s" % (ids[0], len(ids) - 1, dims), "%s +%d" % (ids[0], len(ids) - 1)]
    options.append(ids[0])
    return options


def _label(img, style, where, inset=(3, 2), options=None):
    """The ids as a name label (images.draw_name) at one edge."""
    w, h = img.size
    if w < MIN_LABEL_SIDE or h < MIN_LABEL_SIDE:
        return
    images.draw_name(img, options or label_options(style["ids"], img.size), style.get("label_at", where), inset)


def _holes(style):
    holes = []
    for part in filter(None, style.get("holes", "").split(";")):
        x, y, w, h = (int(v) for v in part.split(","))
        holes.append((x, y, w, h))
    return holes


def look_backdrop(size, colour, style):
    w, h = size
    img = images.kind_backdrop(size, {"colors": (images.shade(colour, 0.4),
                                                 images.shade(colour, 1.25)), "label": None})
    _cut_holes(img, _holes(style))
    # Beside the top-right corner mark.
    _label(img, style, "top-right", (max(8, min(w, h) // 32) + 4, 3))
    return img


def _cut_holes(img, holes):
    """Transparent windows with a light rim around each."""
    d = ImageDraw.Draw(img)
    for x, y, hw, hh in holes:
        d.rectangle([x - 3, y - 3, x + hw + 2, y + hh + 2], outline=(255, 255, 255, 255), width=3)
        d.rectangle([x, y, x + hw - 1, y + hh - 1], fill=(0, 0, 0, 0))


def look_panel(size, colour, style):
    w, h = size
    top = int(style.get("clear_top", 0))
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    body = images.kind_panel((w, h - top), {"color": colour, "label": None})
    img.paste(body, (0, top))
    holes = _holes(style)
    if holes:
        _cut_holes(img, holes)
        # The label keeps to the bottom-left corner, clear of what is drawn
        # over the panel.
        _label(img, style, "bottom-left", (140, 2))
        return img
    ix, iy = images.panel_label_inset((w, h - top))
    _label(img, style, "top-right", (ix, top + iy))
    return img


def look_button(size, colour, style):
    w, h = size
    img = images.kind_button(size, {"color": colour, "pressed": style.get("pressed") == "1",
                                    "text": style.get("text"), "label": None})
    # The file's own name (a button picture serves many ids), in the
    # bottom band under the caption line of most buttons; label_at moves it
    # where the captions drawn over the picture leave room.
    _label(img, style, "bottom", (max(3, min(w, h) // 8), 2), options=[Path(style["file"]).stem])
    return img


def look_sprite(size, colour, style):
    img = images.kind_sprite(size, {"color": colour, "label": None})
    _label(img, style, "top", images.sprite_label_inset(size))
    return img


def look_glyph(size, colour, style):
    w, h = size
    img = images.kind_panel(size, {"color": colour, "label": None})
    split = h * 3 // 4
    images.draw_text_block(img, [[style.get("text", "?")]], (2, 2, w - 2, split), split)
    _label(img, style, "bottom", (3, 2))
    return img


def look_frame(size, colour, style):
    w, h = size
    border = max(3, min(w, h) // 10)
    img = images.kind_panel(size, {"color": colour, "label": None})
    inner = Image.new("L", size, 255)
    ImageDraw.Draw(inner).rounded_rectangle([border, border, w - 1 - border, h - 1 - border],
                                            radius=max(2, border), fill=0)
    alpha = Image.composite(img.getchannel("A"), Image.new("L", size, 0), inner)
    img.putalpha(alpha)
    # No label: the frame's inside is where the game writes (the scene's
    # item list), and its border is too thin to carry one.
    return img


def look_frames(size, colour, style):
    w, h = size
    cols, rows = (int(v) for v in style["grid"].split("x"))
    if w % cols or h % rows:
        raise ValueError("frames: %dx%d does not split into %s cells" % (w, h, style["grid"]))
    cw, ch = w // cols, h // rows
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    count = cols * rows
    for i in range(count):
        # Frames run down the columns first, as sprite sheets are cut.
        x, y = (i // rows) * cw, (i % rows) * ch
        tint = images.shade(colour, 0.6 + 0.8 * i / max(1, count - 1))
        cell = images.kind_panel((cw, ch), {"color": tint, "label": None})
        images.draw_text_block(cell, [[str(i)]], (2, 2, cw - 2, ch // 2), ch // 3)
        if i == 0:
            _label(cell, style, "bottom", (3, 2))
        img.paste(cell, (x, y))
    return img


def look_fade(size, colour, style):
    w, h = size
    img = images.kind_backdrop(size, {"colors": (images.shade(colour, 0.5), colour),
                                      "grid": False, "label": None})
    ramp = Image.linear_gradient("L").rotate(90, expand=True).resize(size, Image.BILINEAR)
    # linear_gradient runs black -> white downwards; rotated, white is on the left.
    img.putalpha(ramp if style.get("side") == "left" else ramp.transpose(Image.FLIP_LEFT_RIGHT))
    _label(img, style, "top", (3, 3))
    return img


def look_glow(size, colour, style):
    w, h = size
    img = Image.new("RGBA", size, images.shade(colour, 1.5))
    alpha = Image.new("L", size, 0)
    ImageDraw.Draw(alpha).ellipse([w * 0.2, h * 0.2, w * 0.8, h * 0.8], fill=255)
    img.putalpha(alpha.filter(ImageFilter.GaussianBlur(min(w, h) / 10)))
    _label(img, style, "top", (w // 4, h * 2 // 5))
    return img


def look_rings(size, colour, style):
    w, h = size
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    cx, cy = w / 2, h / 2
    radius = min(w, h) * 0.45
    for i in range(5):
        r = radius * (5 - i) / 5
        fill = colour if i % 2 == 0 else (245, 240, 225, 255)
        d.ellipse([cx - r, cy - r, cx + r, cy + r], fill=fill, outline=(20, 20, 20, 255), width=2)
    _label(img, style, "top", (int(cx - radius * 0.7), int(cy - radius * 0.6)))
    return img


def look_hole(size, colour, style):
    w, h = size
    img = Image.new("RGBA", size, colour)
    alpha = Image.new("L", size, 255)
    ImageDraw.Draw(alpha).ellipse([w * 0.18, h * 0.18, w * 0.82, h * 0.82], fill=0)
    img.putalpha(alpha.filter(ImageFilter.GaussianBlur(min(w, h) / 24)))
    return img


def look_checkbox(size, colour, style):
    w, h = size
    bx, by, bw, bh = (int(v) for v in style["box"].split(","))
    if bx < 0 or by < 0 or bx + bw > w or by + bh > h:
        raise ValueError("checkbox: box %s outside the %dx%d picture" % (style["box"], w, h))
    strip = (62, 46, 34, 255)
    img = images.kind_panel(size, {"color": strip, "label": None})
    side = max(8, min(bw, bh) - 8)
    x0, y0 = bx + (bw - side) // 2, by + (bh - side) // 2
    d = ImageDraw.Draw(img)
    d.rectangle([x0, y0, x0 + side - 1, y0 + side - 1], fill=(244, 240, 224, 255), outline=(20, 16, 12, 255), width=2)
    # No ids label: the checked and unchecked pictures differ in the tick
    # alone, and the widget's caption is drawn over the strip.
    if style.get("checked") == "1":
        tick = images.kind_checkmark((side, side), {"color": "#2f9a2f"})
        img.alpha_composite(tick, (x0, y0))
    return img


def look_bank(size, colour, style):
    """A bank of cloud across the whole picture: opaque from row `top` down
    (style top=, default a third of the height), its upper edge a row of
    soft puffs over what lies behind.  The label keeps to the bottom-right
    corner: text is drawn over the bank's opaque part."""
    w, h = size
    top = int(style.get("top", h // 3))
    img = images._gradient(size, images.shade(colour, 1.2), images.shade(colour, 0.8))
    alpha = Image.new("L", size, 0)
    d = ImageDraw.Draw(alpha)
    d.rectangle([0, top, w, h], fill=255)
    for i, x in enumerate(range(0, w + 90, 90)):
        r = 40 + (i * 37) % 30
        d.ellipse([x - r, top - r * 0.7, x + r, top + r * 0.7], fill=255)
    alpha = alpha.filter(ImageFilter.GaussianBlur(10))
    # The blur softens every edge; below the puffs the bank stays opaque.
    alpha.paste(255, (0, top + 20, w, h))
    img.putalpha(alpha)
    _label(img, style, "bottom-right", (8, 1))
    return img


def look_solid(size, colour, style):
    return Image.new("RGBA", size, colour)


LOOKS = {
    "backdrop": look_backdrop,
    "panel": look_panel,
    "button": look_button,
    "sprite": look_sprite,
    "glyph": look_glyph,
    "frame": look_frame,
    "frames": look_frames,
    "fade": look_fade,
    "glow": look_glow,
    "rings": look_rings,
    "solid": look_solid,
    "bank": look_bank,
    "hole": look_hole,
    "checkbox": look_checkbox,
}


def write_texture(path, size, kind, style):
    path = Path(path)
    if path.suffix.lower() not in (".jpg", ".jpeg"):
        raise ValueError("%s: manifest textures are JPEG files" % path)
    try:
        draw = LOOKS[style["look"]]
    except KeyError:
        raise ValueError("%s: unknown look %r (one of %s)"
                         % (path, style.get("look"), ", ".join(LOOKS))) from None
    colour = images.rgba(style["color"]) if "color" in style else colour_of(style["index"])
    img = draw(tuple(size), colour, dict(style, file=path.name))
    if img.size != tuple(size):
        raise RuntimeError("%s: drawn at %s instead of %s" % (path, img.size, size))
    ground = Image.new("RGBA", img.size, images.shade(colour, 0.3))
    images.save_jpeg(Image.alpha_composite(ground, img).convert("RGB"), path, images.JPEG_QUALITY)
    if not style["mask"]:
        return [path]
    mask = images.mask_path(path)
    images.save_jpeg(img.getchannel("A"), mask, images.MASK_QUALITY)
    return [path, mask]


WRITERS = {"texture": write_texture}
