#include "engine/ui/TextLabel.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/Graphics.h"

TextLabel::TextLabel(const std::string& labelText, Font* labelFont, int labelAlignment, Color labelTextColour,
                     Color labelBackgroundColour)
    : font(labelFont)
    , text(labelText)
    , textColour(labelTextColour)
    , backgroundColour(labelBackgroundColour)
    , alignment(labelAlignment)
{
}

void TextLabel::draw(Graphics& g, ScreenBase*)
{
    const int w = geometry.w;
    const int h = geometry.h;
    if (w > 0 && h > 0)
        g.fillRect(0, 0, w, h, backgroundColour);
    if (!font)
        return;
    int x = 0;
    int y = 0;
    if (alignment == CentredH) {
        x = (w - font->textWidth(text)) / 2;
    } else if (alignment == Centred) {
        x = static_cast<int>((w - font->textWidth(text)) * 0.5f);
        y = static_cast<int>((h - font->getLineHeight()) * 0.5f);
    }
    font->drawRun(g, x, y, text, textColour);
}
