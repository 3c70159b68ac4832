#include "frontend/LineWidget.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"

LineWidget::LineWidget(PointF from, PointF to, GLTexture* marker)
    : texture(marker)
    , end(to)
    , start(from)
{
    setEnabled(false);
}

void LineWidget::draw(Graphics& g, ScreenBase*)
{
    g.drawLine(end, start, 4.f, true, Color::white());
    if (texture)
        g.drawImage(static_cast<int>(end.x) - texture->getWidth() / 2, static_cast<int>(end.y) - texture->getHeight() / 2,
                    texture, Color::white());
}
