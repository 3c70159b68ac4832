#include "frontend/RunesMenuImage.h"

#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/ButtonSupport.h"
#include "frontend/StoryVoice.h"
#include "frontend/WidgetTooltip.h"

RunesMenuImage::RunesMenuImage(GLTexture* picture, int x, int y, bool isKnown)
    : known(isKnown)
    , texture(picture)
{
    setBounds(x, y, picture ? picture->getWidth() : 0, picture ? picture->getHeight() : 0);
}

RunesMenuImage::~RunesMenuImage() = default;

void RunesMenuImage::setTooltip(const std::string& text, Font* font)
{
    tooltip = text;
    tooltipFont = font;
}

void RunesMenuImage::fadeTo(int target, int id)
{
    if (fade)
        fade->stop();
    fade = std::make_unique<RelIncrementator<int>>(Duration(FadeMs), &tooltipAlpha, target - tooltipAlpha);
    fade->start(this, id);
}

void RunesMenuImage::onMouseEnter()
{
    StoryVoice::play("RUNE_OVER");
    fadeTo(255, 0);
}

void RunesMenuImage::onMouseLeave()
{
    fadeTo(0, 1);
}

void RunesMenuImage::onActionFinished(int32_t) {}

void RunesMenuImage::update(int dt, ScreenBase*)
{
    if (fade && fade->isRunning())
        fade->update(dt);
}

bool RunesMenuImage::hitTest(int x, int y)
{
    return geometry.contains(x, y) && keptPixelOpaque(texture, x - geometry.x, y - geometry.y);
}

void RunesMenuImage::draw(Graphics& g, ScreenBase*)
{
    if (known && texture)
        g.drawImage(0, 0, texture, Color::white());
    const uint8_t alpha = static_cast<uint8_t>(tooltipAlpha & 0xff);
    if (alpha > 0)
        WidgetTooltip::drawBox(g, tooltipFont, tooltip, geometry.w, alpha);
}
