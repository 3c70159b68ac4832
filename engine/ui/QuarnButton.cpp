#include "engine/ui/QuarnButton.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/core/Log.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/UiServices.h"

namespace {

using Alpha = unsigned char;

// Alpha 0, up to `target` over `ms`, then exactly `target`.
std::unique_ptr<Action> fadeUp(Alpha* alpha, Alpha target, int ms)
{
    auto sequence = std::make_unique<ActionSequence>();
    sequence->add(std::make_unique<Setter<Alpha>>(alpha, Alpha(0)));
    sequence->add(std::make_unique<RelIncrementator<Alpha>>(Duration(ms), alpha, target));
    sequence->add(std::make_unique<Setter<Alpha>>(alpha, target));
    return sequence;
}

// Alpha `from`, down to 0 over `ms` (skipped when already 0), then exactly 0.
std::unique_ptr<Action> fadeDown(Alpha* alpha, Alpha from, int ms)
{
    auto sequence = std::make_unique<ActionSequence>();
    sequence->add(std::make_unique<Setter<Alpha>>(alpha, from));
    if (from != 0)
        sequence->add(std::make_unique<RelDecrementator<Alpha>>(Duration(ms), alpha, from));
    sequence->add(std::make_unique<Setter<Alpha>>(alpha, Alpha(0)));
    return sequence;
}

} // namespace

QuarnButton::QuarnButton(QuarnButtonListener* buttonListener, int buttonId, const ButtonDesc& description,
                         const std::string& text)
    : desc(description)
    , caption(text)
    , listener(buttonListener)
    , id(buttonId)
{
    // The fades restore the saved colours; taking them from the looks here
    // keeps a description whose looks were edited after its construction
    // from fading back to stale colours.
    desc.saveColors();
}

QuarnButton::~QuarnButton() = default;

void QuarnButton::onAttached()
{
    startFadeIn();
}

void QuarnButton::update(int dt, ScreenBase*)
{
    if (fadeAction)
        fadeAction->update(dt);
    if (tooltipDelay && tooltipDelay->isRunning())
        tooltipDelay->update(dt);
}

void QuarnButton::draw(Graphics& g, ScreenBase*)
{
    // During the fade-in the previous state is the current one; drawing it
    // twice would double its alpha.
    if (fading && previousState != state)
        drawLook(g, desc.looks[previousState]);
    drawLook(g, desc.looks[state]);
    if (tooltipShown && tooltipFont)
        drawTooltip(g);
}

void QuarnButton::drawLook(Graphics& g, const ButtonDesc::Look& look)
{
    if (pictureFailed(look.texture)) {
        // The look's fill is a tint for the picture: it fades the stand-in.
        drawMissingPicture(g, geometry.w, geometry.h, look.fill.a);
    } else if (look.texture) {
        g.drawImage(look.placement.x, look.placement.y, look.texture, look.fill);
    } else {
        const int x = look.placement.x;
        const int y = look.placement.y;
        const int w = geometry.w - 2 * x;
        const int h = geometry.h - 2 * y;
        g.fillRect(x, y, w, h, look.fill);
        // The outline fades with the fill: it takes the fill's alpha.
        g.drawRect(x, y, w, h, Color(look.text.r, look.text.g, look.text.b, look.fill.a));
    }
    if (captionImage)
        g.drawImage(desc.captionBox.x, desc.captionBox.y, captionImage, look.text);
    else if (look.font && !caption.empty())
        look.font->drawTextInBoxRuns(g, desc.captionBox, caption, look.text, desc.hAlign, desc.vAlign, true);
}

void QuarnButton::drawTooltip(Graphics& g)
{
    const int w = tooltipFont->textWidth(tooltipText);
    const int h = tooltipFont->getLineHeight();
    int left = geometry.w / 2;
    if (geometry.x + w + left > TooltipRightLimit)
        left = TooltipRightLimit - geometry.x - w - 4;
    g.fillRect(left - 3, -h - 3, w + 6, h + 6, tooltipBorder);
    g.fillRect(left - 2, -h - 2, w + 4, h + 4, tooltipFill);
    tooltipFont->drawRun(g, left, -h, tooltipText, tooltipBorder);
}

void QuarnButton::onMousePress(MouseEvent*)
{
    pressed = true;
    applyStateRule();
    if (listener && hovered) {
        playUiSound("BUTTON_PRESS");
        listener->onButtonEvent(id, 0);
    }
}

void QuarnButton::onMouseRelease(MouseEvent*)
{
    // A release counts as a click only when the press was made on the
    // button: a press elsewhere dragged onto it releases nothing.
    const bool click = pressed && hovered;
    pressed = false;
    applyStateRule();
    if (listener && click)
        listener->onButtonEvent(id, 1);
}

void QuarnButton::onMouseLeave()
{
    hovered = false;
    applyStateRule();
    stopTooltip();
    if (listener)
        listener->onButtonEvent(id, 3);
}

void QuarnButton::onMouseEnter()
{
    hovered = true;
    applyStateRule();
    startTooltipDelay();
    playUiSound("BUTTON_OVER");
    if (listener)
        listener->onButtonEvent(id, 2);
}

void QuarnButton::enable()
{
    applyStateRule();
}

void QuarnButton::disable()
{
    hovered = false;
    pressed = false;
    // A disabled button hears no leave, so a tooltip left running would
    // show and never hide.
    stopTooltip();
    applyStateRule();
}

bool QuarnButton::hitTest(int x, int y)
{
    if (!geometry.contains(x, y))
        return false;
    const GLTexture* texture = desc.looks[ButtonDesc::NormalLook].texture;
    if (!texture || !texture->getImage() || pictureFailed(texture))
        return true;
    return keptPixelOpaque(texture, x - geometry.x, y - geometry.y);
}

void QuarnButton::onActionFinished(int32_t actionId)
{
    if (actionId == FadeActionId) {
        desc.restoreColors();
        fading = false;
    } else if (actionId == TooltipDelayId) {
        tooltipShown = true;
    }
}

void QuarnButton::setTooltip(const std::string& text)
{
    tooltipText = text;
    if (tooltipText.empty())
        stopTooltip();
    UiServices* services = uiServices();
    if (services && services->tooltipFont())
        tooltipFont = services->tooltipFont();
}

void QuarnButton::applyStateRule()
{
    uint32_t next = Normal;
    if (!enabled)
        next = Disabled;
    else if (pressed && hovered)
        next = Pressed;
    else if (hovered)
        next = Hovered;
    if (next == state)
        return;
    previousState = state;
    state = next;
    if (looksDiffer(static_cast<int>(previousState), static_cast<int>(state)))
        startCrossFade();
}

bool QuarnButton::looksDiffer(int a, int b) const
{
    ButtonDesc::Look first = desc.looks[a];
    ButtonDesc::Look second = desc.looks[b];
    first.text = desc.savedText(a);
    first.fill = desc.savedFill(a);
    second.text = desc.savedText(b);
    second.fill = desc.savedFill(b);
    return first != second;
}

void QuarnButton::clearFade()
{
    fadeAction.reset();
    desc.restoreColors();
    fading = false;
}

void QuarnButton::startFadeIn()
{
    clearFade();
    ButtonDesc::Look& look = desc.looks[state];
    fadeAction = std::make_unique<ParalelAction>();
    fadeAction->add(fadeUp(&look.fill.a, desc.savedFill(static_cast<int>(state)).a, desc.fadeTime));
    fadeAction->add(fadeUp(&look.text.a, desc.savedText(static_cast<int>(state)).a, desc.fadeTime));
    fading = true;
    fadeAction->start(this, FadeActionId);
}

void QuarnButton::startCrossFade()
{
    clearFade();
    const int now = static_cast<int>(state);
    const int before = static_cast<int>(previousState);
    ButtonDesc::Look& current = desc.looks[now];
    ButtonDesc::Look& previous = desc.looks[before];
    fadeAction = std::make_unique<ParalelAction>();
    fadeAction->add(fadeUp(&current.fill.a, desc.savedFill(now).a, desc.fadeTime));
    fadeAction->add(fadeUp(&current.text.a, desc.savedText(now).a, desc.fadeTime));
    fadeAction->add(fadeDown(&previous.fill.a, desc.savedFill(before).a, 3 * desc.fadeTime));
    fadeAction->add(fadeDown(&previous.text.a, desc.savedText(before).a, 3 * desc.fadeTime));
    fading = true;
    fadeAction->start(this, FadeActionId);
}

void QuarnButton::startTooltipDelay()
{
    // Without a text there is nothing to show: no empty framed box.
    if (!tooltipFont || tooltipText.empty())
        return;
    tooltipDelay.reset();
    tooltipShown = false;
    tooltipDelay = std::make_unique<ActionDelay>(Duration(TooltipDelayMs));
    tooltipDelay->start(this, TooltipDelayId);
}

void QuarnButton::stopTooltip()
{
    if (tooltipDelay) {
        tooltipDelay->stop();
        tooltipDelay.reset();
    }
    tooltipShown = false;
}

QuarnButton* createQuarnButton(QuarnButtonListener* listener, int id, const ButtonDesc* desc,
                               const std::string& caption)
{
    if (!desc) {
        logError("createQuarnButton: button " + std::to_string(id) + " has no description; default looks used");
        return new QuarnButton(listener, id, ButtonDesc(), caption);
    }
    return new QuarnButton(listener, id, *desc, caption);
}

QuarnButton* createQuarnButton(QuarnButtonListener* listener, int id, const ButtonDesc& desc,
                               const std::string& caption)
{
    return new QuarnButton(listener, id, desc, caption);
}
