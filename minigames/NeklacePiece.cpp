#include "minigames/NeklacePiece.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/SimpleButtonListener.h"

#include <algorithm>

NeklacePiece::NeklacePiece(GLTexture* texture, SimpleButtonListener* buttonListener, int pieceId)
    : ClickableImageWidget(texture, 0, 0, buttonListener, pieceId, true)
{
    tint = Color(255, 255, 255, 0);
    enabled = 0;
}

NeklacePiece::~NeklacePiece() = default;

void NeklacePiece::update(int dt, ScreenBase*)
{
    if (!fly || !fly->isRunning())
        return;
    fly->update(dt);
    setPosition(flyX, flyY);
}

void NeklacePiece::draw(Graphics& g, ScreenBase* screen)
{
    const float cx = geometry.w / 2.f;
    const float cy = geometry.h / 2.f;
    g.pushTransform();
    g.translate(cx, cy);
    g.scale(scale, scale);
    g.translate(-cx, -cy);
    ClickableImageWidget::draw(g, screen);
    g.popTransform();
}

void NeklacePiece::flyTo(int x, int y, float toScale)
{
    flyX = geometry.x;
    flyY = geometry.y;
    auto flight = std::make_unique<ParalelAction>();
    flight->add(std::make_unique<RelIncrementator<int>>(Duration(FlyMs), &flyX, x - flyX));
    flight->add(std::make_unique<RelIncrementator<int>>(Duration(FlyMs), &flyY, y - flyY));
    flight->add(std::make_unique<RelIncrementator<float>>(Duration(FlyMs), &scale, toScale - scale));
    fly = std::move(flight);
    fly->start(this, 0);
}

void NeklacePiece::onActionFinished(int32_t)
{
    setPosition(flyX, flyY);
    if (listener)
        listener->onButton(id, ArrivedState);
}

void NeklacePiece::centreOn(int x, int y)
{
    setPosition(x - geometry.w / 2, y - geometry.h / 2);
}

void NeklacePiece::setAlpha(int alpha)
{
    tint.a = static_cast<uint8_t>(std::clamp(alpha, 0, 255));
}

bool NeklacePiece::isFlying() const
{
    return fly && fly->isRunning();
}
