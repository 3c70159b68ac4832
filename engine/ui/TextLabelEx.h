#pragma once
// A string laid out in the widget's box by the font's boxed drawing: wrapped
// to the box width (unless wrapping is turned off) and aligned in it
// (horizontal 1 right, 2 centre, other left; vertical 2 middle, 4 bottom,
// other top; both centred by default), over a filled background. A hidden
// label draws nothing. The font is not owned; without one only the
// background is drawn.
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"
#include <string>

class Font;

class TextLabelEx : public Widget {
public:
    // Position and size 0. The second colour is kept for callers that read
    // it back; it is not drawn.
    TextLabelEx(const std::string& text, Font* font, Color textColour, Color backgroundColour,
                Color secondColour = Color());

    void draw(Graphics& g, ScreenBase* screen) override;

    void setText(const std::string& newText) { text = newText; }
    const std::string& getText() const { return text; }
    Font* getFont() const { return font; }
    void setAlignment(int horizontal, int vertical)
    {
        hAlign = horizontal;
        vAlign = vertical;
    }
    void setWrap(bool on) { wrap = on ? 1 : 0; }
    void setHidden(bool on) { hidden = on ? 1 : 0; }
    bool isHidden() const { return hidden != 0; }
    Color getSecondColour() const { return secondColour; }

private:
    Font* font;  // not owned; may be null
    std::string text;
    Color textColour;
    Color secondColour;
    Color backgroundColour;
    int32_t hAlign = 2;
    int32_t vAlign = 2;
    uint8_t wrap = 1;
    uint8_t hidden = 0;
};
