#include "minigames/StarWidget.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/LoopAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"

#include <algorithm>

StarWidget::StarWidget(int starIndex, GLTexture* normalTexture, GLTexture* wrongTexture, Font* labelFont, int x, int y,
                       SimpleButtonListener* buttonListener)
    : ClickableImageWidget(normalTexture, x, y, buttonListener, starIndex, true)
    , index(starIndex)
    , label(std::to_string(starIndex + 1))
    , normal(normalTexture)
    , wrong(wrongTexture)
    , font(labelFont)
{
    auto blink = std::make_unique<ActionSequence>();
    blink->add(std::make_unique<Setter<int>>(&alpha, 255));
    blink->add(std::make_unique<RelIncrementator<int>>(Duration(PulseHalfMs), &alpha, -255));
    blink->add(std::make_unique<RelIncrementator<int>>(Duration(PulseHalfMs), &alpha, 255));
    pulse = std::make_unique<LoopAction>(std::move(blink), LoopAction::Forever);
    auto bounce = std::make_unique<ActionSequence>();
    bounce->add(std::make_unique<RelIncrementator<float>>(Duration(PopStepMs), &scale, -0.5f));
    bounce->add(std::make_unique<RelIncrementator<float>>(Duration(PopStepMs), &scale, 1.0f));
    bounce->add(std::make_unique<RelIncrementator<float>>(Duration(PopStepMs), &scale, -0.5f));
    pop = std::move(bounce);
}

StarWidget::~StarWidget() = default;

void StarWidget::update(int dt, ScreenBase*)
{
    pulse->update(dt);
    pop->update(dt);
    tint.a = static_cast<uint8_t>(std::clamp(alpha, 0, 255));
}

void StarWidget::draw(Graphics& g, ScreenBase* screen)
{
    const float cx = texture ? texture->getWidth() / 2.f : 0.f;
    const float cy = texture ? texture->getHeight() / 2.f : 0.f;
    g.pushTransform();
    g.translate(cx, cy);
    g.scale(scale, scale);
    g.translate(-cx, -cy);
    ClickableImageWidget::draw(g, screen);
    g.popTransform();
    if (font)
        font->drawRun(g, LabelX, LabelY, label, Color::white());
}

void StarWidget::startPulse()
{
    pulse->start(nullptr, -1);
}

void StarWidget::stopPulse()
{
    pulse->stop();
    alpha = 255;
}

void StarWidget::startPop()
{
    pop->start(nullptr, -1);
}

void StarWidget::showWrong(bool on)
{
    setTexture(on ? wrong : normal);
}

bool StarWidget::isPulsing() const
{
    return pulse->isRunning();
}

bool StarWidget::isPopping() const
{
    return pop->isRunning();
}
