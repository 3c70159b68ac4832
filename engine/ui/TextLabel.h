#pragma once
// One string drawn with a bitmap font at a place in the widget's box, over a
// filled background. Alignment 0 puts the text at the box's top-left,
// 1 centres it horizontally (top), 2 centres it both ways; offsets are
// truncated toward zero. A label of zero width or height fills nothing. The
// font is not owned; without one only the background is drawn.
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"
#include <string>

class Font;

class TextLabel : public Widget {
public:
    enum Alignment : int32_t { Left = 0, CentredH = 1, Centred = 2 };

    // Position and size 0: callers place and size it with setBounds.
    TextLabel(const std::string& text, Font* font, int alignment, Color textColour, Color backgroundColour);

    void draw(Graphics& g, ScreenBase* screen) override;

    // The text may be replaced at any time; the geometry stays.
    void setText(const std::string& newText) { text = newText; }
    const std::string& getText() const { return text; }
    Font* getFont() const { return font; }
    void setAlignment(int newAlignment) { alignment = newAlignment; }
    int getAlignment() const { return alignment; }

private:
    Font* font;  // not owned; may be null
    std::string text;
    Color textColour;
    Color backgroundColour;
    int32_t alignment;
};
