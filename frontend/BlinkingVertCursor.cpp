#include "frontend/BlinkingVertCursor.h"

#include "engine/gfx/Graphics.h"

BlinkingVertCursor::BlinkingVertCursor(Color c, int intervalMs, int w)
    : colour(c)
    , interval(intervalMs)
    , width(w)
{
}

void BlinkingVertCursor::reset()
{
    visible = true;
    elapsed = 0;
}

void BlinkingVertCursor::update(int dt)
{
    elapsed += dt;
    if (elapsed > interval) {
        elapsed = 0;
        visible = !visible;
    }
}

void BlinkingVertCursor::draw(Graphics& g)
{
    if (visible)
        g.fillRect(rect.x, rect.y, width, rect.h, colour);
}
