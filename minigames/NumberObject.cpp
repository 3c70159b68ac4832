#include "minigames/NumberObject.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/QuarnButtonListener.h"
#include "minigames/MgSumTheNumbers.h"

#include <algorithm>

NumberObject::NumberObject(GLTexture* image, QuarnButtonListener* buttonListener, Point start, int id,
                           MgSumTheNumbers* owner)
    : ImageWidget(image, start.x, start.y)
    , tileId(id)
    , listener(buttonListener)
    , game(owner)
{
}

NumberObject::~NumberObject() = default;

void NumberObject::moveTo(Point target)
{
    setTint(Color::white());
    // From whatever size a dropped movement left (full size when none ran)
    // down to nothing: a tile caught mid-movement never turns inside out.
    scale = std::clamp(scale, 0.f, 1.f);
    auto sequence = std::make_unique<ActionSequence>();
    sequence->add(std::make_unique<RelIncrementator<float>>(Duration(ShrinkMs), &scale, -scale));
    sequence->add(std::make_unique<Setter<int>>(&geometry.x, target.x));
    sequence->add(std::make_unique<Setter<int>>(&geometry.y, target.y));
    sequence->add(std::make_unique<RelIncrementator<float>>(Duration(ShrinkMs), &scale, 1.f));
    sequence->start(this, 0);
    movement = std::move(sequence);
}

bool NumberObject::isMoving() const
{
    return movement && movement->isRunning();
}

void NumberObject::update(int dt, ScreenBase*)
{
    if (isMoving())
        movement->update(dt);
}

void NumberObject::draw(Graphics& g, ScreenBase* screen)
{
    const float halfW = geometry.w * 0.5f;
    const float halfH = geometry.h * 0.5f;
    g.pushTransform();
    g.translate(halfW, halfH);
    g.scale(scale, scale);
    g.translate(-halfW, -halfH);
    ImageWidget::draw(g, screen);
    g.popTransform();
}

void NumberObject::onMousePress(MouseEvent*)
{
    if (listener)
        listener->onButtonEvent(tileId, 0);
}

void NumberObject::onMouseRelease(MouseEvent*)
{
    if (listener)
        listener->onButtonEvent(tileId, 1);
}

void NumberObject::onActionFinished(int32_t)
{
    scale = 1.f;
    if (game)
        game->onTileArrived(tileId);
}
