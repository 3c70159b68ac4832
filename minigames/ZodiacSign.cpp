#include "minigames/ZodiacSign.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/ButtonSupport.h"

ZodiacSign::ZodiacSign(GLTexture* texture, Point startPlace, GLTexture* glowTexture, GLTexture* constellationTexture,
                       Point constellationPlace, int glowFadeMs, int returnTime)
    : ImageWidget(texture, startPlace.x, startPlace.y)
    , start(startPlace)
    , glow(glowTexture)
    , constellation(constellationTexture)
    , constellationAt(constellationPlace)
    , returnMs(returnTime)
    , glowIn(std::make_unique<RelIncrementator<int>>(Duration(glowFadeMs), &glowAlpha, 255))
    , glowOut(std::make_unique<RelIncrementator<int>>(Duration(GlowOutMs), &glowAlpha, -255))
{
}

ZodiacSign::~ZodiacSign() = default;

void ZodiacSign::update(int dt, ScreenBase*)
{
    if (glide && glide->isRunning()) {
        glide->update(dt);
        setPosition(homeX, homeY);
    }
    glowIn->update(dt);
    glowOut->update(dt);
}

void ZodiacSign::draw(Graphics& g, ScreenBase* screen)
{
    const auto alpha = static_cast<uint8_t>(glowAlpha & 0xff);
    const Color lit(255, 255, 255, alpha);
    if (alpha != 0 && constellation)
        g.drawImage(constellationAt.x - geometry.x, constellationAt.y - geometry.y, constellation, lit);
    ImageWidget::draw(g, screen);
    if (alpha != 0 && glow)
        g.drawImage(0, 0, glow, lit);
}

bool ZodiacSign::hitTest(int x, int y)
{
    return keptPixelOpaque(texture, x - geometry.x, y - geometry.y);
}

void ZodiacSign::returnHome()
{
    homeX = geometry.x;
    homeY = geometry.y;
    auto back = std::make_unique<ParalelAction>();
    back->add(std::make_unique<RelIncrementator<int>>(Duration(returnMs), &homeX, start.x - homeX));
    back->add(std::make_unique<RelIncrementator<int>>(Duration(returnMs), &homeY, start.y - homeY));
    glide = std::move(back);
    glide->start(nullptr, -1);
}

void ZodiacSign::stopReturn()
{
    if (glide)
        glide->stop();
}

bool ZodiacSign::isReturning() const
{
    return glide && glide->isRunning();
}

void ZodiacSign::startGlow()
{
    glowAlpha = 0;
    glowIn->start(nullptr, -1);
}

void ZodiacSign::fadeGlowOut()
{
    glowIn->stop();
    glowAlpha = 255;
    glowOut->start(nullptr, -1);
}
