"""Key-framed animation files, as the engine's AnimationPlayer reads them.

A clip is a dict:
  name     the Scene's name
  length   ms
  loop     0 or 1 (a looping clip repeats forever and never reports its end)
  screen   (width, height) of the widget, or None to leave the Screen
           element out (a malformed file, for tests)
  objects  list of (file, type, keys): file relative to the clip's folder,
           type 0 for a drawn image; keys a list of key frames
A key frame is a dict: "t" (ms) and, for an image key frame, any of
  x, y, z, sx, sy (percent), angle (degrees), r, g, b, a (0-255)
(defaults 0, 0, 0, 100, 100, 0, 255, 255, 255, 255); "type" other than 0
writes a key frame without image values.  Every key frame names
interpolator 0 (the linear one).

BUILDERS turn the arguments of one table line into a clip; root(clip) gives
the XML element tree for the "xml" kind of docs.py.
"""

_KEY_ATTRS = [("x", "x", 0), ("y", "y", 0), ("z", "z", 0), ("ScaleX", "sx", 100),
              ("ScaleY", "sy", 100), ("Angle", "angle", 0), ("Red", "r", 255),
              ("Green", "g", 255), ("Blue", "b", 255), ("Alpha", "a", 255)]


def _number(value):
    """Whole numbers without a decimal point; others as Python prints them."""
    if isinstance(value, float) and value.is_integer():
        return int(value)
    return value


def key_frame(key):
    kind = key.get("type", 0)
    attrs = {"TimeStamp": key["t"], "TypeInterpolator": key.get("interpolator", 0),
             "Type": kind}
    if kind == 0:
        for attr, short, default in _KEY_ATTRS:
            attrs[attr] = _number(key.get(short, default))
    return ("KeyFrame", attrs)


def root(clip):
    children = []
    if clip.get("screen") is not None:
        w, h = clip["screen"]
        children.append(("Screen", {"Width": w, "Height": h}))
    for file, kind, keys in clip["objects"]:
        children.append(("Object", {"file": file, "type": kind}, [key_frame(k) for k in keys]))
    return ("Scene", {"name": clip["name"], "loop": clip.get("loop", 0),
                      "length": clip["length"]}, children)


def fade(name, image, size, length, fade):
    """One image at the widget's corner that fades in, holds, fades out."""
    keys = [{"t": 0, "a": 0}, {"t": fade, "a": 255}, {"t": length - fade, "a": 255},
            {"t": length, "a": 0}]
    return {"name": name, "length": length, "screen": size, "objects": [(image, 0, keys)]}


def dialog(name, image, size, length, mode):
    """A dialog panel that opens (fades in while growing from 90 % about its
    centre) or closes (fades out while shrinking to 95 %)."""
    if mode == "open":
        keys = [{"t": 0, "a": 0, "sx": 90, "sy": 90}, {"t": length, "a": 255}]
    elif mode == "close":
        keys = [{"t": 0, "a": 255}, {"t": length, "a": 0, "sx": 95, "sy": 95}]
    else:
        raise ValueError("%s: unknown dialog mode %r" % (name, mode))
    return {"name": name, "length": length, "screen": size, "objects": [(image, 0, keys)]}


def clip(name, **fields):
    """The clip given whole; the name defaults to the file's."""
    return dict({"name": name}, **fields)


BUILDERS = {"fade": fade, "dialog": dialog, "clip": clip}


def table_line(path, builder, args):
    """One ANIMATIONS line -> one "xml" table line of the runner."""
    name = path.rsplit("/", 1)[-1].rsplit(".", 1)[0]
    return (path, None, "xml", {"root": root(BUILDERS[builder](name, **args))})
