#include "frontend/WidgetTooltip.h"

#include "engine/anim/ActionDelay.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/Graphics.h"

namespace {
const Color Ink(91, 43, 8, 255);
const Color Paper(251, 242, 184, 255);
} // namespace

WidgetTooltip::WidgetTooltip() = default;

WidgetTooltip::~WidgetTooltip() = default;

void WidgetTooltip::begin(ActionListener* listener)
{
    // No text: nothing to show, not even an empty framed box.
    if (!font || text.empty())
        return;
    cancel();
    delay = std::make_unique<ActionDelay>(Duration(DelayMs));
    delay->start(listener, DelayId);
}

void WidgetTooltip::cancel()
{
    if (delay) {
        delay->stop();
        delay.reset();
    }
    visible = false;
}

void WidgetTooltip::update(int dt)
{
    if (delay && delay->isRunning())
        delay->update(dt);
}

bool WidgetTooltip::isPending() const
{
    return delay && delay->isRunning();
}

void WidgetTooltip::draw(Graphics& g, int widgetWidth) const
{
    if (visible)
        drawBox(g, font, text, widgetWidth, 255);
}

void WidgetTooltip::drawBox(Graphics& g, Font* font, const std::string& text, int widgetWidth, uint8_t alpha)
{
    if (!font)
        return;
    const int w = widgetWidth / 2;
    const int tw = font->textWidth(text);
    const int lh = font->getLineHeight();
    const Color ink(Ink.r, Ink.g, Ink.b, alpha);
    g.fillRect(w - 3, -lh - 3, tw + 6, lh + 6, ink);
    g.fillRect(w - 2, -lh - 2, tw + 4, lh + 4, Color(Paper.r, Paper.g, Paper.b, alpha));
    font->drawRun(g, w, -lh, text, ink);
}
