#include "scenes/ScoreWidget.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/Graphics.h"

namespace {
const Color White(255, 255, 255, 255);
}

ScoreWidget::ScoreWidget(const int* x, const int* y, const std::string& text, GLTexture* picture, Font* textFont)
    : font(textFont)
    , background(picture)
    , caption(text)
{
    setGeometry(WidgetGeometry(x ? *x : 0, y ? *y : 0, 0, 0, 0));
}

void ScoreWidget::draw(Graphics& g, ScreenBase*)
{
    if (background)
        g.drawImage(0, 0, background, White);
    if (!font)
        return;
    font->drawTextInBoxRuns(g, WidgetGeometry(TextX, CaptionY, 0, TextW, TextH), caption, White, 2, 3, false);
    font->drawTextInBoxRuns(g, WidgetGeometry(TextX, ValueY, 0, TextW, TextH), std::to_string(value), White, 2, 3,
                            false);
}
