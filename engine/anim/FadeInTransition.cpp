#include "engine/anim/FadeInTransition.h"

#include "engine/anim/Duration.h"
#include "engine/anim/Tweens.h"
#include "engine/core/AppContext.h"
#include "engine/gfx/Graphics.h"
#include <algorithm>

namespace {
// The alpha action reports to nobody; the transition polls it.
const int AlphaActionId = -1;
}

FadeInTransition::FadeInTransition(int durationMs)
    : duration(durationMs)
{
}

FadeInTransition::~FadeInTransition() = default;

void FadeInTransition::begin()
{
    startFade(255, -255);
}

void FadeInTransition::startFade(int from, int delta)
{
    alpha = from;
    AppContext* app = appContext();
    onClock = app && app->getClock();
    // A restart replaces the action in flight.
    alphaAction = std::make_unique<RelIncrementator<int>>(Duration(duration), &alpha, delta);
    alphaAction->start(nullptr, AlphaActionId);
}

void FadeInTransition::update(int dt)
{
    if (!running)
        return;
    if (alphaAction && alphaAction->isRunning()) {
        if (onClock)
            alphaAction->step();
        else
            alphaAction->update(dt);
        alpha = std::clamp(alpha, 0, 255);
        return;
    }
    // The action ended in an earlier update: report now.
    finish();
}

void FadeInTransition::drawOver(Graphics& g)
{
    AppContext* app = appContext();
    if (!app)
        return;
    g.fillRect(0, 0, app->getWidth(), app->getHeight(), Color(0, 0, 0, static_cast<uint8_t>(alpha)));
}
