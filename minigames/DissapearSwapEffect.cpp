#include "minigames/DissapearSwapEffect.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/ui/UiServices.h"
#include "minigames/TileSwapListener.h"
#include "minigames/TileWidget.h"

DissapearSwapEffect::DissapearSwapEffect() = default;
DissapearSwapEffect::~DissapearSwapEffect() = default;

void DissapearSwapEffect::start(TileWidget* a, TileWidget* b, TileSwapListener* swapListener)
{
    if (!a || !b)
        return;
    tileA = a;
    tileB = b;
    listener = swapListener;
    for (TileWidget* tile : {a, b}) {
        const WidgetGeometry& g = tile->getGeometry();
        tile->scalePivot = Point(g.w / 2, g.h / 2);
        tile->scale = 1.f;
        tile->setTint(Color::white());
    }
    outAction = buildPhase(-1.f, false);
    inAction = buildPhase(1.f, true);
    outAction->start(this, OutActionId);
    if (listener)
        listener->onSwapStarted(a->getId(), b->getId());
    playUiSound("MG_RECTANGLETILESUM_SWAP");
}

std::unique_ptr<Action> DissapearSwapEffect::buildPhase(float scaleDelta, bool brighten)
{
    auto phase = std::make_unique<ParalelAction>();
    const Duration length(fadeTime);
    for (TileWidget* tile : {tileA, tileB})
        phase->add(std::make_unique<RelIncrementator<float>>(length, &tile->scale, scaleDelta));
    for (TileWidget* tile : {tileA, tileB}) {
        Color* tint = tile->tintTarget();
        for (uint8_t* channel : {&tint->r, &tint->g, &tint->b}) {
            if (brighten)
                phase->add(std::make_unique<RelIncrementator<unsigned char>>(length, channel, 255));
            else
                phase->add(std::make_unique<RelDecrementator<unsigned char>>(length, channel, 255));
        }
    }
    return phase;
}

void DissapearSwapEffect::update(int dt)
{
    if (inAction)
        inAction->update(dt);
    if (outAction)
        outAction->update(dt);
}

bool DissapearSwapEffect::isRunning() const
{
    return (outAction && outAction->isRunning()) || (inAction && inAction->isRunning());
}

void DissapearSwapEffect::onActionFinished(int32_t id)
{
    if (!tileA || !tileB)
        return;
    switch (id) {
    case OutActionId:
        if (listener)
            listener->onSwapCommit(tileA->getId(), tileB->getId());
        inAction->start(this, InActionId);
        break;
    case InActionId:
        if (listener)
            listener->onSwapFinished(tileA->getId(), tileB->getId());
        break;
    default:
        break;
    }
}
