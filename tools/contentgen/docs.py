"""XML and plain-text files.

An XML element is a tuple (tag, attributes, children): attributes a dict
(written in insertion order), children a list of elements (may be omitted).
Files are ASCII with "\\n" line ends and two-space indentation.

Kinds:
  xml    style: root (the root element)
  text   style: text (str, ASCII) or data (bytes)
"""

from pathlib import Path

# A line feed in an attribute is written as a character reference, so that
# parsers keep it instead of normalising it to a space.
_ESCAPES = [("&", "&amp;"), ("<", "&lt;"), (">", "&gt;"), ('"', "&quot;"), ("\n", "&#10;")]


def _ascii(text, where):
    try:
        text.encode("ascii")
    except UnicodeEncodeError:
        raise ValueError("%s: non-ASCII text %r" % (where, text)) from None
    return text


def _attr(value, where):
    value = _ascii(str(value), where)
    for raw, ent in _ESCAPES:
        value = value.replace(raw, ent)
    return '"%s"' % value


def _element(node, depth, out, where):
    tag, attrs = node[0], node[1]
    children = node[2] if len(node) > 2 else []
    pad = "  " * depth
    text = "".join(" %s=%s" % (_ascii(k, where), _attr(v, where)) for k, v in attrs.items())
    if not children:
        out.append("%s<%s%s />" % (pad, tag, text))
        return
    out.append("%s<%s%s>" % (pad, tag, text))
    for child in children:
        _element(child, depth + 1, out, where)
    out.append("%s</%s>" % (pad, tag))


def xml_text(root, where="xml"):
    out = ['<?xml version="1.0" encoding="UTF-8"?>']
    _element(root, 0, out, where)
    return "\n".join(out) + "\n"


def write_xml(path, size, kind, style):
    Path(path).write_bytes(xml_text(style["root"], str(path)).encode("ascii"))
    return [Path(path)]


def write_text(path, size, kind, style):
    if "data" in style:
        Path(path).write_bytes(style["data"])
    else:
        Path(path).write_bytes(_ascii(style["text"], str(path)).encode("ascii"))
    return [Path(path)]


WRITERS = {"xml": write_xml, "text": write_text}
