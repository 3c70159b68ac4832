#include "minigames/KlotskyTile.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"

namespace {
constexpr int SlideActionId = -1;
}

KlotskyTile::KlotskyTile(KlotskyGrid* board, int r, int c)
    : grid(board)
    , row(r)
    , column(c)
{
}

KlotskyTile::~KlotskyTile() = default;

void KlotskyTile::slideTo(int x, int y)
{
    slideAction = parallel(std::make_unique<RelIncrementator<int>>(Duration(SlideMs), &geometry.x, x - geometry.x),
                           std::make_unique<RelIncrementator<int>>(Duration(SlideMs), &geometry.y, y - geometry.y));
    slideAction->start(this, SlideActionId);
}

bool KlotskyTile::isSliding() const
{
    return slideAction && slideAction->isRunning();
}

void KlotskyTile::update(int dt, ScreenBase*)
{
    if (slideAction)
        slideAction->update(dt);
}

void KlotskyTile::onActionFinished(int32_t) {}
