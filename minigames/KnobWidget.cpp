#include "minigames/KnobWidget.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/UiServices.h"
#include "minigames/KnobListener.h"
#include "minigames/TriangleCounter.h"

#include <cmath>

KnobWidget::KnobWidget(GLTexture* image, int x, int y, float turnStep, float turnMs, KnobListener* listener, int id)
    : ImageWidget(image, x, y)
    , step(turnStep)
    , knobListener(listener)
    , knobId(id)
{
    const Duration half(static_cast<int32_t>(turnMs / 2));
    auto sequence = std::make_unique<ActionSequence>();
    sequence->add(std::make_unique<Accelerator<float>>(half, &angle, step / 2, AcceleratorMode::FromRest));
    sequence->add(std::make_unique<Accelerator<float>>(half, &angle, step / 2, AcceleratorMode::ToRest));
    turn = std::move(sequence);
}

KnobWidget::~KnobWidget() = default;

bool KnobWidget::isTurning() const
{
    return turn->isRunning();
}

void KnobWidget::update(int dt, ScreenBase*)
{
    if (isTurning())
        turn->update(dt);
}

void KnobWidget::draw(Graphics& g, ScreenBase* screen)
{
    g.pushTransform();
    g.translate(geometry.w * 0.5f, geometry.h * 0.5f);
    g.rotate(angle, 0.f, 0.f, 1.f);
    g.translate(std::trunc(-geometry.w / 2.f), std::trunc(-geometry.h / 2.f));
    ImageWidget::draw(g, screen);
    g.popTransform();
}

void KnobWidget::onMousePress(MouseEvent*)
{
    if (locked || isTurning())
        return;
    turn->start(this, 0);
    playUiSound(step > 0 ? "MG_TRIANGLECOUNT_KNOBLEFT" : "MG_TRIANGLECOUNT_KNOBRIGHT");
}

void KnobWidget::onActionFinished(int32_t)
{
    angle = TriangleCounter::normaliseAngle(angle);
    if (knobListener)
        knobListener->onKnobTurned(knobId);
}
