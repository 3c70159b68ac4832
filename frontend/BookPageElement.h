#pragma once
// One thing drawn on a book page: a run of text boxed at its place, or a
// picture drawn at its own size. A fresh element is unset (drawn as
// nothing), centred both ways, with an empty box.
#include "engine/core/Types.h"

#include <string>

class Font;
class GLTexture;

struct BookPageElement {
    enum Kind { Unset = -1, Text = 0, Picture = 1 };
    enum HAlign { Left = 0, Right = 1, Centre = 2 };
    enum VAlign { Middle = 2, Top = 3 };

    int kind = Unset;
    std::string text;
    Font* font = nullptr;         // not owned
    int hAlign = Centre;
    int vAlign = Middle;
    GLTexture* picture = nullptr; // owned by the screen's resource manager
    WidgetGeometry box;           // z is always 0; pictures use x and y only
};
