#include "minigames/SpellWidget.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/UiServices.h"

#include <algorithm>

namespace {

std::unique_ptr<Action> fade(int* target, int delta)
{
    return std::make_unique<RelIncrementator<int>>(Duration(SpellWidget::BlinkStepMs), target, delta);
}

uint8_t alphaOf(int value)
{
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

} // namespace

SpellWidget::SpellWidget(GLTexture* frame, GLTexture* lit, GLTexture* markPicture, Point markCorner)
    : ImageWidget(frame, 0, 0)
    , frameGlow(lit)
    , mark(markPicture)
    , markPosition(markCorner)
{
    auto blinking = std::make_unique<ActionSequence>();
    blinking->add(std::make_unique<Setter<int>>(&glowAlpha, 255));
    for (int i = 0; i < 3; ++i) {
        blinking->add(fade(&glowAlpha, -255));
        blinking->add(fade(&glowAlpha, 255));
    }
    blink = std::move(blinking);

    auto in = std::make_unique<ActionSequence>();
    in->add(std::make_unique<Setter<int>>(&markAlpha, 0));
    in->add(fade(&markAlpha, 255));
    markIn = std::move(in);

    auto flash = std::make_unique<ActionSequence>();
    flash->add(std::make_unique<Setter<int>>(&markAlpha, 0));
    flash->add(fade(&markAlpha, 255));
    flash->add(fade(&markAlpha, -255));
    markFlash = std::move(flash);
}

SpellWidget::~SpellWidget() = default;

void SpellWidget::startBlink()
{
    blink->start(nullptr, 0);
    glowAlpha = 255;
}

void SpellWidget::feedback(bool good)
{
    correct = good;
    if (good) {
        markFlash->stop();
        markIn->start(nullptr, 0);
        playUiSound("MG_CORRECT");
    } else {
        markIn->stop();
        markFlash->start(nullptr, 0);
        playUiSound("MG_NOTCORRECT");
    }
    glowAlpha = 255;
    blink->stop();
}

bool SpellWidget::isBlinking() const
{
    return blink->isRunning();
}

void SpellWidget::update(int dt, ScreenBase*)
{
    blink->update(dt);
    markIn->update(dt);
    markFlash->update(dt);
}

void SpellWidget::draw(Graphics& g, ScreenBase* screen)
{
    if (glowAlpha == 0 && !blink->isRunning())
        ImageWidget::draw(g, screen);
    if (glowAlpha > 0 && frameGlow)
        g.drawImage(0, 0, frameGlow, Color(255, 255, 255, alphaOf(glowAlpha)));
    if (markAlpha > 0 && mark) {
        const Color colour = correct ? Color(255, 255, 255, alphaOf(markAlpha)) : Color(255, 0, 0, alphaOf(markAlpha));
        g.drawImage(markPosition.x, markPosition.y, mark, colour);
    }
}
