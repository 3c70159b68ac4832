"""Pictures of hidden-object scene items: one flat-coloured shape each, with
a darker outline and the item's name, transparent around the shape (and in
the hole of a ring), so that clicks on the transparent parts fall through to
the item below.

Kind "item", style keys:
  color    fill colour ('#rrggbb' or a tuple)
  shape    one of SHAPES (default "disc")
  outline  False draws no outline (flat fixtures for pixel probes)
  label    text printed across the middle; False prints nothing
plus the common keys of contentgen/images.py (exact, quality).
"""

import math

from PIL import Image, ImageDraw

from . import images

SHAPES = ("disc", "block", "triangle", "diamond", "hexagon", "star", "ring", "shield", "cross", "drop")


def _polygon(shape, w, h, m):
    """Corner points of a polygon shape inside the margin m."""
    x0, y0, x1, y1 = m, m, w - 1 - m, h - 1 - m
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    rx, ry = (x1 - x0) / 2, (y1 - y0) / 2
    if shape == "triangle":
        return [(cx, y0), (x1, y1), (x0, y1)]
    if shape == "diamond":
        return [(cx, y0), (x1, cy), (cx, y1), (x0, cy)]
    if shape == "hexagon":
        return [(cx + rx * math.cos(math.radians(a)), cy + ry * math.sin(math.radians(a)))
                for a in range(0, 360, 60)]
    if shape == "star":
        pts = []
        for i in range(10):
            r = 1.0 if i % 2 == 0 else 0.45
            a = math.radians(-90 + 36 * i)
            pts.append((cx + rx * r * math.cos(a), cy + ry * r * math.sin(a)))
        return pts
    if shape == "shield":
        return [(x0, y0), (x1, y0), (x1, cy), (cx, y1), (x0, cy)]
    if shape == "cross":
        tx, ty = rx / 3, ry / 3
        return [(cx - tx, y0), (cx + tx, y0), (cx + tx, cy - ty), (x1, cy - ty), (x1, cy + ty),
                (cx + tx, cy + ty), (cx + tx, y1), (cx - tx, y1), (cx - tx, cy + ty), (x0, cy + ty),
                (x0, cy - ty), (cx - tx, cy - ty)]
    if shape == "drop":
        pts = [(cx, y0)]
        for a in range(-30, 211, 10):
            t = math.radians(a)
            pts.append((cx + rx * math.cos(t), cy + ry * 0.35 + ry * 0.65 * math.sin(t)))
        return pts
    return None


def kind_item(size, style):
    w, h = size
    colour = images.rgba(style.get("color", "#c08040"))
    shape = style.get("shape", "disc")
    if shape not in SHAPES:
        raise ValueError("unknown item shape %r" % (shape,))
    edge = images.shade(colour, 0.45) if style.get("outline", True) else colour
    width = max(2, min(w, h) // 24) if style.get("outline", True) else 0
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    m = max(1, min(w, h) // 16)
    box = [m, m, w - 1 - m, h - 1 - m]
    if shape == "disc":
        d.ellipse(box, fill=colour, outline=edge, width=width)
    elif shape == "block":
        d.rounded_rectangle(box, radius=min(w, h) // 6, fill=colour, outline=edge, width=width)
    elif shape == "ring":
        d.ellipse(box, fill=colour, outline=edge, width=width)
        hx, hy = (box[2] - box[0]) / 4, (box[3] - box[1]) / 4
        hole = [box[0] + hx, box[1] + hy, box[2] - hx, box[3] - hy]
        # Drawing replaces pixels: the hole becomes fully transparent.
        d.ellipse(hole, fill=(0, 0, 0, 0), outline=edge, width=width)
    else:
        d.polygon(_polygon(shape, w, h, m), fill=colour, outline=edge, width=width)
    if style.get("label"):
        pad = min(w, h) // 5
        images.draw_text_block(img, [[style["label"]]], (pad, h // 3, w - pad, h - h // 3), min(w, h) // 5,
                               readable=9)
    return img


def write_item(path, size, kind, style):
    return images.save_image(kind_item(tuple(size), style), path, style)


WRITERS = {"item": write_item}
