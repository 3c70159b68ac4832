#include "minigames/CheckButton.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/SimpleButtonListener.h"

#include <algorithm>

CheckButton::CheckButton(GLTexture* image, GLTexture* right, GLTexture* wrong, int x, int y,
                         SimpleButtonListener* buttonListener, int buttonId)
    : ImageWidget(image, x, y)
    , listener(buttonListener)
    , id(buttonId)
    , rightMark(right)
    , wrongMark(wrong)
{
    rightFade = std::make_unique<RelIncrementator<int>>(Duration(MarkInMs), &markAlpha, 255);
    auto flash = std::make_unique<ActionSequence>();
    flash->add(std::make_unique<Setter<int>>(&markAlpha, 0));
    flash->add(std::make_unique<RelIncrementator<int>>(Duration(MarkInMs), &markAlpha, 255));
    flash->add(std::make_unique<RelIncrementator<int>>(Duration(MarkOutMs), &markAlpha, -255));
    wrongFlash = std::move(flash);
}

CheckButton::~CheckButton() = default;

void CheckButton::showRight()
{
    lastResult = true;
    rightFade->start(nullptr, 0);
}

void CheckButton::showWrong()
{
    lastResult = false;
    wrongFlash->start(nullptr, 0);
}

bool CheckButton::isBusy() const
{
    return rightFade->isRunning() || wrongFlash->isRunning();
}

void CheckButton::update(int, ScreenBase*)
{
    // On the game clock, as the knobs.
    if (rightFade->isRunning())
        rightFade->step();
    if (wrongFlash->isRunning())
        wrongFlash->step();
}

void CheckButton::draw(Graphics& g, ScreenBase* screen)
{
    ImageWidget::draw(g, screen);
    GLTexture* mark = lastResult ? rightMark : wrongMark;
    if (mark)
        g.drawImage(0, 0, mark, Color(255, 255, 255, static_cast<uint8_t>(std::clamp(markAlpha, 0, 255))));
}

void CheckButton::onMousePress(MouseEvent*)
{
    if (listener && !isBusy())
        listener->onButton(id, 0);
}

void CheckButton::onMouseRelease(MouseEvent*)
{
    if (listener && !isBusy())
        listener->onButton(id, 1);
}
