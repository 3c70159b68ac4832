#include "scenes/SpellButton.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/Animation.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/gfx/Image.h"
#include "scenes/SceneText.h"
#include "scenes/SpellButtonListener.h"

namespace {

constexpr int TooltipId = 1;
const Color Grey(128, 128, 128, 255);
const Color TooltipInk(91, 43, 8, 255);
const Color TooltipPaper(251, 242, 184, 255);

} // namespace

SpellButton::SpellButton(int spell, SpellButtonListener* buttonListener, GLTexture* bodyTexture,
                         GLTexture* highlightTexture)
    : id(spell)
    , body(bodyTexture)
    , highlight(highlightTexture)
    , listener(buttonListener)
{
    if (body)
        setSize(body->getWidth(), body->getHeight());
}

SpellButton::~SpellButton() = default;

void SpellButton::setDecorations(GLTexture* const chargeMarks[3], GLTexture* blinkSheet)
{
    for (int i = 0; i < 3; ++i)
        marks[i] = chargeMarks[i];
    blink = std::make_unique<Animation>(blinkSheet, 64, 128, 2, 16, 16, BlinkFrameMs);
}

void SpellButton::addCharge()
{
    if (charge + 1 > FullCharge)
        return;
    ++charge;
    if (charge == FullCharge)
        becomeReady(true);
}

void SpellButton::becomeReady(bool playSound)
{
    ready = true;
    blinking = true;
    if (playSound && !readySound.empty())
        playSceneEffect(readySound.c_str());
}

void SpellButton::reset()
{
    ready = false;
    bodyTint = Grey;
    charge = 0;
    highlightAlpha = 0;
    blinking = false;
}

void SpellButton::update(int dt, ScreenBase*)
{
    if (highlightFade)
        highlightFade->update(dt);
    if (tooltipTimer)
        tooltipTimer->update(dt);
    if (blinking && blink)
        blink->update(dt);
}

void SpellButton::draw(Graphics& g, ScreenBase*)
{
    const Color white = Color::white();
    if (blinking && blink)
        blink->draw(g, 0, -64, white);
    if (body)
        g.drawImage(0, 0, body, ready ? white : Grey);
    if (highlight)
        g.drawImage(0, 0, highlight, Color(255, 255, 255, static_cast<uint8_t>(highlightAlpha & 0xff)));
    for (int i = 0; i < 3; ++i)
        if (marks[i])
            g.drawImage(0, 0, marks[i], !ready && i < charge ? white : bodyTint);
    if (!tooltipShown || !tooltipFont)
        return;
    const int fh = tooltipFont->getLineHeight();
    const int cx = geometry.w / 2;
    const int tw = tooltipFont->textWidth(tooltipText);
    g.fillRect(cx - 3, -fh - 3, tw + 6, fh + 6, TooltipInk);
    g.fillRect(cx - 2, -fh - 2, tw + 4, fh + 4, TooltipPaper);
    tooltipFont->drawRun(g, cx, -fh, tooltipText, TooltipInk);
}

bool SpellButton::hitTest(int x, int y)
{
    if (!geometry.contains(x, y) || !body)
        return false;
    const Image* picture = body->getImage();
    return picture && !picture->isTransparentAt(x - geometry.x, y - geometry.y);
}

void SpellButton::fadeHighlightTo(int target)
{
    highlightFade = std::make_unique<RelIncrementator<int32_t>>(Duration(HighlightMs), &highlightAlpha,
                                                                target - highlightAlpha);
    highlightFade->start(nullptr, 0);
}

void SpellButton::stopTooltip()
{
    tooltipTimer.reset();
    tooltipShown = false;
}

void SpellButton::onMouseEnter()
{
    hovered = true;
    fadeHighlightTo(255);
    if (tooltipFont) {
        tooltipTimer = std::make_unique<ActionDelay>(Duration(TooltipDelayMs));
        tooltipTimer->start(this, TooltipId);
    }
    if (listener)
        listener->onSpellButtonPressed(id, Entered);
}

void SpellButton::onMouseLeave()
{
    hovered = false;
    fadeHighlightTo(0);
    stopTooltip();
    if (listener)
        listener->onSpellButtonPressed(id, Left);
}

void SpellButton::onMousePress(MouseEvent*)
{
    pressed = true;
    if (hovered && listener)
        listener->onSpellButtonPressed(id, Pressed);
}

void SpellButton::onMouseRelease(MouseEvent*)
{
    pressed = false;
    stopTooltip();
    if (hovered && listener)
        listener->onSpellButtonPressed(id, Released);
}

void SpellButton::onActionFinished(int32_t actionId)
{
    if (actionId == TooltipId)
        tooltipShown = true;
}
