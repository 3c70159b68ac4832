#include "engine/ui/TextLabelEx.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/Graphics.h"

TextLabelEx::TextLabelEx(const std::string& labelText, Font* labelFont, Color labelTextColour,
                         Color labelBackgroundColour, Color labelSecondColour)
    : font(labelFont)
    , text(labelText)
    , textColour(labelTextColour)
    , secondColour(labelSecondColour)
    , backgroundColour(labelBackgroundColour)
{
}

void TextLabelEx::draw(Graphics& g, ScreenBase*)
{
    if (hidden)
        return;
    const int w = geometry.w;
    const int h = geometry.h;
    if (w > 0 && h > 0)
        g.fillRect(0, 0, w, h, backgroundColour);
    if (font)
        font->drawTextInBoxRuns(g, WidgetGeometry(0, 0, 0, w, h), text, textColour, hAlign, vAlign, wrap != 0);
}
